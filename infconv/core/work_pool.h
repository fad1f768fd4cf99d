// A fixed set of threads that, with the calling thread, work through the
// numbers 0..n-1 of a task and return when all are done. The converter's
// walk converts files and syncs them with it.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class cWorkPool {
  public:
    // `threads` threads besides the caller's (0: the caller does it all).
    // They never take an interruption (Ctrl+C, SIGTERM, ...): it reaches the caller.
    explicit cWorkPool(unsigned threads);
    ~cWorkPool();
    cWorkPool(const cWorkPool&) = delete;
    cWorkPool& operator=(const cWorkPool&) = delete;

    // Calls work(i) once for every i in 0..count-1, on any of the threads,
    // and returns when every call has returned. `work` must not throw.
    void run(std::size_t count, const std::function<void(std::size_t)>& work);
    std::size_t threads() const { return m_threads.size(); }

  private:
    void serve();
    // Takes numbers of the current task until none is left.
    void drain(std::unique_lock<std::mutex>& held);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_done;
    const std::function<void(std::size_t)>* m_work = nullptr;
    std::size_t m_count = 0;
    std::size_t m_next = 0;
    std::size_t m_running = 0;
    std::size_t m_generation = 0;
    bool m_stopping = false;
    std::vector<std::thread> m_threads;
};
