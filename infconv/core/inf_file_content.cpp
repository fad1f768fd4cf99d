#include "inf_file_content.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "cfile.h"
#include "large_blocks.h"

namespace {

// Small enough to stay in the processor's cache while it is parsed; a
// token kept at its start leaves room for the next 64 KB.
constexpr std::size_t kWindow = std::size_t{68} << 10;
constexpr std::size_t kFirstPiece = 4096;

}  // namespace

cInfFileContent::cInfFileContent(cFile& file, std::size_t length)
    : cInfTextWindow(length, kWindow), m_file(file), m_length(length) {}

cInfFileContent::~cInfFileContent() {
    freeLargeBlock(m_whole, m_length);
}

std::size_t cInfFileContent::readInto(char* to, std::size_t room) {
    // The first bytes tell text from binary; a binary file is read whole
    // into a block of its own, so the window's pages are not touched for it.
    if (!m_started) {
        m_started = true;
        room = std::min(room, kFirstPiece);
    }
    return m_file.read(to, room, false);
}

std::span<char> cInfFileContent::spare() const {
    if (!m_whole) return {};
    return {m_whole + m_length, largeBlockSpare(m_length)};
}

void cInfFileContent::readAll() {
    if (m_whole) return;
    if (!wholeSoFar()) throw std::logic_error("the start of the file is no longer at hand");
    auto* whole = static_cast<char*>(allocateLargeBlock(m_length));
    const std::size_t read = cInfTextWindow::size();
    if (read) std::memcpy(whole, cInfTextWindow::data(), read);
    m_whole = whole;
    // Its memory is reused by what is made next (the converted file's buffer).
    dropWindow();
    // A file cut short meanwhile fails its read, as before.
    for (std::size_t filled = read; filled < m_length;)
        filled += m_file.read(whole + filled, m_length - filled, false);
}
