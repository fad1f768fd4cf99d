#include "tool_names.h"

#include "widgets/text.h"

namespace mw::ui {

QString toolName(Tool tool) {
    for (const KindInfo& k : kKinds)
        if (k.tool == tool) return fromModel(k.toolName);
    return QStringLiteral("Delete object");
}

QString toolPicture(Tool tool) {
    return fromModel(toolInfo(tool).code);
}

}  // namespace mw::ui
