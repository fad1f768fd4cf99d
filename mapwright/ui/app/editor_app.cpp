#include "editor_app.h"

#include <QApplication>
#include <QIcon>
#include <QSettings>
#include <QTimer>
#include <cstdio>

#include "document/editor_context.h"
#include "document/system_document.h"
#include "folders/working_folder.h"
#include "prompts/dialog_prompts.h"
#include "shell/editor_windows.h"
#include "shell/main_form.h"
#include "shell/recent_files_menu.h"
#include "shell/recovery_keeper.h"
#include "widgets/text.h"

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
    Parts(const std::filesystem::path& workingFolder, EditorHooks editorHooks)
        : state(workingFolder),
          hooks(std::move(editorHooks)),
          prompts(hooks.prompts ? *hooks.prompts : static_cast<Prompts&>(dialogPrompts)),
          document(state.designer(), prompts),
          context{state, document, prompts, ProgramFiles()},
          mainForm(context) {
        dialogPrompts.setOwner(&mainForm);
        createEditorWindows(mainForm, context);
    }

    EditorState state;
    DialogPrompts dialogPrompts;
    EditorHooks hooks;
    Prompts& prompts;
    SystemDocument document;
    EditorContext context;
    TMainForm mainForm;
    std::unique_ptr<QSettings> settings;
    // Last, so it goes first: a clean end removes the recovery file.
    std::unique_ptr<RecoveryKeeper> keeper;
};

Editor::Editor(const std::filesystem::path& workingFolder)
    : parts_(std::make_unique<Parts>(workingFolder, EditorHooks{})) {}

Editor::Editor(const WorkingFolder& working) : Editor(working, EditorHooks{}) {}

Editor::Editor(const WorkingFolder& working, EditorHooks hooks)
    : parts_(std::make_unique<Parts>(working.folder, std::move(hooks))) {
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

void Editor::keepRecentFiles(std::unique_ptr<QSettings> settings) {
    parts_->settings = std::move(settings);
    parts_->mainForm.setRecentFiles(*parts_->settings);
}

void Editor::keepRecovery(const std::filesystem::path& stateFolder,
                          std::chrono::milliseconds interval) {
    parts_->keeper =
        std::make_unique<RecoveryKeeper>(parts_->document, parts_->state.map(),
                                         RecoveryFiles(stateFolder), parts_->prompts, interval);
}

void Editor::start(const QString& file) {
    TMainForm& mainForm = parts_->mainForm;
    if (parts_->keeper) parts_->keeper->offerRestore([&mainForm] { mainForm.FileNew1Execute(); });
    if (!file.isEmpty()) mainForm.openFile(file);
    if (parts_->hooks.onStart) parts_->hooks.onStart(parts_->document);
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

int runEditor(int argc, char** argv, const std::string& file, EditorHooks hooks) {
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
    const std::optional<std::chrono::milliseconds> autosave = hooks.autosave;
    Editor editor(chooseStartFolder(), std::move(hooks));
    // $XDG_CONFIG_HOME/mapwright/mapwright.conf
    editor.keepRecentFiles(
        std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                    QStringLiteral("mapwright"), QStringLiteral("mapwright")));
    const std::filesystem::path stateFolder = StateFolder(UserFoldersOfProcess());
    if (!stateFolder.empty())
        editor.keepRecovery(stateFolder, autosave.value_or(kAutosaveInterval));
    editor.show();
    // Absolute: the save target and the recovery file's origin must not
    // depend on the folder a later start is made in.
    const QString opened =
        file.empty() ? QString() : fromPath(std::filesystem::absolute(file).string());
    QTimer::singleShot(0, &editor.mainForm(), [&editor, opened] { editor.start(opened); });
    return QApplication::exec();
}

}  // namespace mw::ui
