#pragma once
// Headerless record files: fixed-size records read whole. Every failure raises
// IoError naming the file and the operation; only regular files are read (see
// regular_file.h). Records are written through SafeSave (safe_save.h).

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace mw {

/// Reads fixed-size records from the start of a file, buffered.
class RecordReader {
  public:
    RecordReader(std::string path, std::size_t recordSize);
    ~RecordReader();
    RecordReader(const RecordReader&) = delete;
    RecordReader& operator=(const RecordReader&) = delete;

    /// Reads the next whole record into out. Returns false at the end of the file;
    /// a partial last record raises IoError.
    bool next(std::uint8_t* out);
    /// Like next, but the end of the file is an error too (a required record).
    void require(std::uint8_t* out);
    /// Like next, but a partial last record is treated as the end (formats whose
    /// readers ignore a trailing fragment).
    bool nextWhole(std::uint8_t* out);

    const std::string& path() const { return path_; }

  private:
    std::size_t readRaw(std::uint8_t* out);
    std::string path_;
    std::size_t size_;
    std::FILE* f_ = nullptr;
};

/// Number of whole records of the given size in the file.
std::size_t countRecords(const std::string& path, std::size_t recordSize);

}  // namespace mw
