#include "oracle_file_reader.h"

#include <algorithm>
#include <cctype>

namespace mw::ui::test::files {

namespace {

/// Reads fields one after another from a record.
class Fields {
  public:
    Fields(const std::string& bytes, std::size_t at) : bytes_(bytes), at_(at) {}
    std::string text(std::size_t capacity) {
        const std::size_t length = std::min<std::size_t>(byte(at_), capacity);
        std::string t = bytes_.substr(at_ + 1, length);
        at_ += capacity + 1;
        return t;
    }
    std::int32_t int32() {
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | byte(at_ + std::size_t(i));
        at_ += 4;
        return static_cast<std::int32_t>(v);
    }
    std::uint8_t byte() { return byte(at_++); }
    void skip(std::size_t n) { at_ += n; }

  private:
    std::uint8_t byte(std::size_t at) const { return static_cast<std::uint8_t>(bytes_[at]); }
    const std::string& bytes_;
    std::size_t at_;
};

}  // namespace

std::optional<std::vector<DesignRecord>> readDesignFile(const std::string& bytes) {
    if (bytes.empty() || bytes.size() % kDesignRecordSize != 0) return std::nullopt;
    std::vector<DesignRecord> records;
    for (std::size_t at = 0; at < bytes.size(); at += kDesignRecordSize) {
        Fields f(bytes, at);
        DesignRecord r;
        r.tag = f.text(23);
        r.x = f.int32();
        r.y = f.int32();
        r.z = f.int32();
        r.markerX = f.text(4);
        r.markerY = f.text(4);
        r.name = f.text(20);
        r.a = f.text(125);
        f.skip(3);
        r.amount = f.int32();
        r.flag = f.byte();
        r.b = f.text(120);
        f.skip(2);
        r.rank = f.int32();
        r.c = f.text(120);
        f.skip(3);
        r.number = f.int32();
        r.d = f.text(50);
        f.skip(1);
        r.diameter = f.int32();
        r.population = f.int32();
        r.e = f.text(50);
        records.push_back(std::move(r));
    }
    return records;
}

std::optional<ProjectFile> readProjectFile(const std::string& bytes) {
    if (bytes.size() < kProjectFileSize) return std::nullopt;
    Fields f(bytes, 0);
    ProjectFile p;
    for (ProjectSlot& slot : p.systems) {
        slot.systemName = f.text(125);
        slot.designFile = f.text(255);
    }
    p.mapName = f.text(125);
    p.description = f.text(255);
    f.skip(2);
    p.empireCount = f.int32();
    for (ProjectEmpire& e : p.empires) {
        e.name = f.text(125);
        e.aiMode = f.text(40);
        e.race = f.text(40);
        e.money = f.int32();
        e.team = f.text(40);
        e.research = f.text(40);
        f.skip(2);
        e.spies = f.int32();
        e.ships = f.int32();
        e.specials = f.int32();
    }
    return p;
}

std::vector<std::string> readNameList(const std::string& bytes) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at + 121 <= bytes.size(); at += 121)
        names.push_back(Fields(bytes, at).text(120));
    return names;
}

std::vector<std::string> planetNames(const std::string& databaseBytes, char style) {
    std::vector<std::string> names;
    for (std::size_t at = 0; at + 129 <= databaseBytes.size(); at += 129) {
        Fields f(databaseBytes, at);
        std::string name = f.text(125);
        const std::string letter = f.text(1);
        const bool planet = f.byte() != 0;
        if (planet && letter.size() == 1 &&
            std::toupper(static_cast<unsigned char>(letter[0])) ==
                std::toupper(static_cast<unsigned char>(style)))
            names.push_back(std::move(name));
    }
    return names;
}

std::optional<std::int32_t> parseWhole(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return std::nullopt;
    std::string t = text.substr(first, text.find_last_not_of(' ') + 1 - first);
    const bool minus = t[0] == '-';
    if (t[0] == '-' || t[0] == '+') t.erase(0, 1);
    int base = 10;
    if (t.size() > 1 && t[0] == '$') {
        base = 16;
        t.erase(0, 1);
    } else if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        t.erase(0, 2);
    }
    if (t.empty()) return std::nullopt;
    long long magnitude = 0;
    for (const char c : t) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : base == 16 && std::isxdigit(static_cast<unsigned char>(c))
                              ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                              : -1;
        if (digit < 0) return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > (1LL << 31)) return std::nullopt;
    }
    const long long value = minus ? -magnitude : magnitude;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

}  // namespace mw::ui::test::files
