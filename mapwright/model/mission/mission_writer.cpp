#include "mission/mission_writer.h"

#include <stdexcept>

namespace mw {

namespace {
constexpr std::string_view kLanguages[] = {"english", "german",  "dutch",
                                           "french",  "italian", "spanish"};
}

std::string quoted(std::string_view text) {
    std::string s;
    s.reserve(text.size() + 2);
    s += '"';
    s += text;
    s += '"';
    return s;
}

void MissionWriter::line(std::string_view text) {
    text_.append(static_cast<std::size_t>(depth_), '\t');
    text_ += text;
    text_ += "\r\n";
}

void MissionWriter::key(std::string_view name, std::string_view value) {
    std::string s;
    s.reserve(name.size() + value.size() + 3);
    s += name;
    s += " = ";
    s += value;
    line(s);
}

void MissionWriter::key(std::string_view name, std::int64_t value) {
    key(name, std::to_string(value));
}

void MissionWriter::keyString(std::string_view name, std::string_view value) {
    key(name, quoted(value));
}

void MissionWriter::open(std::string_view name) {
    std::string header;
    header.reserve(name.size() + 2);
    header += '[';
    header += name;
    header += ']';
    line(header);
    line("{");
    ++depth_;
}

void MissionWriter::close() {
    // An unbalanced close is a programming error; never emit a stray brace.
    if (depth_ == 0) throw std::logic_error("MissionWriter::close without open section");
    --depth_;
    line("}");
}

void MissionWriter::emptySection(std::string_view name) {
    open(name);
    close();
}

void MissionWriter::languageKeys(std::string_view value, bool asString) {
    open("Name");
    for (std::string_view lang : kLanguages) {
        if (asString)
            keyString(lang, value);
        else
            key(lang, value);
    }
    close();
}

void MissionWriter::nameBlock(std::string_view value) {
    languageKeys(value, true);
}

void MissionWriter::zeroNameBlock() {
    languageKeys("0", false);
}

}  // namespace mw
