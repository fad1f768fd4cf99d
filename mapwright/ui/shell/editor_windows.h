#pragma once
// The windows that live for the whole run: created once at start-up, hidden,
// in this order after the main window, and shown again when needed. The
// windows of the next steps (wizard, property dialogs, name managers) join
// the list in their place.

namespace mw::ui {

struct EditorContext;
class TAboutBox;
class TMainForm;
class Ticons;
class Twhatsnew;

struct EditorWindows {
    TAboutBox* AboutBox = nullptr;
    Ticons* icons = nullptr;
    Twhatsnew* whatsnew = nullptr;
};

/// Creates the shell windows in start-up order, owned by the main window, and
/// hands them to it.
EditorWindows createEditorWindows(TMainForm& mainForm, EditorContext& context);

}  // namespace mw::ui
