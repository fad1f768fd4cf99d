#include "editor_app.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>

#include "designer/system_document.h"
#include "editor_context.h"
#include "folders/working_folder.h"
#include "prompts/dialog_prompts.h"
#include "shell/editor_windows.h"
#include "shell/main_form.h"
#include "text.h"

namespace mw::ui {

void applyEditorLook() {
    QApplication::setApplicationName(QStringLiteral("mapwright"));
    // The desktop matches the windows to the menu entry and its icon by this.
    QApplication::setDesktopFileName(QStringLiteral("mapwright"));
    // One look on every desktop: the designer's controls sit at fixed pixel positions.
    QApplication::setStyle(QStringLiteral("Fusion"));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
}

struct Editor::Parts {
    explicit Parts(const std::filesystem::path& workingFolder)
        : state(workingFolder),
          document(state.designer(), prompts),
          context{state, document, prompts, ProgramFiles()},
          mainForm(context) {
        prompts.setOwner(&mainForm);
        createEditorWindows(mainForm, context);
    }

    EditorState state;
    DialogPrompts prompts;
    SystemDocument document;
    EditorContext context;
    TMainForm mainForm;
};

Editor::Editor(const std::filesystem::path& workingFolder)
    : parts_(std::make_unique<Parts>(workingFolder)) {}

Editor::Editor(const WorkingFolder& working) : Editor(working.folder) {
    parts_->mainForm.showWorkingFolder(messageText(WorkingFolderStatus(working)));
}

Editor::~Editor() = default;

TMainForm& Editor::mainForm() {
    return parts_->mainForm;
}

void Editor::show() {
    TMainForm& mainForm = parts_->mainForm;
    try {
        const QIcon icon(parts_->context.files.picture(QStringLiteral("mapwright.png")));
        QApplication::setWindowIcon(icon);
        mainForm.setWindowIcon(icon);
    } catch (const MissingFile& missing) {
        // Said once the window is up, so the message stands in front of it.
        QTimer::singleShot(0, &mainForm, [this, text = missing.message] {
            parts_->prompts.error(toMessage(text));
        });
    }
    mainForm.show();
}

WorkingFolder chooseStartFolder() {
    // A current folder that was removed under the process counts as none.
    std::error_code ec;
    std::filesystem::path current = std::filesystem::current_path(ec);
    if (ec) current = "/";
    return ChooseWorkingFolder(current, UserFoldersOfProcess(), ProgramFiles().nameDatabase());
}

bool displayAvailable() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

int runEditor(int argc, char** argv) {
    if (!displayAvailable()) {
        std::fputs(
            "mapwright: the editor needs a display (neither DISPLAY nor WAYLAND_DISPLAY is set);"
            " the headless commands work without one (see mapwright --help)\n",
            stderr);
        return 1;
    }
    QApplication app(argc, argv);
    applyEditorLook();
    // main.ond and the name lists are in the working folder: the current one,
    // or the per-user data folder when started from the desktop's menu.
    Editor editor(chooseStartFolder());
    editor.show();
    return QApplication::exec();
}

}  // namespace mw::ui
