#include "common/record_file.h"

#include "common/errors.h"
#include "common/regular_file.h"
#include "platform/system_files.h"

namespace mw {

RecordReader::RecordReader(std::string path, std::size_t recordSize)
    : path_(std::move(path)), size_(recordSize), f_(openRegular(path_, "rb")) {}

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

bool RecordReader::nextWhole(std::uint8_t* out) {
    return readRaw(out) == size_;
}

std::size_t countRecords(const std::string& path, std::size_t recordSize) {
    requireWholeName(path, "open");
    std::int64_t size = 0;
    const platform::FileKind kind = platform::kindAt(path, true, &size);
    if (kind == platform::FileKind::Missing) throw IoError(path, "open", errnoText());
    if (kind != platform::FileKind::Regular) throw IoError(path, "open", kNotRegularFile);
    return static_cast<std::size_t>(size) / recordSize;
}

}  // namespace mw
