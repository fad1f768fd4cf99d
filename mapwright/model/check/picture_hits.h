#pragma once
// What lies under a point of the map picture: a system's node (its circle or
// its label) or a link line, for the picture's drag and context menu.

#include <cstddef>
#include <optional>

#include "check/map_picture_layout.h"

namespace mw {

/// The system whose node or label holds the point (picture coordinates).
std::optional<std::size_t> NodeAt(const MapPictureLayout& layout, Point p);
/// The link line (index into layout.lines) nearest the point, when it lies
/// within `tolerance` of it.
std::optional<std::size_t> LineAt(const MapPictureLayout& layout, Point p, double tolerance);

}  // namespace mw
