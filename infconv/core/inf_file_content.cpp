#include "inf_file_content.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "cfile.h"
#include "large_blocks.h"
#include "os.h"

namespace {

constexpr std::size_t kPiece = std::size_t{256} << 10;
constexpr std::size_t kReleaseStep = std::size_t{1} << 20;

}  // namespace

cInfFileContent::cInfFileContent(cFile& file, std::size_t length) : m_file(file), m_length(length) {
    if (length >= kLargeBlockFrom) {
        m_data = static_cast<char*>(allocateLargeBlock(length));
        m_mapped = true;
    } else {
        m_small = std::make_unique_for_overwrite<char[]>(length);
        m_data = m_small.get();
    }
    m_released = m_data;
}

cInfFileContent::~cInfFileContent() {
    if (m_mapped) freeLargeBlock(m_data, m_length);
}

bool cInfFileContent::more() {
    if (m_filled == m_length) return false;
    const std::size_t want = std::min(kPiece, m_length - m_filled);
    m_filled += m_file.read(m_data + m_filled, want);
    return true;
}

void cInfFileContent::readAll() {
    while (m_filled < m_length) m_filled += m_file.read(m_data + m_filled, m_length - m_filled);
}

void cInfFileContent::release(const char* upTo) {
    if (!m_mapped || upTo - m_released < static_cast<std::ptrdiff_t>(kReleaseStep)) return;
    // Small pages: the text behind the parser goes at once, even where that
    // splits a huge page.
    const auto page = std::uintptr_t{4096};
    const char* end = upTo - (reinterpret_cast<std::uintptr_t>(upTo) & (page - 1));
    if (end > m_released)
        os::discardPages(const_cast<char*>(m_released), static_cast<std::size_t>(end - m_released));
    m_released = end;
}
