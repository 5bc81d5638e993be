#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "analysis/AnalysisFramework.h"
#include "analysis/Binding.h"
#include "model/CIDG.h"

// The steps every analysis is made of: derived points placed through the
// chart model's operations on the full chart (a result never depends on the
// zoom), the library's flow functions at the summer density, process lines
// and result texts. A step that fails throws AnalysisStop with the reason;
// each analysis turns it into its 0 and reason.
namespace analysis_support {

inline constexpr int kOutdoor = 0;
inline constexpr int kIndoor = 1;
inline constexpr int kRoomLine = 0;
// Trial searches give up after this many steps.
inline constexpr int kMaxSearchSteps = 100000;

struct AnalysisStop {
    std::string reason;
};

[[noreturn]] inline void stop(std::string reason)
{
    throw AnalysisStop{std::move(reason)};
}

class Steps {
public:
    explicit Steps(CIDG& idg) : m_idg(idg), m_region(idg.FullChartStates()) {}

    CIDG& idg() { return m_idg; }
    CServiceArea& room();
    const CStatePoint& point(int index) const;
    int pointCount() const;

    // A point on a line through a base (CIDG::LineMethod) at one value;
    // −1 on failure, m_strLastNote then telling what was tried.
    int linePoint(const std::string& name, int method, int base, int valueKind, float value);
    // The mixture of index1 and index2, r the share of index2; −1 on failure.
    int mixingPoint(const std::string& name, int index1, int index2, float r);
    // An independent point completed from (x, h) or (t, x); −1 on failure.
    int pointFromMoistureEnthalpy(const std::string& name, float x, float h);
    int pointFromTemperatureMoisture(const std::string& name, float t, float x);
    // The outdoor air after a heat exchanger that recovers heat from the
    // room's exhaust N: the point W1 the recovery step places, kept in the
    // room's RoomHeatRecovery for the current condition, with the heat it saves
    // the coil after it (W at the summer density; negative where the
    // exchanger adds to the load). W itself and nothing saved when the room
    // recovers no heat; stops with the step's refusal.
    struct Recovered {
        int inlet = kOutdoor; // the air the coil treats
        float saved = 0;
        bool placed() const { return inlet != kOutdoor; }
    };
    Recovered recoverFreshAir(const RecoveryParams& recovery, float volume);
    // The 热回收量 text of W-W1 (nothing without recovery).
    void recoveryText(const Recovered& recovered, float volume);
    // Removes every point from index on (the points a failed step placed last).
    void removeFrom(int index);

    // The library's flows at the summer density; −1 on failure.
    float airVolume(int a, int b, float load) const;
    float capacity(int a, int b, float volume) const;
    float heating(int a, int b, float volume) const;
    float reheat(int a, int b, float volume) const;
    float moistureFlow(int a, int b, float volume) const;

    void line(const std::string& name, int start, int end);
    // A plain or state text with up to three references.
    CCommentString* text(int kind, const std::string& words, int ref0, int ref1, int ref2 = -1);
    // A result that carries its values (value_slot, value): worded from its
    // record by the one wording of result texts. ref2 is the mixture of a
    // mixing ratio, whose value is the share of ref1.
    CCommentString* result(int kind, std::initializer_list<std::pair<int, float>> values, int ref0, int ref1,
                           int ref2 = -1);
    // The five state values after a label: "  t℃  tw℃  RH%  xg/kg  h".
    std::string stateValues(int index) const;
    std::string name(int index) const { return point(index).m_strName; }

private:
    CIDG& m_idg;
    StateRegion m_region;
};

// The share of b in a mixture m of a and b by the lever rule on the exact
// moisture contents (the enthalpies when the moisture contents of a and m
// are equal): |a − m| / |a − b|. 0 when a and b coincide.
double leverShare(const CStatePoint& a, const CStatePoint& m, const CStatePoint& b);

} // namespace analysis_support
