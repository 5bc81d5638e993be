#include "model/CStatePoint.h"

void CStatePoint::MakeIndependent()
{
    const CStatePoint fresh;
    m_nKind = kIndependent;
    m_nMixSrc1 = fresh.m_nMixSrc1;
    m_nMixSrc2 = fresh.m_nMixSrc2;
    m_fMixRatio = fresh.m_fMixRatio;
    m_nRelPartner = fresh.m_nRelPartner;
    m_nRelHhrLine = fresh.m_nRelHhrLine;
    m_nRelDiffType = fresh.m_nRelDiffType;
    m_nRelPropType = fresh.m_nRelPropType;
    m_fRelValue1 = fresh.m_fRelValue1;
    m_fRelValue2 = fresh.m_fRelValue2;
    m_nBaseH = fresh.m_nBaseH;
    m_nBaseD = fresh.m_nBaseD;
    m_nBaseT = fresh.m_nBaseT;
    m_nOnProcessLine = fresh.m_nOnProcessLine;
    m_nOnHhrLine = fresh.m_nOnHhrLine;
    m_nValueKind = fresh.m_nValueKind;
    m_fValue = fresh.m_fValue;
    m_nCrossProc1 = fresh.m_nCrossProc1;
    m_nCrossProc2 = fresh.m_nCrossProc2;
    m_nCrossHhr1 = fresh.m_nCrossHhr1;
    m_nCrossHhr2 = fresh.m_nCrossHhr2;
    m_nCrossProc = fresh.m_nCrossProc;
    m_nCrossHhr = fresh.m_nCrossHhr;
    m_nStepSrc1 = fresh.m_nStepSrc1;
    m_nStepSrc2 = fresh.m_nStepSrc2;
    m_fStepEffect = fresh.m_fStepEffect;
    m_nStepType = fresh.m_nStepType;
}

void CStatePoint::ClearKnown()
{
    m_bKnownT = m_bKnownTw = m_bKnownD = m_bKnownH = m_bKnownRH = 0;
}
