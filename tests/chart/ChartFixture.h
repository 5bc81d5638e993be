#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "render/RecordingCanvas.h"
#include "render/ChartRenderer.h"

// A chart model drawing its own object lists (no project room, so nothing
// rebinds them), laid out for a 1920-pixel screen with a 12-pixel label font.
class ChartFixture : public ::testing::Test {
protected:
    ChartFixture()
    {
        LogFont font;
        font.lfHeight = -12;
        idg.m_font1 = font;
        idg.m_font2 = font;
        idg.m_pPoints = &points;
        idg.m_pProcessLines = &processLines;
        idg.m_pHhrLines = &hhrLines;
        idg.m_pTexts = &texts;
        idg.m_pComfortAreas = &comfortAreas;
        idg.m_pParamPoints = &paramPoints;
        chart.LayoutChart(device);
    }

    // A point given by x (kg/kg) and h (kJ/kg), completed.
    int addPoint(const std::string& name, double x, double h)
    {
        auto point = std::make_unique<CStatePoint>();
        point->m_strName = name;
        point->m_nKind = CStatePoint::kIndependent;
        point->m_d = static_cast<float>(x);
        point->m_h = static_cast<float>(h);
        point->m_bKnownD = point->m_bKnownH = 1;
        idg.CalcStatePoint(*point);
        point->m_nId = static_cast<int>(points.size());
        points.push_back(std::move(point));
        return static_cast<int>(points.size()) - 1;
    }

    // A point at device pixel (X, Y) of the current layout.
    int addPointAt(const std::string& name, int X, int Y)
    {
        const CanvasPoint relative = chart.ToChartRelative({X, Y});
        return addPoint(name, chart.MoistureFromX(relative.x), chart.EnthalpyFromXY(relative.x, relative.y));
    }

    int addProcessLine(const std::string& name, int start, int end)
    {
        auto line = std::make_unique<CGuoChengXian>();
        line->m_strName = name;
        line->m_nStart = start;
        line->m_nEnd = end;
        line->m_nId = static_cast<int>(processLines.size());
        processLines.push_back(std::move(line));
        return static_cast<int>(processLines.size()) - 1;
    }

    int addHhrLine(const std::string& name, int base, float ratio)
    {
        auto line = std::make_unique<CReShiBiXian>();
        line->m_strName = name;
        line->m_nPoint1 = base;
        line->m_fRatio = ratio;
        line->m_nMode = CReShiBiXian::kThroughPointWithRatio;
        line->m_nId = static_cast<int>(hhrLines.size());
        hhrLines.push_back(std::move(line));
        return static_cast<int>(hhrLines.size()) - 1;
    }

    int addText(const std::string& text, int kind = 1)
    {
        auto record = std::make_unique<CCommentString>();
        record->m_strText = text;
        record->m_nKind = kind;
        record->m_font = idg.m_font1;
        record->m_nId = static_cast<int>(texts.size());
        texts.push_back(std::move(record));
        return static_cast<int>(texts.size()) - 1;
    }

    RecordingCanvas draw()
    {
        RecordingCanvas canvas;
        chart.DrawChart(canvas, device);
        return canvas;
    }

    const ChartLayout& layout() const { return chart.m_layout; }

    // No iso-line and no saturation curve drawn: names stand where only the
    // objects and the grid's labels decide.
    void hideGridLines()
    {
        for (int family : {kFamilyMoisture, kFamilyEnthalpy, kFamilyDryBulb, kFamilyHumidity,
                           kFamilySaturation, kFamilyWetBulb})
            idg.m_drawOptions[static_cast<std::size_t>(family)].m_bShow = 0;
    }

    // A rubber band dragged over the chart of renderer, applied as the
    // document applies it.
    static void clipChart(CIDG& model, const ChartRenderer& renderer, int left, int top, int right,
                          int bottom)
    {
        if (const auto window = renderer.ClipWindow(left, top, right, bottom)) {
            model.SetWindow(*window);
            model.SetWindow(chart::settledWindow(model));
        }
    }
    void clip(int left, int top, int right, int bottom) { clipChart(idg, chart, left, top, right, bottom); }

    ChartDevice device;
    CIDG idg;
    ChartRenderer chart{idg};
    ObjectArray<CStatePoint> points;
    ObjectArray<CGuoChengXian> processLines;
    ObjectArray<CReShiBiXian> hhrLines;
    ObjectArray<CCommentString> texts;
    ObjectArray<CComfortArea> comfortAreas;
    ObjectArray<CParamPoint> paramPoints;
};
