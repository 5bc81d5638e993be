#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

// qorva-cli's sources are not in a library; the two commands under test are
// compiled into this test program.
#include "app/cli/StateCommand.cpp"

namespace {

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

Outcome runState(const std::vector<std::string>& args)
{
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = runStateCommand(args);
    std::string out = testing::internal::GetCapturedStdout();
    return {status, out, testing::internal::GetCapturedStderr()};
}

Outcome runStates(const std::vector<std::string>& args, const std::string& input)
{
    std::istringstream in(input);
    std::streambuf* previous = std::cin.rdbuf(in.rdbuf());
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const int status = runStatesCommand(args);
    std::string out = testing::internal::GetCapturedStdout();
    std::string err = testing::internal::GetCapturedStderr();
    std::cin.rdbuf(previous);
    return {status, out, err};
}

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> result;
    std::istringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) {
        result.push_back(line);
    }
    return result;
}

TEST(StateCommand, PrintsElevenValuesInDisplayUnits)
{
    const Outcome run = runState({"--p", "101325", "--t", "25", "--rh", "50"});
    ASSERT_EQ(run.status, 0) << run.err;
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 11u);
    const char* names[] = {"p=", "t=", "tw=", "td=", "RH=", "x=", "h=", "pq=", "pqb=", "v=", "rho="};
    for (std::size_t i = 0; i < out.size(); ++i) {
        EXPECT_EQ(out[i].rfind(names[i], 0), 0u) << out[i];
    }
    EXPECT_EQ(out[0], "p=101325");
    EXPECT_EQ(out[4], "RH=50");
    // x in g/kg: 25 °C, 50 % holds 9.88 g/kg.
    EXPECT_NEAR(std::stod(out[5].substr(2)), 9.8816, 0.0005);
    EXPECT_NEAR(std::stod(out[2].substr(3)), 17.90, 0.01);
}

TEST(StateCommand, AnyParameterPairWithDefaultPressure)
{
    const Outcome fromMoisture = runState({"--x", "9.8816", "--h", "50.411"});
    ASSERT_EQ(fromMoisture.status, 0) << fromMoisture.err;
    EXPECT_EQ(lines(fromMoisture.out)[0], "p=101325");
    EXPECT_NEAR(std::stod(lines(fromMoisture.out)[1].substr(2)), 25.0, 0.001);
    const Outcome fromDewPoint = runState({"--td", "13.864", "--tw", "17.8995"});
    ASSERT_EQ(fromDewPoint.status, 0) << fromDewPoint.err;
    EXPECT_NEAR(std::stod(lines(fromDewPoint.out)[1].substr(2)), 25.0, 0.001);
}

TEST(StateCommand, RefusesBadInputWithAMessage)
{
    const std::vector<std::vector<std::string>> usageErrors = {
        {"--t", "25"},                             // one property
        {"--t", "25", "--rh", "50", "--tw", "18"}, // three
        {"--x", "10", "--td", "14"},               // the pair the dialog refuses
        {"--t", "25", "--rh", "fifty"},            // not a number
        {"--t", "25", "--rh"},                     // no value
        {"--t", "25", "--phi", "50"},              // unknown option
        {"--t", "25", "--t", "26"},                // twice
    };
    for (const auto& args : usageErrors) {
        const Outcome run = runState(args);
        EXPECT_EQ(run.status, 2) << args.back();
        EXPECT_TRUE(run.out.empty());
        EXPECT_NE(run.err.find("qorva-cli state: "), std::string::npos) << args.back();
    }
    const Outcome noState = runState({"--t", "20", "--rh", "120"});
    EXPECT_EQ(noState.status, 1);
    EXPECT_NE(noState.err.find("no moist-air state"), std::string::npos);
}

TEST(StatesCommand, OneCsvRowPerLineAndEmptyRowsForFailures)
{
    const Outcome run =
        runStates({"--p", "90000"}, "--t 25 --rh 50\n--t 20 --tw 30\n--p 101325 --t 25 --rh 50\n");
    EXPECT_EQ(run.status, 1);
    const auto out = lines(run.out);
    ASSERT_EQ(out.size(), 4u);
    EXPECT_EQ(out[0], "p,t,tw,td,RH,x,h,pq,pqb,v,rho");
    EXPECT_EQ(out[1].rfind("90000,25,", 0), 0u) << out[1];
    EXPECT_EQ(out[2], ",,,,,,,,,,");
    EXPECT_EQ(out[3].rfind("101325,25,", 0), 0u) << out[3];
    EXPECT_NE(run.err.find("line 2"), std::string::npos);
    EXPECT_EQ(runStates({}, "--t 25 --rh 50\n").status, 0);
    EXPECT_EQ(runStates({"--q", "1"}, "").status, 2);
}

} // namespace
