#include "editor_app.h"

#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <memory>

#include "designer/system_document.h"
#include "editor_context.h"
#include "prompts/app_title.h"
#include "prompts/dialog_prompts.h"
#include "shell/editor_windows.h"
#include "shell/main_form.h"

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

    // The tables are large; the one state lives on the heap for the whole run.
    auto state = std::make_unique<EditorState>();
    SystemDocument document(*state);
    DialogPrompts prompts;
    EditorContext context{*state, document, prompts, ProgramFiles()};

    TMainForm mainForm(context);
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
        QTimer::singleShot(0, &mainForm, [&] { prompts.error(&mainForm, iconError); });
    return QApplication::exec();
}

}  // namespace mw::ui
