// Comfort zones (舒适区) and free texts: objects the user places without a
// calculation, built from the ordinary points, process lines and texts.

#include <algorithm>
#include <array>
#include <memory>

#include <QCoreApplication>

#include "model/CIDG.h"
#include "model/ListSnapshot.h"
#include "model/Messages.h"

namespace {

template <class T, class NameOf>
std::string firstFreeName(const ObjectArray<T>& list, const std::string& prefix, NameOf nameOf)
{
    // Of the size + 1 candidates at least one is free, so the search ends.
    for (std::size_t n = 0; n <= list.size(); ++n) {
        std::string candidate = prefix + std::to_string(n);
        const bool taken = std::any_of(list.begin(), list.end(),
                                       [&](const auto& object) { return nameOf(*object) == candidate; });
        if (!taken)
            return candidate;
    }
    return prefix + std::to_string(list.size());
}

// Blanks only: a text that could be neither seen nor picked again.
bool isBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

} // namespace

std::string CIDG::UniqueName(const ObjectArray<CStatePoint>& list, const std::string& prefix)
{
    return firstFreeName(list, prefix,
                         [](const CStatePoint& p) -> const std::string& { return p.m_strName; });
}

std::string CIDG::UniqueName(const ObjectArray<CGuoChengXian>& list, const std::string& prefix)
{
    return firstFreeName(list, prefix,
                         [](const CGuoChengXian& l) -> const std::string& { return l.m_strName; });
}

std::string CIDG::UniqueName(const ObjectArray<CReShiBiXian>& list, const std::string& prefix)
{
    return firstFreeName(list, prefix,
                         [](const CReShiBiXian& l) -> const std::string& { return l.m_strName; });
}

std::string CIDG::UniqueName(const ObjectArray<CCommentString>& list, const std::string& prefix)
{
    return firstFreeName(list, prefix,
                         [](const CCommentString& t) -> const std::string& { return t.m_strText; });
}

