#pragma once
// The walk's own reading of the files the editor writes, from their byte
// layout alone, sharing no code with the editor: design files (568-byte
// records), the map project file (one 6672-byte record), the name lists
// (121-byte records) and the name database (129-byte records). A text field
// is a length byte and its characters; a length above the field's capacity
// (a damaged file) is held to the capacity.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace mw::ui::test::files {

/// One record of a design file, every field as stored.
struct DesignRecord {
    std::string tag, markerX, markerY, name, a, b, c, d, e;
    std::int32_t x = 0, y = 0, z = 0, amount = 0, rank = 0, number = 0, diameter = 0,
                 population = 0;
    std::uint8_t flag = 0;
};
inline constexpr std::size_t kDesignRecordSize = 568;
/// The records of a design file; nothing when it is empty or its length is
/// no whole number of records.
std::optional<std::vector<DesignRecord>> readDesignFile(const std::string& bytes);

struct ProjectEmpire {
    std::string name, aiMode, race, team, research;
    std::int32_t money = 0, spies = 0, ships = 0, specials = 0;
    bool operator==(const ProjectEmpire&) const = default;
};
struct ProjectSlot {
    std::string systemName, designFile;
    bool operator==(const ProjectSlot&) const = default;
};
struct ProjectFile {
    std::array<ProjectSlot, 10> systems;
    std::string mapName, description;
    std::int32_t empireCount = 0;
    std::array<ProjectEmpire, 8> empires;
};
inline constexpr std::size_t kProjectFileSize = 6672;
/// The record of a project file; nothing when the file is shorter than one.
std::optional<ProjectFile> readProjectFile(const std::string& bytes);

/// The names of a name list file, in order.
std::vector<std::string> readNameList(const std::string& bytes);
/// The planet names of a style letter in a name database, in file order.
std::vector<std::string> planetNames(const std::string& databaseBytes, char style);

/// A whole number as the editor's fields take it: blanks around, a sign,
/// decimal digits or hexadecimal after "$" or "0x"; nothing otherwise or
/// outside 32 bits.
std::optional<std::int32_t> parseWhole(const std::string& text);

}  // namespace mw::ui::test::files
