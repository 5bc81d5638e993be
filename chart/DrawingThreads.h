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
    // Starts a task on the first thread and returns at once (with no
    // threads, runs it here first); wait() returns when it has ended, false
    // when it ended with an exception. No run() may come between the two.
    void launch(std::function<void()> task);
    bool wait();

    // Threads besides the caller for this machine: one fewer than it runs
    // at once, at most three.
    static int threadsForMachine();

private:
    void work(int part);
    // Starts a round of `part` on the threads; finish waits for its end.
    void begin(const std::function<void(int)>& part);
    bool finish(bool callerFailed);

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
    // The launched task, while it runs, and how it ended when it ran here.
    std::function<void(int)> m_launched;
    bool m_launchRunning = false;
    bool m_launchFailed = false;
};

} // namespace chart