int CIDG::MakeComfortZone(int baseIndex, float dt, float dRhPercent)
{
    if (!m_pPoints || !m_pProcessLines || !m_pHhrLines || !m_pTexts || !m_pComfortAreas)
        return 0;
    const CStatePoint* basePoint = PointAt(baseIndex);
    if (!basePoint) {
        alertMessage(QCoreApplication::translate("CIDG", "请选择基本状态点").toStdString(),
                     MessageIcon::Warning);
        return 0;
    }
    const float dRh = static_cast<float>(double(dRhPercent) / 100.0);
    const float t0 = basePoint->m_t;
    const float rh0 = basePoint->m_RH;
    if (!(dRhPercent >= 0.0f && dRhPercent <= 100.0f) || !(rh0 + dRh <= 1.0f) || !(rh0 - dRh >= 0.0f)) {
        alertMessage(QCoreApplication::translate("CIDG", "相对湿度波动超出范围").toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    // The sums in 32-bit floats, as the corner points store them.
    const qorva::psychro::ComfortCorners corners{
        {{t0 - dt, rh0 - dRh}, {t0 - dt, rh0 + dRh}, {t0 + dt, rh0 - dRh}, {t0 + dt, rh0 + dRh}}};
    return MakeComfortZone(baseIndex, corners, std::string(), 0, 0);
}

int CIDG::MakeComfortZone(int baseIndex, const qorva::psychro::ComfortCorners& corners,
                          const std::string& caption, int captionX, int captionY)
{
    if (!m_pPoints || !m_pProcessLines || !m_pHhrLines || !m_pTexts || !m_pComfortAreas)
        return 0;
    const CStatePoint* basePoint = PointAt(baseIndex);
    if (!basePoint) {
        alertMessage(QCoreApplication::translate("CIDG", "请选择基本状态点").toStdString(),
                     MessageIcon::Warning);
        return 0;
    }
    const std::string baseName = basePoint->m_strName;
    int zoneToReplace = -1;
    for (std::size_t z = 0; z < m_pComfortAreas->size(); ++z) {
        const CComfortArea& zone = *(*m_pComfortAreas)[z];
        if (zone.HasCorner(baseName)) {
            alertMessage(QCoreApplication::translate("CIDG", "不可以舒适区的四点作为基点").toStdString(),
                         MessageIcon::Stop);
            return 0;
        }
        if (zone.m_strName == baseName) {
            if (!messages().askOkCancel(
                    QCoreApplication::translate("CIDG", "该舒适区已经存在，是否覆盖").toStdString(),
                    MessageIcon::Question,
                    QCoreApplication::translate("CIDG", "舒适区已经存在").toStdString()))
                return 0;
            zoneToReplace = static_cast<int>(z);
            break;
        }
    }

    // The old zone goes and the new one comes as one change: if any step
    // fails, the view is left as it was.
    ListSnapshot before(*this);
    if (zoneToReplace >= 0 && !DeleteComfortArea(zoneToReplace)) {
        before.Restore(*this);
        return 0;
    }

    std::array<int, 4> cornerIds{};
    std::array<std::string, 4> cornerNames;
    for (std::size_t c = 0; c < corners.size(); ++c) {
        auto point = std::make_unique<CStatePoint>();
        point->m_strName = UniqueName(*m_pPoints, baseName);
        point->m_nKind = CStatePoint::kIndependent;
        point->m_t = static_cast<float>(corners[c].t);
        point->m_RH = static_cast<float>(corners[c].RH);
        point->m_bKnownT = point->m_bKnownRH = 1;
        if (!CalcStatePoint(*point)) {
            // A corner beyond the formulation (a range reaching past the
            // chart's temperatures) is said, not silently dropped.
            before.Restore(*this);
            alertMessage(QCoreApplication::translate("CIDG", "计算错误，请检查数据!").toStdString(),
                         MessageIcon::Stop);
            return 0;
        }
        point->m_nId = static_cast<int>(m_pPoints->size());
        cornerIds[c] = point->m_nId;
        cornerNames[c] = point->m_strName;
        m_pPoints->push_back(std::move(point));
    }

    // P1–P2, P1–P3, P3–P4, P2–P4: the zone's four sides.
    constexpr std::array<std::array<std::size_t, 2>, 4> sides{{{0, 1}, {0, 2}, {2, 3}, {1, 3}}};
    std::array<std::string, 4> lineNames;
    for (std::size_t s = 0; s < sides.size(); ++s) {
        const std::string name = UniqueName(*m_pProcessLines, "SH");
        AddProcessLine(name, cornerIds[sides[s][0]], cornerIds[sides[s][1]]);
        lineNames[s] = name;
    }

    if (!isBlank(caption) && !AddText(caption, captionX, captionY, m_font1, 0)) {
        before.Restore(*this);
        return 0;
    }
    auto zone = std::make_unique<CComfortArea>();
    zone->m_strCorner = {cornerNames[0], cornerNames[2], cornerNames[1], cornerNames[3]};
    zone->m_strEdge = {lineNames[0], lineNames[1], lineNames[3], lineNames[2]};
    zone->m_strName = baseName;
    zone->m_strLabel = caption;
    m_pComfortAreas->push_back(std::move(zone));
    return 1;
}

int CIDG::AddText(const std::string& text, int x, int y, const LogFont& font, int style)
{
    if (!m_pTexts)
        return 0;
    if (isBlank(text)) {
        alertMessage(QCoreApplication::translate("CIDG", cidg_messages::kEmptyText).toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    auto comment = std::make_unique<CCommentString>();
    comment->m_strText = text;
    comment->m_nId = static_cast<int>(m_pTexts->size());
    comment->m_font = font;
    comment->m_nStyle = style;
    comment->m_nPlace[1] = x;
    comment->m_nPlace[3] = y;
    comment->m_nKind = 0;
    m_pTexts->push_back(std::move(comment));
    return 1;
}

int CIDG::EditText(int index, const std::string& text)
{
    if (!m_pTexts || index < 0 || index >= static_cast<int>(m_pTexts->size()))
        return 0;
    if (isBlank(text)) {
        alertMessage(QCoreApplication::translate("CIDG", cidg_messages::kEmptyText).toStdString(),
                     MessageIcon::Stop);
        return 0;
    }
    (*m_pTexts)[static_cast<std::size_t>(index)]->m_strText = text;
    return 1;
}
