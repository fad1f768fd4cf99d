// The bytes of a file being loaded: a text through a window that slides over
// it, a binary file whole.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "inf_text_window.h"

class cFile;

// A text is parsed as it is read, a window at a time, so its bytes cost the
// window's memory beside the tree rather than their length. A binary file
// (told by its first bytes) is read whole into one block the size of the file.
class cInfFileContent : public cInfTextWindow {
  public:
    // `file` is open for reading at its start and `length` is its size; it
    // is read from until its end, and must live until then.
    cInfFileContent(cFile& file, std::size_t length);
    ~cInfFileContent() override;
    cInfFileContent(const cInfFileContent&) = delete;
    cInfFileContent& operator=(const cInfFileContent&) = delete;

    const char* data() const override { return m_whole ? m_whole : cInfTextWindow::data(); }
    std::size_t size() const override { return m_whole ? m_length : cInfTextWindow::size(); }
    std::string_view view() const { return {data(), size()}; }
    // After readAll(): memory behind the file's bytes that the block has
    // already paid for (see largeBlockSpare), free for other use while the
    // content lives.
    std::span<char> spare() const;

    // Reads the rest into one block with the bytes read so far; only before
    // the window has moved on.
    void readAll();

  protected:
    std::size_t readInto(char* to, std::size_t room) override;

  private:
    cFile& m_file;
    std::size_t m_length;
    char* m_whole = nullptr;
    bool m_started = false;
};
