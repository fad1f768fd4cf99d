#pragma once
// The windows that live for the whole run: created once at start-up, hidden,
// in this order after the main window, and shown again when needed.

#include "dialogs/property_dialogs.h"

namespace mw::ui {

struct EditorContext;
class TAboutBox;
class TLISTDAT;
class TMainForm;
class TMCW;
class TMCWhelp;
class TPlanet_Names;
class Ticons;
class Twhatsnew;

struct EditorWindows {
    TAboutBox* AboutBox = nullptr;
    TMCW* MCW = nullptr;
    PropertyDialogs dialogs;
    Ticons* icons = nullptr;
    TMCWhelp* MCWhelp = nullptr;
    TPlanet_Names* Planet_Names = nullptr;
    TLISTDAT* LISTDAT = nullptr;
    Twhatsnew* whatsnew = nullptr;
};

/// Creates the shell windows in start-up order, owned by the main window, and
/// hands them to it.
EditorWindows createEditorWindows(TMainForm& mainForm, EditorContext& context);

}  // namespace mw::ui
