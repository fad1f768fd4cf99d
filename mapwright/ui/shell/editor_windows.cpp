#include "editor_windows.h"

#include "about_box.h"
#include "editor_context.h"
#include "icons_help.h"
#include "main_form.h"
#include "whats_new.h"

namespace mw::ui {

EditorWindows createEditorWindows(TMainForm& mainForm, EditorContext& context) {
    EditorWindows windows;
    windows.AboutBox = new TAboutBox(context.files, context.prompts, &mainForm);
    windows.icons = new Ticons(*mainForm.helpWindow(), &mainForm);
    windows.whatsnew = new Twhatsnew(&mainForm);
    mainForm.setWindows(windows);
    return windows;
}

}  // namespace mw::ui
