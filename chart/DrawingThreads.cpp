#include "chart/DrawingThreads.h"

#include <algorithm>

namespace chart {

DrawingThreads::DrawingThreads(int threads) : m_threads(std::max(0, threads)) {}

DrawingThreads::~DrawingThreads()
{
    wait();
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

int DrawingThreads::threadsForMachine()
{
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores - 1, 0, 3);
}

void DrawingThreads::begin(const std::function<void(int)>& part)
{
    if (m_workers.empty())
        for (int k = 1; k <= m_threads; ++k)
            m_workers.emplace_back([this, k] { work(k); });
    {
        std::lock_guard lock(m_mutex);
        m_part = &part;
        m_running = m_threads;
        m_failed = false;
        ++m_round;
    }
    m_wake.notify_all();
}

bool DrawingThreads::finish(bool callerFailed)
{
    std::unique_lock lock(m_mutex);
    m_done.wait(lock, [this] { return m_running == 0; });
    m_part = nullptr;
    return !callerFailed && !m_failed;
}

bool DrawingThreads::run(const std::function<void(int)>& part)
{
    begin(part);
    bool failed = false;
    try {
        part(0);
    } catch (...) {
        failed = true;
    }
    return finish(failed);
}

void DrawingThreads::launch(std::function<void()> task)
{
    m_launchFailed = false;
    if (m_threads == 0) {
        try {
            task();
        } catch (...) {
            m_launchFailed = true;
        }
        return;
    }
    m_launched = [task = std::move(task)](int part) {
        if (part == 1)
            task();
    };
    begin(m_launched);
    m_launchRunning = true;
}

bool DrawingThreads::wait()
{
    if (!m_launchRunning)
        return !m_launchFailed;
    m_launchRunning = false;
    const bool done = finish(false);
    m_launched = nullptr;
    return done;
}

void DrawingThreads::work(int part)
{
    std::uint64_t seen = 0;
    for (;;) {
        const std::function<void(int)>* task = nullptr;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [&] { return m_stop || m_round != seen; });
            if (m_stop)
                return;
            seen = m_round;
            task = m_part;
        }
        bool failed = false;
        try {
            (*task)(part);
        } catch (...) {
            failed = true;
        }
        {
            std::lock_guard lock(m_mutex);
            m_failed = m_failed || failed;
            --m_running;
        }
        m_done.notify_one();
    }
}

} // namespace chart
