#include "ui_test_support.h"

#include <QApplication>
#include <QFile>
#include <QTimer>
#include <QtTest>

#include "designer/mdi_child.h"

namespace mw::ui::test {

bool ScriptedPrompts::ask(QWidget*, const QString& question) {
    questions << question;
    if (answers.isEmpty()) {
        ++unexpected;
        return false;
    }
    return answers.takeFirst();
}

QString ScriptedPrompts::nextFile(const FileDialogSpec& dialog) {
    dialogTitles << dialog.title;
    if (files.isEmpty()) {
        ++unexpected;
        return {};
    }
    return files.takeFirst();
}

QString ScriptedPrompts::openFileName(QWidget*, const FileDialogSpec& dialog) { return nextFile(dialog); }
QString ScriptedPrompts::saveFileName(QWidget*, const FileDialogSpec& dialog) { return nextFile(dialog); }

namespace {

QtMessageHandler testLogHandler = nullptr;

// The offscreen platform says so for every window it cannot size or raise.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    if (testLogHandler) testLogHandler(type, context, message);
}

}  // namespace

TestEditor::TestEditor(std::optional<QString> programDir)
    : work(scratch.path()), previousDir_(QDir::currentPath()) {
    static const bool quiet = [] {
        testLogHandler = qInstallMessageHandler(quietOffscreenNotes);
        return true;
    }();
    Q_UNUSED(quiet);
    if (!QFile::copy(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("main.ond")),
                     work.filePath(QStringLiteral("main.ond"))))
        qFatal("main.ond is missing beside the test executable");
    // The editor finds main.ond and keeps its name lists in its current folder.
    QDir::setCurrent(work.path());
    state = std::make_unique<EditorState>(NameDirectory(), 7);
    document = std::make_unique<SystemDocument>(*state);
    context = std::make_unique<EditorContext>(EditorContext{
        *state, *document, prompts, programDir ? ProgramFiles(*programDir) : ProgramFiles()});
    mainForm = std::make_unique<TMainForm>(*context);
    mainForm->setTerminate([this] { terminated = true; });
    windows = createEditorWindows(*mainForm, *context);
    mainForm->show();
    // Shortcuts reach only the active window.
    QApplication::setActiveWindow(mainForm.get());
    if (!QTest::qWaitForWindowActive(mainForm.get())) qWarning("the main window did not become active");
}

TestEditor::~TestEditor() {
    mainForm.reset();
    QDir::setCurrent(previousDir_);
}

TMDIChild* TestEditor::newDesigner() {
    mainForm->FileNew1->trigger();
    // Big enough for the whole designer: a click goes to what is under it on the screen.
    mainForm->resize(1000, 720);
    return mainForm->designer();
}

void closeNextModal(std::function<void(QWidget*)> inspect) {
    QTimer::singleShot(0, [inspect = std::move(inspect)] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (inspect) inspect(modal);
        modal->close();
    });
}

}  // namespace mw::ui::test
