#include "object_list.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "system/object_kinds.h"
#include "system/world_coordinates.h"

namespace mw {

namespace {

constexpr std::array<std::string_view, kObjectColumnCount> kTitles{"Kind", "#", "Name or type", "X",
                                                                   "Y",    "Z", "Marker"};
constexpr std::string_view kOutsideNote = "off the map";

// The kinds in the order of the tool panel, as the map's Tab visits them.
int kindRank(ObjectKind kind) {
    return static_cast<int>(kindInfo(kind).tool);
}

std::string kindText(ObjectKind kind) {
    std::string text(kindInfo(kind).singular);
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 32);
    return text;
}

// Latin-1, as the records keep their texts: the accented capitals fold too.
unsigned char folded(char c) {
    const auto u = static_cast<unsigned char>(c);
    if ((u >= 'A' && u <= 'Z') || (u >= 0xC0 && u <= 0xDE && u != 0xD7))
        return static_cast<unsigned char>(u + 32);
    return u;
}

bool containsFolded(std::string_view text, std::string_view word) {
    return std::search(text.begin(), text.end(), word.begin(), word.end(),
                       [](char a, char b) { return folded(a) == folded(b); }) != text.end();
}

int compareFolded(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i)
        if (folded(a[i]) != folded(b[i])) return folded(a[i]) < folded(b[i]) ? -1 : 1;
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <typename Record>
std::string nameOf(const Record& r) {
    if constexpr (requires { r.nodeId; })
        return r.nodeId.empty() ? r.leadsTo.str() : r.nodeId.str();
    else if constexpr (
        requires { r.name; } && requires { r.type; })
        return r.name.empty() ? r.type.str() : r.name.str();
    else if constexpr (requires { r.name; })
        return r.name.str();
    else
        return r.type.str();
}

template <typename T>
int compareValues(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareBy(const ObjectRow& a, const ObjectRow& b, ObjectColumn column) {
    switch (column) {
        case ObjectColumn::Kind:
            return compareValues(kindRank(a.object.kind), kindRank(b.object.kind));
        case ObjectColumn::Index:
            return compareValues(a.object.index, b.object.index);
        case ObjectColumn::Name:
            return compareFolded(a.name, b.name);
        case ObjectColumn::X:
            return compareValues(a.x, b.x);
        case ObjectColumn::Y:
            return compareValues(a.y, b.y);
        case ObjectColumn::Z:
            return compareValues(a.z, b.z);
        case ObjectColumn::Marker:
            break;
    }
    return compareValues(markerOutsideMap(a), markerOutsideMap(b));
}

}  // namespace

std::string_view objectColumnTitle(ObjectColumn column) {
    return kTitles[static_cast<std::size_t>(column)];
}

std::vector<ObjectRow> listObjects(const SystemModel& tables) {
    std::vector<ObjectRow> rows;
    std::array<ObjectKind, kObjectKindCount> kinds{};
    for (std::size_t k = 0; k < kinds.size(); ++k) kinds[k] = static_cast<ObjectKind>(k);
    std::sort(kinds.begin(), kinds.end(),
              [](ObjectKind a, ObjectKind b) { return kindRank(a) < kindRank(b); });
    std::size_t total = 0;
    for (const ObjectKind kind : kinds) total += static_cast<std::size_t>(tables.count(kind));
    rows.reserve(total);
    for (const ObjectKind kind : kinds) {
        tables.withTable(kind, [&](const auto& table) {
            for (int i = 1; i <= table.count(); ++i) {
                const auto& r = table.at(i);
                if (r.deleted != 0) continue;
                rows.push_back({{kind, i}, nameOf(r), r.x, r.y, r.z, r.marker});
            }
        });
    }
    return rows;
}

bool listRowBefore(const ObjectRef& a, const ObjectRef& b) {
    const int ka = kindRank(a.kind), kb = kindRank(b.kind);
    return ka != kb ? ka < kb : a.index < b.index;
}

bool markerOutsideMap(const ObjectRow& row) {
    return !OnMapPanel(row.marker);
}

std::string objectCell(const ObjectRow& row, ObjectColumn column) {
    switch (column) {
        case ObjectColumn::Kind:
            return kindText(row.object.kind);
        case ObjectColumn::Index:
            return std::to_string(row.object.index);
        case ObjectColumn::Name:
            return row.name;
        case ObjectColumn::X:
            return std::to_string(row.x);
        case ObjectColumn::Y:
            return std::to_string(row.y);
        case ObjectColumn::Z:
            return std::to_string(row.z);
        case ObjectColumn::Marker:
            break;
    }
    return markerOutsideMap(row) ? std::string(kOutsideNote) : std::string();
}

bool objectColumnIsNumber(ObjectColumn column) {
    return column != ObjectColumn::Kind && column != ObjectColumn::Name &&
           column != ObjectColumn::Marker;
}

bool objectRowLess(const ObjectRow& a, const ObjectRow& b, ObjectColumn column) {
    if (const int order = compareBy(a, b, column); order != 0) return order < 0;
    return listRowBefore(a.object, b.object);
}

bool objectRowMatches(const ObjectRow& row, std::string_view filter) {
    const std::string kind = kindText(row.object.kind);
    const bool outside = markerOutsideMap(row);
    std::size_t at = 0;
    while (at < filter.size()) {
        const std::size_t start = filter.find_first_not_of(" \t", at);
        if (start == std::string_view::npos) break;
        std::size_t end = filter.find_first_of(" \t", start);
        if (end == std::string_view::npos) end = filter.size();
        const std::string_view word = filter.substr(start, end - start);
        at = end;
        int number = 0;
        const auto [last, error] = std::from_chars(word.data(), word.data() + word.size(), number);
        const bool isIndex =
            error == std::errc() && last == word.data() + word.size() && number == row.object.index;
        if (!isIndex && !containsFolded(kind, word) && !containsFolded(row.name, word) &&
            !(outside && containsFolded(kOutsideNote, word)))
            return false;
    }
    return true;
}

}  // namespace mw
