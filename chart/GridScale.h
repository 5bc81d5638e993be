#pragma once

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chart/ChartForm.h"
#include "chart/TextMetrics.h"
#include "model/CIDG.h"
#include "psychro/DisplayUnits.h"

namespace chart {

// The values of an iso-line family in the unit system the chart is labelled
// in. In SI and engineering units the chart keeps its SI lines and labels;
// in IP the lines stand at round values of the IP unit (every 10 °F, every
// 10 gr/lb, every 2 Btu/lb), their step the SI step converted and rounded
// to 1, 2 or 5 times a power of ten, and are labelled in that unit.
class GridScale {
public:
    GridScale(qorva::units::Quantity quantity, double siStep, const CIDG& idg)
        : m_quantity(quantity), m_ip(idg.m_nUnitSystem == CIDG::kUnitsIP), m_step(siStep)
    {
        if (m_ip)
            m_step = roundStep(shownDifference(siStep));
    }

    bool ip() const { return m_ip; }
    // The step in the unit labelled (in SI as stored: kg/kg, kJ/kg, °C).
    double step() const { return m_step; }
    // A stored value in the unit labelled, and back.
    double shown(double stored) const
    {
        return m_ip ? qorva::units::shown(m_quantity, stored, qorva::units::DisplaySystem::IP) : stored;
    }
    double stored(double shownValue) const
    {
        return m_ip ? qorva::units::stored(m_quantity, shownValue, qorva::units::DisplaySystem::IP)
                    : shownValue;
    }
    // The stored values of the lines below limit: in SI from, from + step,
    // …; in IP the multiples of the IP step from the first at or above from.
    // At most kMaxLinesPerFamily + 1 of them, ascending.
    std::vector<double> values(double from, double limit) const
    {
        std::vector<double> result;
        const double first = m_ip ? std::ceil(shown(from) / m_step - 1e-9) * m_step + 0.0 : from;
        for (int i = 0; i <= kMaxLinesPerFamily; ++i) {
            const double value = m_ip ? stored(first + i * m_step) : first + i * m_step;
            if (!(value < limit))
                break;
            result.push_back(value);
        }
        return result;
    }
    // The lines at whole multiples of the step from low to limit.
    std::vector<double> multiples(double low, double limit) const
    {
        return values(m_ip ? low : std::ceil(low / m_step - 1e-9) * m_step + 0.0, limit);
    }
    // Whether the family's lines over the stored span can be walked.
    bool usable(double storedSpan) const
    {
        return m_step > 0.0 && std::isfinite(m_step) && std::isfinite(storedSpan) &&
               std::fabs(shownDifference(storedSpan)) / m_step <= kMaxLinesPerFamily;
    }
    // The number a line is labelled with: the IP value, or the SI value in
    // the unit of the chart's SI labels (g/kg for moisture contents).
    double labelValue(double stored) const
    {
        if (m_ip)
            return shown(stored);
        return m_quantity == qorva::units::Quantity::MoistureContent ? stored * 1000.0 : stored;
    }
    // The axis title: the quantity's symbol and the unit labelled.
    std::string title(const char* symbol) const
    {
        using qorva::units::Quantity;
        const char* unit = m_quantity == Quantity::Temperature       ? (m_ip ? "℉" : "℃")
                           : m_quantity == Quantity::MoistureContent ? (m_ip ? "gr/lb" : "g/kg")
                           : m_quantity == Quantity::SpecificVolume  ? (m_ip ? "ft³/lb" : "m³/kg")
                                                                     : (m_ip ? "Btu/lb" : "kJ/kg");
        return std::string(symbol) + "(" + unit + ")";
    }

private:
    // A difference in the stored unit as a difference in the IP unit.
    double shownDifference(double storedDifference) const
    {
        using qorva::units::DisplaySystem;
        if (!m_ip)
            return storedDifference;
        return qorva::units::shown(m_quantity, storedDifference, DisplaySystem::IP) -
               qorva::units::shown(m_quantity, 0.0, DisplaySystem::IP);
    }
    // The smallest of 1, 2 and 5 times a power of ten that is no finer than
    // the value by more than a fifth (7 gr/lb gives 10, 2.15 Btu/lb gives
    // 2): an IP chart keeps about as many lines as the SI chart, rather
    // fewer than more. The value itself when it is no usable step.
    static double roundStep(double value)
    {
        if (!(value > 0.0) || !std::isfinite(value))
            return value;
        const double least = value / 1.2;
        const double decade = std::pow(10.0, std::floor(std::log10(least)));
        for (const double multiple : {1.0, 2.0, 5.0})
            if (multiple * decade >= least * (1.0 - 1e-12))
                return multiple * decade;
        return 10.0 * decade;
    }

    qorva::units::Quantity m_quantity;
    bool m_ip;
    double m_step;
};

// The least distance between two axis values: the chart's label gap, and in
// IP, where the values run to three digits, the width of the value with
// half a digit's room either side.
inline int axisValueGap(int chartGap, GridSink& sink, const GridScale& scale, double value)
{
    if (!scale.ip())
        return chartGap;
    const int room = sink.measure("0").width;
    return std::max(chartGap, sink.measure(formatNumber("%1.0f", value)).width + room);
}

} // namespace chart
