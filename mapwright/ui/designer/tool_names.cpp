#include "tool_names.h"

#include "widgets/text.h"

namespace mw::ui {

QString toolName(Tool tool) {
    switch (tool) {
        case Tool::Planet:
            return QStringLiteral("Planet");
        case Tool::Ship:
            return QStringLiteral("Ship");
        case Tool::Asteroid:
            return QStringLiteral("Asteroid");
        case Tool::MicroAsteroid:
            return QStringLiteral("Micro-asteroid");
        case Tool::Wreck:
            return QStringLiteral("Wreckage");
        case Tool::Nebula:
            return QStringLiteral("Nebulae");
        case Tool::JumpNode:
            return QStringLiteral("Jumpnode");
        case Tool::Delete:
            break;
    }
    return QStringLiteral("Delete object");
}

QString toolPicture(Tool tool) {
    return fromModel(toolInfo(tool).code);
}

}  // namespace mw::ui
