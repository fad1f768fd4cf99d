#include "editor_app.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <filesystem>

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

int runEditor(int argc, char** argv) {
    QApplication app(argc, argv);
    applyEditorLook();

    // The editor works in its current folder: main.ond and the name lists are there.
    EditorState state(std::filesystem::current_path());
    DialogPrompts prompts;
    SystemDocument document(state.designer(), prompts);
    EditorContext context{state, document, prompts, ProgramFiles()};

    TMainForm mainForm(context);
    prompts.setOwner(&mainForm);
    createEditorWindows(mainForm, context);

    QString iconError;
    try {
        const QIcon icon(context.files.picture(QStringLiteral("mapwright.png")));
        QApplication::setWindowIcon(icon);
        mainForm.setWindowIcon(icon);
    } catch (const MissingFile& missing) {
        iconError = missing.message;
    }
    mainForm.show();
    if (!iconError.isEmpty())
        QTimer::singleShot(0, &mainForm, [&] { prompts.error(toMessage(iconError)); });
    return QApplication::exec();
}

}  // namespace mw::ui
