#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace chart {

// A few threads of our own that draw parts of an image beside the calling
// thread: part 0 on the caller, part k on thread k. A part always runs on
// the same thread, so what a part keeps from one drawing to the next (the
// shapes of its texts, the fonts behind them) is only ever used by one
// thread. The threads start with the first drawing and end with the object.
class DrawingThreads {
public:
    // threads: how many besides the caller (0: the caller draws alone).
    explicit DrawingThreads(int threads);
    ~DrawingThreads();
    DrawingThreads(const DrawingThreads&) = delete;
    DrawingThreads& operator=(const DrawingThreads&) = delete;

    // How many parts a drawing is made of: the threads and the caller.
    int parts() const { return m_threads + 1; }
    // Runs part(k) for every part, each on its own thread, and returns when
    // all have returned; false when a part ended with an exception (the
    // others still ran to their end).
    bool run(const std::function<void(int)>& part);

    // Threads besides the caller for this machine: one fewer than it runs
    // at once, at most three.
    static int threadsForMachine();

private:
    void work(int part);

    const int m_threads;
    std::vector<std::thread> m_workers;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    const std::function<void(int)>* m_part = nullptr;
    std::uint64_t m_round = 0;
    int m_running = 0;
    bool m_failed = false;
    bool m_stop = false;
};

} // namespace chart
