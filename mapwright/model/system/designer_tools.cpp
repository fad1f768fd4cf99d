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
    for (const KindInfo& k : kKinds)
        if (k.tool == tool) return k.kind;
    return std::nullopt;
}

std::string_view markerCaption(ObjectKind kind) {
    return kindInfo(kind).caption;
}

std::string markerHint(ObjectKind kind, int index) {
    return std::string(kindInfo(kind).hint) + std::to_string(index);
}

}  // namespace mw
