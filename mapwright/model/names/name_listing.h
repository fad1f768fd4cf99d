#pragma once
// The names of a name database as the names manager lists them: system or
// planet names, in alphabetical order.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mw {

/// Alphabetical order of the names list: letters compare without regard to
/// case; names equal that way keep a fixed order by their bytes.
bool nameListOrder(std::string_view a, std::string_view b);

/// System names (planets = false) or planet names of the database, of every
/// style or only of `style` (either case), sorted by nameListOrder. Duplicates
/// are kept. Raises IoError naming the file when it cannot be read.
std::vector<std::string> listDatabaseNames(const std::string& ondFile, bool planets,
                                           std::optional<char> style = std::nullopt);

}  // namespace mw
