#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "psychro/QorvaDll.h"

namespace {

constexpr float kSentinel = -12345.0f;

// One library function with a set of inputs it accepts. call() passes the
// inputs in order and the outputs, which start as kSentinel. Integer
// selectors (mode, code) travel as floats too; integerInputs marks them so
// that no NaN is converted to int.
struct Call {
    std::string name;
    std::vector<float> inputs;
    std::function<int(const std::vector<float>&, float*)> call;
    std::vector<std::size_t> integerInputs = {};
};

// Room state 26 °C, 55 %: x 0.01159, h 55.69, tw 19.7, td 16.3.
constexpr float kX = 0.01159f, kH = 55.69f;

std::vector<Call> everyFunction()
{
    using In = const std::vector<float>&;
    return {
        {"ptRH_all",
         {101325, 26, 0.55f},
         [](In i, float* o) {
             return ptRH_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"pttw_all",
         {101325, 26, 19.7f},
         [](In i, float* o) {
             return pttw_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"pxh_all",
         {101325, kX, kH},
         [](In i, float* o) {
             int reserved = 7;
             return pxh_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7, &reserved);
         }},
        {"pth_all",
         {101325, 26, kH},
         [](In i, float* o) {
             return pth_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"pxtw_all",
         {101325, kX, 19.7f},
         [](In i, float* o) {
             return pxtw_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"pxRH_all",
         {101325, kX, 0.55f},
         [](In i, float* o) {
             return pxRH_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"ptx_all",
         {101325, 26, kX},
         [](In i, float* o) {
             return ptx_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"phRH_all",
         {101325, kH, 0.55f},
         [](In i, float* o) {
             return phRH_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"phtw_all",
         {101325, kH, 19.7f},
         [](In i, float* o) {
             return phtw_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"ptwRH_all",
         {101325, 19.7f, 0.55f},
         [](In i, float* o) {
             return ptwRH_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"pttd_all",
         {101325, 26, 16.3f},
         [](In i, float* o) {
             return pttd_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"pRHtd_all",
         {101325, 0.55f, 16.3f},
         [](In i, float* o) {
             return pRHtd_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"phtd_all",
         {101325, kH, 16.3f},
         [](In i, float* o) {
             return phtd_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"ptwtd_all",
         {101325, 19.7f, 16.3f},
         [](In i, float* o) {
             return ptwtd_all(i[0], i[1], i[2], o, o + 1, o + 2, o + 3, o + 4, o + 5, o + 6, o + 7);
         }},
        {"tx_h", {26, kX}, [](In i, float* o) { return tx_h(i[0], i[1], o); }},
        {"xh_t", {kX, kH}, [](In i, float* o) { return xh_t(i[0], i[1], o); }},
        {"pxh_RH", {101325, kX, kH}, [](In i, float* o) { return pxh_RH(i[0], i[1], i[2], o); }},
        {"pxRH_t", {101325, kX, 0.55f}, [](In i, float* o) { return pxRH_t(i[0], i[1], i[2], o); }},
        {"pxh_tRHtw",
         {101325, kX, kH},
         [](In i, float* o) { return pxh_tRHtw(i[0], i[1], i[2], o, o + 1, o + 2); }},
        {"t_et", {26}, [](In i, float* o) { return t_et(i[0], o); }},
        {"et_t", {3361}, [](In i, float* o) { return et_t(i[0], o); }},
        {"h1h2_deltah", {kH, 40}, [](In i, float* o) { return h1h2_deltah(i[0], i[1], o); }},
        {"x1h1x2h2_HHR",
         {kX, kH, 0.008f, 40},
         [](In i, float* o) { return x1h1x2h2_HHR(i[0], i[1], i[2], i[3], o); }},
        {"MDh1h2Q_G",
         {1.2f, kH, 40, 5000},
         [](In i, float* o) { return MDh1h2Q_G(i[0], i[1], i[2], i[3], o); }},
        {"MDh1h2G_Q",
         {1.2f, kH, 40, 3000},
         [](In i, float* o) { return MDh1h2G_Q(i[0], i[1], i[2], i[3], o); }},
        {"MDh1h2G_Q1",
         {1.2f, kH, 40, 3000},
         [](In i, float* o) { return MDh1h2G_Q1(i[0], i[1], i[2], i[3], o); }},
        {"MDh1h2G_Q2",
         {1.2f, kH, 40, 3000},
         [](In i, float* o) { return MDh1h2G_Q2(i[0], i[1], i[2], i[3], o); }},
        {"MDx1x2G_H",
         {1.2f, kX, 0.008f, 3000},
         [](In i, float* o) { return MDx1x2G_H(i[0], i[1], i[2], i[3], o); }},
        {"px1h1x2h2ratio_xh",
         {101325, kX, kH, 0.02f, 85, 0.3f},
         [](In i, float* o) { return px1h1x2h2ratio_xh(i[0], i[1], i[2], i[3], i[4], i[5], o, o + 1); }},
        {"px0h0x1_xh",
         {101325, kX, kH, 0, 0, 20},
         [](In i, float* o) { return px0h0x1_xh(i[0], i[1], i[2], int(i[3]), int(i[4]), i[5], o, o + 1); },
         {3, 4}},
        {"px0h0t1_xh",
         {101325, kX, kH, 1, 2, 0.8f},
         [](In i, float* o) { return px0h0t1_xh(i[0], i[1], i[2], int(i[3]), int(i[4]), i[5], o, o + 1); },
         {3, 4}},
        {"px0h0h1_xh",
         {101325, kX, kH, 1, 2, 0.8f},
         [](In i, float* o) { return px0h0h1_xh(i[0], i[1], i[2], int(i[3]), int(i[4]), i[5], o, o + 1); },
         {3, 4}},
        {"px1h1x2h2g_xh",
         {101325, kX, kH, 0.008f, 30, 1, 3, 0.9f},
         [](In i, float* o) {
             return px1h1x2h2g_xh(i[0], i[1], i[2], i[3], i[4], int(i[5]), int(i[6]), i[7], o, o + 1);
         },
         {5, 6}},
        {"px1h1HHRr_xh",
         {101325, kX, kH, 15000, 1, 3, 0.9f},
         [](In i, float* o) {
             return px1h1HHRr_xh(i[0], i[1], i[2], i[3], int(i[4]), int(i[5]), i[6], o, o + 1);
         },
         {4, 5}},
        {"px1h1HHR_2P",
         {101325, kX, kH, 15000},
         [](In i, float* o) { return px1h1HHR_2P(i[0], i[1], i[2], i[3], o, o + 1, o + 2, o + 3); }},
        {"px0h0HHR_x1h1x2h2",
         {101325, kX, kH, 15000, 0, 5, 3, 0.95f},
         [](In i, float* o) {
             return px0h0HHR_x1h1x2h2(i[0], i[1], i[2], i[3], int(i[4]), i[5], int(i[6]), i[7], o, o + 1,
                                      o + 2, o + 3);
         },
         {4, 6}},
        {"x1h1x2h2x3h3x4h4_xh",
         {0.008f, 40, 0.012f, 60, 0.008f, 60, 0.012f, 40},
         [](In i, float* o) {
             return x1h1x2h2x3h3x4h4_xh(i[0], i[1], i[2], i[3], i[4], i[5], i[6], i[7], o, o + 1);
         }},
        {"x1h1x2h2x3h3HHR_xh",
         {0.008f, 40, 0.012f, 60, 0.008f, 60, -5000},
         [](In i, float* o) {
             return x1h1x2h2x3h3HHR_xh(i[0], i[1], i[2], i[3], i[4], i[5], i[6], o, o + 1);
         }},
        {"x1h1HHR1x2h2HHR2_xh",
         {0.008f, 40, 5000, 0.008f, 60, -5000},
         [](In i, float* o) { return x1h1HHR1x2h2HHR2_xh(i[0], i[1], i[2], i[3], i[4], i[5], o, o + 1); }},
    };
}

bool untouched(const float* out)
{
    for (int k = 0; k < 12; ++k) {
        if (out[k] != kSentinel) {
            return false;
        }
    }
    return true;
}

TEST(LibraryContract, ThereAreThirtyNineFunctions)
{
    EXPECT_EQ(everyFunction().size(), 39u);
}

TEST(LibraryContract, EveryFunctionAcceptsItsSampleAndGivesFiniteOutputs)
{
    for (const Call& c : everyFunction()) {
        float out[12];
        std::fill(out, out + 12, kSentinel);
        ASSERT_EQ(c.call(c.inputs, out), 1) << c.name;
        for (float value : out) {
            EXPECT_TRUE(std::isfinite(value)) << c.name;
        }
    }
}

TEST(LibraryContract, NotANumberOrInfinityInAnyInputFailsWithoutWriting)
{
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
                         -std::numeric_limits<float>::infinity()};
    for (const Call& c : everyFunction()) {
        for (std::size_t k = 0; k < c.inputs.size(); ++k) {
            if (std::find(c.integerInputs.begin(), c.integerInputs.end(), k) != c.integerInputs.end()) {
                continue;
            }
            for (float value : bad) {
                std::vector<float> inputs = c.inputs;
                inputs[k] = value;
                float out[12];
                std::fill(out, out + 12, kSentinel);
                EXPECT_EQ(c.call(inputs, out), 0) << c.name << " input " << k << " = " << value;
                EXPECT_TRUE(untouched(out)) << c.name << " input " << k << " = " << value;
            }
        }
    }
}

TEST(LibraryContract, ExtremeFiniteInputsGiveFailureOrFiniteOutputs)
{
    const float extremes[] = {0.0f, 1e-30f, -1e-30f, 1e30f, -1e30f, 3.4e38f, -3.4e38f};
    for (const Call& c : everyFunction()) {
        for (std::size_t k = 0; k < c.inputs.size(); ++k) {
            if (std::find(c.integerInputs.begin(), c.integerInputs.end(), k) != c.integerInputs.end()) {
                continue;
            }
            for (float value : extremes) {
                std::vector<float> inputs = c.inputs;
                inputs[k] = value;
                float out[12];
                std::fill(out, out + 12, kSentinel);
                if (c.call(inputs, out) == 0) {
                    EXPECT_TRUE(untouched(out)) << c.name << " input " << k << " = " << value;
                    continue;
                }
                for (float result : out) {
                    EXPECT_TRUE(std::isfinite(result)) << c.name << " input " << k << " = " << value;
                }
            }
        }
    }
}

TEST(LibraryContract, OutOfRangeInputsFail)
{
    float a = 0, b = 0, c = 0, d = 0, e = 0, f = 0, g = 0, h = 0;
    // Pressure outside 10 kPa … 1 MPa.
    EXPECT_EQ(ptRH_all(0.0f, 20.0f, 0.5f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    EXPECT_EQ(ptRH_all(5000.0f, 20.0f, 0.5f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    EXPECT_EQ(ptRH_all(-101325.0f, 20.0f, 0.5f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    // Relative humidity outside 0 … 1.
    EXPECT_EQ(ptRH_all(101325.0f, 20.0f, 1.001f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    EXPECT_EQ(ptRH_all(101325.0f, 20.0f, -0.01f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    EXPECT_EQ(pxRH_all(101325.0f, 0.01f, 0.0f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    EXPECT_EQ(ptwRH_all(101325.0f, 15.0f, 1.5f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    // Temperatures outside −100 … 200 °C.
    EXPECT_EQ(ptRH_all(101325.0f, -100.5f, 0.5f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    EXPECT_EQ(ptRH_all(101325.0f, 200.5f, 0.01f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    EXPECT_EQ(pttd_all(101325.0f, 20.0f, -150.0f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    int reserved = 0;
    EXPECT_EQ(pxh_all(101325.0f, 0.0f, 250.0f, &a, &b, &c, &d, &e, &f, &g, &h, &reserved), 0);
    // Vapour pressure at or above the total pressure: saturated air at 99 °C under 80 kPa.
    EXPECT_EQ(ptRH_all(80000.0f, 99.0f, 1.0f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    EXPECT_EQ(pttd_all(80000.0f, 120.0f, 99.0f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    // Negative moisture content.
    EXPECT_EQ(ptx_all(101325.0f, 20.0f, -0.001f, &a, &b, &c, &d, &e, &f, &g, &h), 0);
    EXPECT_EQ(tx_h(20.0f, -0.001f, &a), 0);
    // A null output.
    EXPECT_EQ(ptRH_all(101325.0f, 20.0f, 0.5f, &a, &b, &c, nullptr, &e, &f, &g, &h), 0);
    EXPECT_EQ(pxh_all(101325.0f, 0.01f, 50.0f, &a, &b, &c, &d, &e, &f, &g, &h, nullptr), 0);
}

TEST(LibraryContract, ReservedOutputOfPxhAllIsZero)
{
    float a = 0, b = 0, c = 0, d = 0, e = 0, f = 0, g = 0, h = 0;
    int reserved = 99;
    ASSERT_EQ(pxh_all(101325.0f, kX, kH, &a, &b, &c, &d, &e, &f, &g, &h, &reserved), 1);
    EXPECT_EQ(reserved, 0);
}

TEST(Differences, EnthalpyDifferenceIsSecondMinusFirst)
{
    float dh = 0;
    ASSERT_EQ(h1h2_deltah(60.0f, 45.5f, &dh), 1);
    EXPECT_FLOAT_EQ(dh, -14.5f);
}

TEST(Differences, HeatMoistureRatio)
{
    float ratio = 0;
    ASSERT_EQ(x1h1x2h2_HHR(0.008f, 40.0f, 0.010f, 60.0f, &ratio), 1);
    EXPECT_NEAR(ratio, 10000.0f, 0.5f);
    ASSERT_EQ(x1h1x2h2_HHR(0.010f, 60.0f, 0.008f, 40.0f, &ratio), 1);
    EXPECT_NEAR(ratio, 10000.0f, 0.5f) << "the same whichever state comes first";
    // Equal moisture: the program's vertical line, with the sign of the enthalpy change.
    ASSERT_EQ(x1h1x2h2_HHR(0.010f, 40.0f, 0.010f, 60.0f, &ratio), 1);
    EXPECT_EQ(ratio, 99999997952.0f);
    ASSERT_EQ(x1h1x2h2_HHR(0.010f, 60.0f, 0.010f, 40.0f, &ratio), 1);
    EXPECT_EQ(ratio, -99999997952.0f);
    EXPECT_EQ(x1h1x2h2_HHR(0.010f, 60.0f, 0.010f, 60.0f, &ratio), 0) << "one state is no line";
}

TEST(Flows, AirVolumeAndCapacitiesAreMagnitudes)
{
    // 10 kW over 10 kJ/kg at 1.2 kg/m³: 10000·3.6/(1.2·10) = 3000 m³/h.
    float G = 0;
    ASSERT_EQ(MDh1h2Q_G(1.2f, 60.0f, 50.0f, 10000.0f, &G), 1);
    EXPECT_NEAR(G, 3000.0f, 0.01f);
    ASSERT_EQ(MDh1h2Q_G(1.2f, 50.0f, 60.0f, 10000.0f, &G), 1);
    EXPECT_NEAR(G, 3000.0f, 0.01f);
    EXPECT_EQ(MDh1h2Q_G(1.2f, 50.0f, 50.0f, 10000.0f, &G), 0) << "no enthalpy difference";
    EXPECT_EQ(MDh1h2Q_G(0.0f, 60.0f, 50.0f, 10000.0f, &G), 0) << "no density";

    for (auto capacity : {MDh1h2G_Q, MDh1h2G_Q1, MDh1h2G_Q2}) {
        float Q = 0;
        ASSERT_EQ(capacity(1.2f, 60.0f, 50.0f, 3000.0f, &Q), 1);
        EXPECT_NEAR(Q, 10000.0f, 0.05f);
        ASSERT_EQ(capacity(1.2f, 50.0f, 60.0f, 3000.0f, &Q), 1);
        EXPECT_NEAR(Q, 10000.0f, 0.05f);
        ASSERT_EQ(capacity(1.2f, 50.0f, 50.0f, 3000.0f, &Q), 1);
        EXPECT_EQ(Q, 0.0f) << "no enthalpy change, no capacity";
        EXPECT_EQ(capacity(1.2f, 60.0f, 50.0f, -1.0f, &Q), 0) << "negative air volume";
        EXPECT_EQ(capacity(-1.2f, 60.0f, 50.0f, 3000.0f, &Q), 0) << "negative density";
    }
}

TEST(Flows, MoistureFlowIsPositiveForHumidification)
{
    // 3000 m³/h at 1.2 kg/m³ picking up 1 g/kg: 3.6 kg/h.
    float W = 0;
    ASSERT_EQ(MDx1x2G_H(1.2f, 0.008f, 0.009f, 3000.0f, &W), 1);
    EXPECT_NEAR(W, 3.6f, 1e-4);
    ASSERT_EQ(MDx1x2G_H(1.2f, 0.009f, 0.008f, 3000.0f, &W), 1);
    EXPECT_NEAR(W, -3.6f, 1e-4) << "dehumidification";
}

} // namespace
