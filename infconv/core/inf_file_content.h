// The bytes of a file being loaded, in one block the size of the file.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "inf_direct_parser.h"

class cFile;

// Read a piece at a time as the direct parser needs them, or whole. A large
// block gives the memory of the pieces already parsed back to the system as
// it goes, so a large text costs little more than its tree; the block stays
// reserved, so a file too large for memory is refused as before.
class cInfFileContent : public cInfTextSource {
  public:
    // `file` is open for reading at its start and `length` is its size; it
    // is read from until the block is full, and must live until then.
    cInfFileContent(cFile& file, std::size_t length);
    ~cInfFileContent() override;
    cInfFileContent(const cInfFileContent&) = delete;
    cInfFileContent& operator=(const cInfFileContent&) = delete;

    const char* data() const override { return m_data; }
    std::size_t size() const override { return m_filled; }
    std::string_view view() const { return {m_data, m_filled}; }

    bool more() override;
    // Reads the rest in one call.
    void readAll();
    void release(const char* upTo) override;

  private:
    cFile& m_file;
    std::size_t m_length;
    std::size_t m_filled = 0;
    char* m_data = nullptr;
    bool m_mapped = false;
    std::unique_ptr<char[]> m_small;
    const char* m_released = nullptr;
};
