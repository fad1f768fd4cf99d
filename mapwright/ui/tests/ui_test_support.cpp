#include "ui_test_support.h"

#include <QApplication>
#include <QTimer>
#include <QtTest>

#include "designer/mdi_child.h"

namespace mw::ui::test {

namespace {

QtMessageHandler testLogHandler = nullptr;

// The offscreen platform says so for every window it cannot size or raise.
void quietOffscreenNotes(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (message.startsWith(QLatin1String("This plugin does not support"))) return;
    if (testLogHandler) testLogHandler(type, context, message);
}

}  // namespace

TestEditor::TestEditor(std::optional<QString> programDir) {
    static const bool quiet = [] {
        testLogHandler = qInstallMessageHandler(quietOffscreenNotes);
        return true;
    }();
    Q_UNUSED(quiet);
    const std::string ond = vk_test::readFile(QDir(QCoreApplication::applicationDirPath())
                                                  .filePath(QStringLiteral("main.ond"))
                                                  .toStdString());
    if (ond.empty()) qFatal("main.ond is missing beside the test executable");
    scratch.write("main.ond", ond);

    state = std::make_unique<EditorState>(scratch.root(), 7);
    document = std::make_unique<SystemDocument>(state->designer(), prompts);
    context = std::make_unique<EditorContext>(EditorContext{
        *state, *document, prompts, programDir ? ProgramFiles(*programDir) : ProgramFiles()});
    mainForm = std::make_unique<TMainForm>(*context);
    mainForm->setTerminate([this] { terminated = true; });
    windows = createEditorWindows(*mainForm, *context);
    mainForm->show();
    // Shortcuts reach only the active window.
    QApplication::setActiveWindow(mainForm.get());
    if (!QTest::qWaitForWindowActive(mainForm.get()))
        qWarning("the main window did not become active");
}

TestEditor::~TestEditor() {
    mainForm.reset();
}

TMDIChild* TestEditor::newDesigner() {
    mainForm->FileNew1->trigger();
    // A click goes to what is under it on the screen: all of the designer must show.
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
