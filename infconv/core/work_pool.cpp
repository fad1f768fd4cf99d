#include "work_pool.h"

#include "os.h"

cWorkPool::cWorkPool(unsigned threads) {
    try {
        // Started under a hold, the threads never take an interruption.
        os::InterruptHold hold;
        for (unsigned t = 0; t < threads; ++t) m_threads.emplace_back([this] { serve(); });
    } catch (...) {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        for (std::thread& t : m_threads) t.join();
        throw;
    }
}

cWorkPool::~cWorkPool() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_all();
    for (std::thread& t : m_threads) t.join();
}

void cWorkPool::drain(std::unique_lock<std::mutex>& held) {
    while (m_next < m_count) {
        const std::size_t i = m_next++;
        ++m_running;
        const std::function<void(std::size_t)>& work = *m_work;
        held.unlock();
        work(i);
        held.lock();
        --m_running;
    }
    if (m_running == 0) m_done.notify_all();
}

void cWorkPool::serve() {
    std::unique_lock<std::mutex> held(m_mutex);
    std::size_t seen = m_generation;
    for (;;) {
        m_wake.wait(held, [&] { return m_stopping || m_generation != seen; });
        if (m_stopping) return;
        seen = m_generation;
        drain(held);
    }
}

void cWorkPool::run(std::size_t count, const std::function<void(std::size_t)>& work) {
    std::unique_lock<std::mutex> held(m_mutex);
    m_work = &work;
    m_count = count;
    m_next = 0;
    ++m_generation;
    if (!m_threads.empty()) m_wake.notify_all();
    drain(held);
    m_done.wait(held, [&] { return m_running == 0 && m_next >= m_count; });
    m_work = nullptr;
    m_count = 0;
}
