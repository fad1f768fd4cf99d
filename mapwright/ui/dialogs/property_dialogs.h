#pragma once
// The object property dialogs and their helpers: created once at start-up,
// hidden, and opened by the designer window for the object clicked last.

#include "system/object_records.h"

class QWidget;

namespace mw::ui {

struct EditorContext;
class Tast;
class Tjn;
class Tmagassag;
class Tmas;
class TNodeList;
class Tne;
class Tplanet;
class Tsh;
class Tship_help;
class Twrck;

struct PropertyDialogs {
    Tplanet* planet = nullptr;
    Tmas* mas = nullptr;
    Tast* ast = nullptr;
    Twrck* wrck = nullptr;
    Tjn* jn = nullptr;
    Tsh* sh = nullptr;
    Tne* ne = nullptr;
    Tmagassag* magassag = nullptr;
    Tship_help* ship_help = nullptr;
    TNodeList* NodeList = nullptr;

    /// Opens the dialog of the kind, modally, for the current object index.
    void open(ObjectKind kind) const;
};

/// Creates the dialogs in start-up order, owned by `owner`, and wires the
/// object dialogs to the Z dialog, the ship help and the node chooser.
PropertyDialogs createPropertyDialogs(EditorContext& context, QWidget* owner);

}  // namespace mw::ui
