#include "editor_app.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <cstdio>

#include "designer/system_document.h"
#include "editor_context.h"
#include "prompts/dialog_prompts.h"
#include "shell/editor_windows.h"
#include "shell/main_form.h"
#include "text.h"

namespace mw::ui {

void applyEditorLook() {
    QApplication::setApplicationName(QStringLiteral("mapwright"));
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

namespace {

/// Without a display the toolkit would end the process with an abort; say why instead.
bool displayAvailable() {
    return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
           !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace

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
    // The editor works in its current folder: main.ond and the name lists are there.
    Editor editor(std::filesystem::current_path());
    editor.show();
    return QApplication::exec();
}

}  // namespace mw::ui
