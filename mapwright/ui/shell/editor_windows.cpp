#include "editor_windows.h"

#include <QStatusBar>

#include "about_box.h"
#include "document/editor_context.h"
#include "icons_help.h"
#include "main_form.h"
#include "name_windows/listdat.h"
#include "name_windows/planet_names.h"
#include "whats_new.h"
#include "wizard/mcw.h"
#include "wizard/mcw_help.h"

namespace mw::ui {

EditorWindows createEditorWindows(TMainForm& mainForm, EditorContext& context) {
    EditorWindows windows;
    windows.AboutBox = new TAboutBox(context.files, context.prompts, &mainForm);
    windows.MCW = new TMCW(context, &mainForm);
    windows.dialogs = createPropertyDialogs(context, &mainForm);
    windows.icons = new Ticons(*mainForm.helpWindow(), &mainForm);
    windows.MCWhelp = new TMCWhelp(windows.MCW);
    windows.MCW->setHelp(windows.MCWhelp);
    windows.Planet_Names = new TPlanet_Names(
        context, [&mainForm](const QString& line) { mainForm.statusBar()->showMessage(line); },
        &mainForm);
    windows.LISTDAT = new TLISTDAT(context, &mainForm);
    windows.whatsnew = new Twhatsnew(&mainForm);
    mainForm.setWindows(windows);
    return windows;
}

}  // namespace mw::ui
