#include "record_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <sys/stat.h>
#include <unistd.h>

#include "errors.h"

namespace mw {

std::string errnoText() { return std::strerror(errno); }

RecordReader::RecordReader(std::string path, std::size_t recordSize)
    : path_(std::move(path)), size_(recordSize) {
    std::error_code ec;
    if (std::filesystem::is_directory(path_, ec)) throw IoError(path_, "open", "is a directory");
    f_ = std::fopen(path_.c_str(), "rb");
    if (!f_) throw IoError(path_, "open", errnoText());
}

RecordReader::~RecordReader() {
    if (f_) std::fclose(f_);
}

std::size_t RecordReader::readRaw(std::uint8_t* out) {
    const std::size_t got = std::fread(out, 1, size_, f_);
    if (got < size_ && std::ferror(f_)) throw IoError(path_, "read", errnoText());
    return got;
}

bool RecordReader::next(std::uint8_t* out) {
    const std::size_t got = readRaw(out);
    if (got == 0) return false;
    if (got < size_)
        throw IoError(path_, "read",
                      "partial record at the end of the file (" + std::to_string(got) + " of " +
                          std::to_string(size_) + " bytes)");
    return true;
}

void RecordReader::require(std::uint8_t* out) {
    if (!next(out)) throw IoError(path_, "read", "unexpected end of file");
}

bool RecordReader::nextWhole(std::uint8_t* out) { return readRaw(out) == size_; }

RecordWriter::RecordWriter(std::string path, std::size_t recordSize)
    : path_(std::move(path)), size_(recordSize) {
    std::string templ = path_ + ".tmp-XXXXXX";
    const int fd = mkstemp(templ.data());
    if (fd < 0) throw IoError(path_, "create", errnoText());
    tempPath_ = templ;
    f_ = fdopen(fd, "wb");
    if (!f_) {
        const std::string why = errnoText();
        ::close(fd);
        std::remove(tempPath_.c_str());
        throw IoError(path_, "create", why);
    }
}

RecordWriter::~RecordWriter() {
    if (f_) {
        std::fclose(f_);
        std::remove(tempPath_.c_str());
    }
}

void RecordWriter::write(const std::uint8_t* record) {
    if (!f_) throw IoError(path_, "write", "file already closed");
    if (std::fwrite(record, 1, size_, f_) != size_) throw IoError(path_, "write", errnoText());
}

void RecordWriter::commit() {
    if (!f_) throw IoError(path_, "write", "file already closed");
    const bool ok = std::fflush(f_) == 0 && ::fsync(fileno(f_)) == 0;
    const std::string why = ok ? "" : errnoText();
    const bool closed = std::fclose(f_) == 0;
    f_ = nullptr;
    if (!ok || !closed) {
        std::remove(tempPath_.c_str());
        throw IoError(path_, "write", ok ? errnoText() : why);
    }
    // mkstemp makes the file private (0600); a saved file gets the usual mode.
    ::chmod(tempPath_.c_str(), 0666 & ~[] {
        const mode_t m = ::umask(0);
        ::umask(m);
        return m;
    }());
    if (std::rename(tempPath_.c_str(), path_.c_str()) != 0) {
        const std::string why2 = errnoText();
        std::remove(tempPath_.c_str());
        throw IoError(path_, "replace", why2);
    }
}

void appendRecord(const std::string& path, const std::uint8_t* record, std::size_t recordSize) {
    std::FILE* f = std::fopen(path.c_str(), "r+b");
    if (!f) throw IoError(path, "open", errnoText());
    const bool ok = std::fseek(f, 0, SEEK_END) == 0 &&
                    std::fwrite(record, 1, recordSize, f) == recordSize && std::fflush(f) == 0;
    const std::string why = ok ? "" : errnoText();
    std::fclose(f);
    if (!ok) throw IoError(path, "write", why);
}

std::size_t countRecords(const std::string& path, std::size_t recordSize) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) throw IoError(path, "open", "is a directory");
    const auto size = std::filesystem::file_size(path, ec);
    if (ec) throw IoError(path, "open", ec.message());
    return static_cast<std::size_t>(size / recordSize);
}

void writeFileAtomically(const std::string& path, const std::string& bytes) {
    if (bytes.empty()) {
        RecordWriter w(path, 1);
        w.commit();
        return;
    }
    RecordWriter w(path, bytes.size());
    w.write(reinterpret_cast<const std::uint8_t*>(bytes.data()));
    w.commit();
}

void replaceFile(const std::string& from, const std::string& to) {
    if (std::rename(from.c_str(), to.c_str()) != 0)
        throw IoError(to, "replace (from " + from + ")", errnoText());
}

}  // namespace mw
