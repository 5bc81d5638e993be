#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include "chart/DrawingThreads.h"

namespace {

// Every part runs once a round, part 0 on the caller and each other part on
// a thread of its own, the same one every round; a part that throws makes
// the round report failure once all parts have ended, and the next round
// runs as before.
TEST(DrawingThreads, EachPartRunsOnItsOwnThreadEveryRound)
{
    for (const int threads : {0, 1, 3}) {
        SCOPED_TRACE(threads);
        chart::DrawingThreads drawing(threads);
        ASSERT_EQ(drawing.parts(), threads + 1);
        std::vector<std::thread::id> first(static_cast<std::size_t>(drawing.parts()));
        for (int round = 0; round < 3; ++round) {
            std::vector<std::thread::id> ran(static_cast<std::size_t>(drawing.parts()));
            std::atomic<int> runs{0};
            const bool throws = round == 1;
            const bool done = drawing.run([&](int part) {
                ran[static_cast<std::size_t>(part)] = std::this_thread::get_id();
                ++runs;
                if (throws && part == drawing.parts() - 1)
                    throw std::runtime_error("part failed");
            });
            EXPECT_EQ(done, !throws) << "round " << round;
            EXPECT_EQ(runs.load(), drawing.parts());
            EXPECT_EQ(ran[0], std::this_thread::get_id());
            EXPECT_EQ(std::set<std::thread::id>(ran.begin(), ran.end()).size(), ran.size());
            if (round == 0)
                first = ran;
            EXPECT_EQ(ran, first) << "round " << round;
        }
    }
}

} // namespace
