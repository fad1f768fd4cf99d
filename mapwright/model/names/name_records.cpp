#include "names/name_records.h"

#include <cctype>

#include "common/errors.h"

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
    SaveFileBytes(path, bytes);
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

std::string nameRecord(std::string_view name) {
    std::string record(TPoolEntry::kSize, '\0');
    TPoolEntry{FixedString<120>(name)}.encode(reinterpret_cast<std::uint8_t*>(record.data()));
    return record;
}

void NameListRewriter::write(std::string_view name) {
    const std::string record = nameRecord(name);
    out_.write(record.data(), record.size());
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
