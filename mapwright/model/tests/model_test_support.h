#pragma once
// Helpers for the model tests: small design files and name database records,
// and for the mission generator, expected text written readably and section
// extraction from the generated text.

#include <string>
#include <string_view>
#include <vector>

#include "map/map_project_record.h"
#include "names/name_records.h"
#include "system/sdf_record.h"
#include "test_support.h"

namespace model_test {

/// Expected INF text written with two spaces per depth and plain newlines:
/// returns it with TAB indentation and CR LF line ends. A leading newline
/// (right after R"( ) is dropped.
inline std::string inf(std::string_view readable) {
    if (!readable.empty() && readable.front() == '\n') readable.remove_prefix(1);
    std::string out;
    std::size_t start = 0;
    while (start < readable.size()) {
        std::size_t end = readable.find('\n', start);
        if (end == std::string_view::npos) end = readable.size();
        std::string_view line = readable.substr(start, end - start);
        std::size_t spaces = 0;
        while (spaces < line.size() && line[spaces] == ' ') ++spaces;
        out.append(spaces / 2, '\t');
        out += line.substr(spaces);
        out += "\r\n";
        start = end + 1;
    }
    return out;
}

/// The section named `name` whose header stands at `depth` tabs, from its
/// header line through its closing brace, with the `depth` leading tabs
/// removed from every line. Empty when there is no such section.
inline std::string section(const std::string& text, std::string_view name, int depth,
                           int occurrence = 0) {
    const std::string tabs(static_cast<std::size_t>(depth), '\t');
    const std::string header = tabs + "[" + std::string(name) + "]\r\n";
    std::size_t pos = 0;
    for (;;) {
        pos = text.find(header, pos);
        if (pos == std::string::npos) return {};
        if (pos == 0 || text[pos - 1] == '\n') {
            if (occurrence-- == 0) break;
        }
        pos += header.size();
    }
    const std::string closing = "\n" + tabs + "}\r\n";
    const std::size_t end = text.find(closing, pos);
    if (end == std::string::npos) return {};
    const std::string raw = text.substr(pos, end + closing.size() - pos);
    std::string out;
    std::size_t start = 0;
    while (start < raw.size()) {
        const std::size_t e = raw.find('\n', start);
        std::string_view line(raw.data() + start, e - start + 1);
        out += line.substr(std::min<std::size_t>(tabs.size(), line.size()));
        start = e + 1;
    }
    return out;
}

/// A name block in the readable form of inf(), at the given depth, without a
/// final newline (the text that follows starts with its own).
inline std::string nameBlockText(std::string_view value, int depth, bool quotedValue = true) {
    const std::string pad(static_cast<std::size_t>(depth) * 2, ' ');
    const std::string v = quotedValue ? "\"" + std::string(value) + "\"" : std::string(value);
    std::string s = pad + "[Name]\n" + pad + "{\n";
    for (const char* lang : {"english", "german", "dutch", "french", "italian", "spanish"})
        s += pad + "  " + lang + " = " + v + "\n";
    return s + pad + "}";
}

inline std::string zeroNameBlockText(int depth) {
    return nameBlockText("0", depth, false);
}

inline mw::SdfRecord sunRecord(std::string_view name, std::string_view type = "Sun",
                               std::string_view background = "Background1",
                               std::string_view scale = "0.7") {
    mw::SdfRecord r;
    r.tag = mw::sdf_tag::kSun;
    r.name = name;
    r.textA = type;
    r.textB = background;
    r.textC = scale;
    r.markerX = "0";
    r.markerY = "0";
    return r;
}

inline mw::SdfRecord object(std::string_view tag, std::string_view name, int x, int y, int z) {
    mw::SdfRecord r;
    r.tag = tag;
    r.name = name;
    r.x = x;
    r.y = y;
    r.z = z;
    return r;
}

inline mw::SdfRecord jumpNode(std::string_view nodeId, std::string_view leadsTo) {
    mw::SdfRecord r = object(mw::sdf_tag::kJumpNode, leadsTo, 1, 2, 3);
    r.textA = nodeId;
    return r;
}

inline void writeDesignFile(const std::string& path, const std::vector<mw::SdfRecord>& records) {
    std::string bytes;
    for (const mw::SdfRecord& r : records) {
        const auto b = r.encode();
        bytes.append(reinterpret_cast<const char*>(b.data()), b.size());
    }
    vk_test::writeFile(path, bytes);
}

/// The leads-to of a design file's record `record` (the header is 0), read
/// from the bytes without the design file code: a length byte at offset 46
/// of the 568-byte record, then the characters.
inline std::string leadsToAt(const std::string& bytes, std::size_t record) {
    const std::size_t at = record * 568 + 46;
    if (at + 21 > bytes.size()) return "<no record>";
    return bytes.substr(at + 1, static_cast<unsigned char>(bytes[at]));
}

/// A name database record: a system name (planet 0) or planet name of a style.
inline mw::TOndRecord ondRecord(const std::string& name, const char* style, std::uint8_t planet) {
    return {mw::FixedString<125>(name), mw::FixedString<1>(style), planet};
}

/// A map with the given systems (name, design file) and default empires.
inline mw::MapProjectRecord mapOf(const std::vector<std::pair<std::string, std::string>>& systems,
                                  int empireCount = 2) {
    mw::MapProjectRecord map;
    for (std::size_t i = 0; i < systems.size(); ++i) {
        map.systems[i].systemName = systems[i].first;
        map.systems[i].designFile = systems[i].second;
    }
    map.empireCount = empireCount;
    for (int k = 1; k <= mw::kMaxEmpires; ++k) map.empires[k - 1] = mw::EmpireSetup::defaults(k);
    return map;
}

}  // namespace model_test
