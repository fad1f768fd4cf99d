#include "system/designer_tools.h"

namespace mw {

const ToolInfo& toolInfo(Tool tool) {
    for (const ToolInfo& t : kTools)
        if (t.tool == tool) return t;
    return kTools.back();
}

std::optional<Tool> toolOfCode(std::string_view code) {
    for (const ToolInfo& t : kTools)
        if (t.code == code) return t.tool;
    return std::nullopt;
}

std::optional<ObjectKind> kindPlacedBy(Tool tool) {
    switch (tool) {
        case Tool::Planet:
            return ObjectKind::Planet;
        case Tool::Ship:
            return ObjectKind::Ship;
        case Tool::Asteroid:
            return ObjectKind::Asteroid;
        case Tool::MicroAsteroid:
            return ObjectKind::MicroAsteroid;
        case Tool::Wreck:
            return ObjectKind::Wreck;
        case Tool::Nebula:
            return ObjectKind::Nebula;
        case Tool::JumpNode:
            return ObjectKind::JumpNode;
        case Tool::Delete:
            break;
    }
    return std::nullopt;
}

std::string_view markerCaption(ObjectKind kind) {
    switch (kind) {
        case ObjectKind::Planet:
            return "P";
        case ObjectKind::Ship:
            return "S";
        case ObjectKind::Asteroid:
            return "as";
        case ObjectKind::MicroAsteroid:
            return "ma";
        case ObjectKind::Wreck:
            return "W";
        case ObjectKind::Nebula:
            return "N";
        case ObjectKind::JumpNode:
            break;
    }
    return "J";
}

std::string markerHint(ObjectKind kind, int index) {
    const std::string n = std::to_string(index);
    switch (kind) {
        case ObjectKind::Planet:
            return "Planet" + n;
        case ObjectKind::Ship:
            return "Ship" + n;
        case ObjectKind::Asteroid:
            return "Minable asteroid" + n;
        case ObjectKind::MicroAsteroid:
            return "Microasteroid" + n;
        case ObjectKind::Wreck:
            return "Wreckage" + n;
        case ObjectKind::Nebula:
            return "Nebulae" + n;
        case ObjectKind::JumpNode:
            break;
    }
    return "Jumpnode" + n;
}

}  // namespace mw
