#pragma once
// The map project file (*.vmpf): exactly one 6672-byte MapProjectRecord. This
// is the one place that knows its byte layout.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "map/map_project_record.h"

namespace mw {

inline constexpr std::size_t kProjectFileSize = 6672;

using ProjectBytes = std::array<std::uint8_t, kProjectFileSize>;

/// The stored form. Empty slots, the empire records beyond the empire count
/// and the reserved bytes are zero.
ProjectBytes EncodeProject(const MapProjectRecord& record);
/// Decodes all ten slots and all eight empire records as stored; the empire
/// count is returned as stored, whatever its value. A slot with an empty name
/// comes back wholly empty.
MapProjectRecord DecodeProject(const std::uint8_t* bytes);

/// Writes the file in one replace: a failure leaves an existing file as it was.
void WriteProjectFile(const std::string& path, const MapProjectRecord& record);
/// Reads the first 6672 bytes (extra bytes are ignored). A shorter file is an
/// IoError naming it.
MapProjectRecord ReadProjectFile(const std::string& path);

}  // namespace mw
