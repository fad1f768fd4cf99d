#include "inf_text_window.h"

#include <algorithm>
#include <cstring>

cInfTextWindow::cInfTextWindow(std::size_t length, std::size_t window)
    : m_buffer(std::make_unique_for_overwrite<char[]>(std::max<std::size_t>(window, 2))),
      m_capacity(std::max<std::size_t>(window, 2)),
      m_remaining(length) {}

bool cInfTextWindow::more(std::size_t keep) {
    if (m_remaining == 0) return false;
    keep = std::min(keep, m_filled);
    const char* kept = m_buffer.get() + (m_filled - keep);
    if (keep > m_capacity / 2) {
        // A token as long as half the window: a larger one, so a long token
        // costs reads in proportion to its length, not to its square.
        const std::size_t capacity = std::max(m_capacity * 2, keep * 2);
        auto larger = std::make_unique_for_overwrite<char[]>(capacity);
        std::memcpy(larger.get(), kept, keep);
        m_buffer = std::move(larger);
        m_capacity = capacity;
    } else if (keep > 0 && kept != m_buffer.get()) {
        std::memmove(m_buffer.get(), kept, keep);
    }
    m_dropped += m_filled - keep;
    const std::size_t got =
        readInto(m_buffer.get() + keep, std::min(m_capacity - keep, m_remaining));
    m_filled = keep + got;
    // A file cut short meanwhile ends where its reads end.
    m_remaining = got == 0 ? 0 : m_remaining - got;
    return true;
}
