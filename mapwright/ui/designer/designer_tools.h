#pragma once
// The designer's eight tools, in the order of the tool panel (left column,
// right column, row by row): the tool code, whose picture file is code + ".bmp"
// beside the executable, and the kind of object a click places (none: delete).

#include <array>
#include <optional>
#include <string_view>

#include "system/object_records.h"

namespace mw::ui {

struct DesignerTool {
    std::string_view code;
    std::optional<ObjectKind> kind;
    std::string_view name;  // the tooltip and the help legend
};

inline constexpr std::array<DesignerTool, 8> kDesignerTools{{
    {"pln", ObjectKind::Planet, "Planet"},
    {"haj", ObjectKind::Ship, "Ship"},
    {"ast", ObjectKind::Asteroid, "Asteroid"},
    {"mas", ObjectKind::MicroAsteroid, "Micro-asteroid"},
    {"wreck", ObjectKind::Wreck, "Wreckage"},
    {"neb", ObjectKind::Nebula, "Nebulae"},
    {"jn", ObjectKind::JumpNode, "Jumpnode"},
    {"del", std::nullopt, "Delete object"},
}};

}  // namespace mw::ui
