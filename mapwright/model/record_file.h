#pragma once
// Headerless record files: fixed-size records read and written whole. Every
// failure raises IoError naming the file and the operation. Only regular
// files are read or written: a directory, FIFO, socket or device (also behind
// a symbolic link) is refused with "not a regular file", checked without
// blocking and before any byte moves.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace mw {

/// While it lives, the named temporary file is removed when SIGINT, SIGTERM
/// or SIGHUP ends the process. The handlers are installed on first use, only
/// for signals at their default action (a program's own handler or an
/// ignored signal is left alone), and end the process the default way after
/// the removal. The owner creates and removes the file as usual.
class TempFileGuard {
public:
    explicit TempFileGuard(const std::string& path);
    ~TempFileGuard();
    TempFileGuard(const TempFileGuard&) = delete;
    TempFileGuard& operator=(const TempFileGuard&) = delete;

private:
    int slot_;  // -1 when the name could not be kept (too long, all slots taken)
};

/// Raises IoError(path, operation, "not a regular file") when something other
/// than a regular file is at path (a symbolic link is followed). A missing
/// file passes: writers create it.
void requireRegularOrMissing(const std::string& path, const std::string& operation);

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

/// Writes records to a temporary file beside the target; commit() replaces the
/// target in one rename, so a failure at any point leaves the old file intact.
/// A symbolic link at the target is replaced, not written through. The
/// temporary file is removed on failure, without commit(), and on SIGINT,
/// SIGTERM or SIGHUP.
class RecordWriter {
public:
    RecordWriter(std::string path, std::size_t recordSize);
    ~RecordWriter();  // without commit(): the temporary file is removed
    RecordWriter(const RecordWriter&) = delete;
    RecordWriter& operator=(const RecordWriter&) = delete;

    void write(const std::uint8_t* record);
    void commit();

    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::string tempPath_;
    std::unique_ptr<TempFileGuard> guard_;
    std::size_t size_;
    std::FILE* f_ = nullptr;
};

/// Appends one record to an existing file (the file must exist).
void appendRecord(const std::string& path, const std::uint8_t* record, std::size_t recordSize);

/// Number of whole records of the given size in the file.
std::size_t countRecords(const std::string& path, std::size_t recordSize);

/// Writes the bytes to a temporary file beside the target and replaces the
/// target only when all of them are written: a failure leaves the old file.
void writeFileAtomically(const std::string& path, const std::string& bytes);

/// Replaces `to` with `from` in one checked rename (IoError naming both on failure).
void replaceFile(const std::string& from, const std::string& to);

/// The text of errno for messages.
std::string errnoText();

}  // namespace mw
