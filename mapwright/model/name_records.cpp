#include "name_records.h"

#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "errors.h"

namespace mw {

bool TOndRecord::hasStyle(char letter) const {
    const std::string_view s = style.view();
    return s.size() == 1 && std::toupper(static_cast<unsigned char>(s[0])) ==
                                std::toupper(static_cast<unsigned char>(letter));
}

void TOndRecord::encode(std::uint8_t* out) const {
    name.store(out);
    style.store(out + 126);
    out[128] = planetFlag;
}

TOndRecord TOndRecord::decode(const std::uint8_t* in) {
    TOndRecord r;
    r.name = FixedString<125>::load(in);
    r.style = FixedString<1>::load(in + 126);
    r.planetFlag = in[128];
    return r;
}

bool OndReader::next(TOndRecord& out) {
    std::uint8_t buf[TOndRecord::kSize];
    if (!reader_.nextWhole(buf)) return false;
    out = TOndRecord::decode(buf);
    return true;
}

void writeOndFile(const std::string& path, const std::vector<TOndRecord>& records) {
    std::string bytes(records.size() * TOndRecord::kSize, '\0');
    auto* p = reinterpret_cast<std::uint8_t*>(bytes.data());
    for (const auto& r : records) {
        r.encode(p);
        p += TOndRecord::kSize;
    }
    writeFileAtomically(path, bytes);
}

std::vector<TOndRecord> readOndFile(const std::string& path) {
    std::vector<TOndRecord> all;
    OndReader in(path);
    TOndRecord r;
    while (in.next(r)) all.push_back(r);
    return all;
}

bool NameListReader::next(std::string& name) {
    std::uint8_t buf[TPoolEntry::kSize];
    if (!reader_.nextWhole(buf)) return false;
    name = TPoolEntry::decode(buf).name.str();
    return true;
}

NameListRewriter::NameListRewriter(std::string target, std::string scratch)
    : target_(std::move(target)), scratch_(std::move(scratch)), guard_(scratch_) {
    requireRegularOrMissing(target_, "replace");
    // A scratch file left by an earlier run is ours to replace; unlinking it
    // first means a link of that name never leads the write into another file.
    if (::unlink(scratch_.c_str()) != 0 && errno != ENOENT)
        throw IoError(scratch_, "create", errnoText());
    const int fd = ::open(scratch_.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (fd < 0) throw IoError(scratch_, "create", errnoText());
    f_ = ::fdopen(fd, "wb");
    if (!f_) {
        const std::string why = errnoText();
        ::close(fd);
        ::unlink(scratch_.c_str());
        throw IoError(scratch_, "create", why);
    }
}

NameListRewriter::~NameListRewriter() {
    if (f_) {
        std::fclose(f_);
        ::unlink(scratch_.c_str());
    }
}

void NameListRewriter::write(std::string_view name) {
    if (!f_) throw IoError(scratch_, "write", "file already closed");
    std::uint8_t buf[TPoolEntry::kSize];
    TPoolEntry{FixedString<120>(name)}.encode(buf);
    if (std::fwrite(buf, 1, sizeof buf, f_) != sizeof buf)
        throw IoError(scratch_, "write", errnoText());
}

void NameListRewriter::commit() {
    if (!f_) throw IoError(scratch_, "write", "file already closed");
    const bool flushed = std::fflush(f_) == 0 && ::fsync(::fileno(f_)) == 0;
    const std::string why = flushed ? "" : errnoText();
    const bool closed = std::fclose(f_) == 0;
    f_ = nullptr;
    if (!flushed || !closed) {
        const std::string reason = flushed ? errnoText() : why;
        ::unlink(scratch_.c_str());
        throw IoError(scratch_, "write", reason);
    }
    if (std::rename(scratch_.c_str(), target_.c_str()) != 0) {
        const std::string reason = errnoText();
        ::unlink(scratch_.c_str());
        throw IoError(target_, "replace (from " + scratch_ + ")", reason);
    }
}

void appendNameRecord(const std::string& path, std::string_view name) {
    std::uint8_t buf[TPoolEntry::kSize];
    TPoolEntry{FixedString<120>(name)}.encode(buf);
    appendRecord(path, buf, sizeof buf);
}

std::size_t countNameRecords(const std::string& path) {
    return countRecords(path, TPoolEntry::kSize);
}

std::vector<std::string> readNameList(const std::string& path) {
    std::vector<std::string> names;
    NameListReader in(path);
    std::string name;
    while (in.next(name)) names.push_back(name);
    return names;
}

}  // namespace mw
