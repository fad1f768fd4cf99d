#include "property_dialogs.h"

#include <array>

#include "asteroid_dialog.h"
#include "document/editor_context.h"
#include "jump_node_dialog.h"
#include "micro_asteroid_dialog.h"
#include "nebula_dialog.h"
#include "node_list.h"
#include "planet_dialog.h"
#include "ship_dialog.h"
#include "ship_help.h"
#include "wreck_dialog.h"
#include "z_dialog.h"

namespace mw::ui {

PropertyDialogs createPropertyDialogs(EditorContext& context, QWidget* owner) {
    PropertyDialogs d;
    d.planet = new Tplanet(context, owner);
    d.mas = new Tmas(context, owner);
    d.ast = new Tast(context, owner);
    d.wrck = new Twrck(context, owner);
    d.jn = new Tjn(context, owner);
    d.sh = new Tsh(context, owner);
    d.ne = new Tne(context, owner);
    d.magassag = new Tmagassag(context.document, owner);
    d.ship_help = new Tship_help(owner);
    d.NodeList = new TNodeList(context.document, owner);
    for (ObjectDialog* dialog :
         std::initializer_list<ObjectDialog*>{d.planet, d.mas, d.ast, d.wrck, d.jn, d.sh, d.ne})
        dialog->setZDialog(d.magassag);
    d.sh->setHelp(d.ship_help);
    d.jn->setNodeList(d.NodeList);
    return d;
}

void PropertyDialogs::open(ObjectKind kind) const {
    // In the order of ObjectKind.
    const std::array<ObjectDialog*, kObjectKindCount> byKind{planet, mas, ast, wrck, ne, jn, sh};
    if (ObjectDialog* dialog = byKind.at(static_cast<std::size_t>(kind))) dialog->openForCurrent();
}

}  // namespace mw::ui
