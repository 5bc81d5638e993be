#pragma once

#include <memory>
#include <string>

#include "model/CIDG.h"

class CCommentString;
class CStatePoint;

// Result texts that follow their points: when a point a calculation or state
// text reports on is recomputed, the value is computed again from the stored
// input and the points' present states, and the text is written afresh.

// Rebuilds every result text that refers to point pointIndex, in list order.
// A value that cannot be computed any more leaves its text as it was.
// Returns 1. This is the chart model's m_rebuildResultTexts hook.
int RebuildResultTexts(CIDG& idg, int pointIndex);

// The wording of a rebuilt result text from its record (label, the names of
// its points, the value in the project's units).
std::string RebuiltResultText(const CIDG& idg, const CCommentString& text);

// A state text describing point under caption, as the output command writes
// it (creation) and as it is written again when the point changes.
std::string StateTextOnCreation(const CIDG& idg, const CStatePoint& point, const std::string& caption);
std::string StateTextRebuilt(const CIDG& idg, const CStatePoint& point, const std::string& caption);
// The winter column's state text: head ("…：干球温度 "), then the dry bulb,
// "湿球温度" and the wet bulb, "相对湿度" and the relative humidity.
std::string WinterStateText(const CIDG& idg, const CStatePoint& point, const std::string& head);
// Writes every state text of the current view again in the project's unit
// system, each in the layout it has (a winter column's, or a state text's).
void RewordStateTexts(CIDG& idg);

// Places a result text in the result column (as the standard screen lays
// the column out) and appends it to the current view's texts.
CCommentString* AddResultText(CIDG& idg, std::unique_ptr<CCommentString> text);
// A kind-9 text describing point pointIndex under label.
CCommentString* AddStateText(CIDG& idg, int pointIndex, const std::string& label);
