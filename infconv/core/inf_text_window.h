// A text read through a window that slides over it: however long the text,
// it costs the window's memory, not its length. The tree keeps its own copy
// of every string (inf_arena.h), so the bytes behind the parser are not
// needed again; the text stays on disk for a load that must start over.
#pragma once

#include <cstddef>
#include <memory>

#include "inf_direct_parser.h"

class cInfTextWindow : public cInfTextSource {
  public:
    // `length` is how many bytes there are to read; `window` the size the
    // window starts at (it grows for a token longer than half of it).
    cInfTextWindow(std::size_t length, std::size_t window);

    const char* data() const override { return m_buffer.get(); }
    std::size_t size() const override { return m_filled; }
    bool more(std::size_t keep) override;

  protected:
    // Reads up to `room` bytes (at least one) into `to`; fewer only at the
    // end. Throws when the source fails.
    virtual std::size_t readInto(char* to, std::size_t room) = 0;

    // Whether the bytes in the window are all that were read (none dropped).
    bool wholeSoFar() const { return m_dropped == 0; }
    // Frees the window once its bytes are copied elsewhere; nothing is at hand then.
    void dropWindow() {
        m_buffer.reset();
        m_capacity = m_filled = m_remaining = 0;
    }

  private:
    std::unique_ptr<char[]> m_buffer;
    std::size_t m_capacity;
    std::size_t m_filled = 0;
    std::size_t m_remaining;
    std::size_t m_dropped = 0;
};
