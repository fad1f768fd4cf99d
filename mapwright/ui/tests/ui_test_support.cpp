#include "ui_test_support.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListWidget>
#include <QTimer>
#include <QtTest>

#include "designer/mdi_child.h"
#include "wizard/map_picture_view.h"

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

TestEditor::TestEditor(std::optional<QString> programDir, Ending ending) {
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
    if (ending == Ending::Recorded) mainForm->setTerminate([this] { terminated = true; });
    windows = createEditorWindows(*mainForm, *context);
    mainForm->show();
    // Shortcuts reach only the active window.
    QApplication::setActiveWindow(mainForm.get());
    if (!QTest::qWaitForWindowActive(mainForm.get()))
        qWarning("the main window did not become active");
}

namespace {
const QString kModalPoll = QStringLiteral("onModalPoll");
}

TestEditor::~TestEditor() {
    // A dialog a test waited for in vain must not be acted on in the next test.
    qDeleteAll(qApp->findChildren<QTimer*>(kModalPoll, Qt::FindDirectChildrenOnly));
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

void onModal(const std::function<bool(QWidget*)>& accept,
             const std::function<void(QWidget*)>& act) {
    auto* poll = new QTimer(qApp);
    poll->setObjectName(kModalPoll);
    QElapsedTimer since;
    since.start();
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        const bool found = modal && modal->isVisible() && accept(modal);
        if (!found && since.elapsed() < 20000) return;
        // Stopped before acting: the act may open a modal dialog and wait in it.
        poll->stop();
        poll->deleteLater();
        if (found)
            act(modal);
        else
            qWarning("onModal: the expected modal dialog did not appear");
    });
    poll->start(0);
}

QStringList rows(const QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) texts.append(list->item(i)->text());
    return texts;
}

bool waitUntilDrawn(const MapPictureView* view) {
    return QTest::qWaitFor([view] { return !view->drawing(); }, 20000);
}

}  // namespace mw::ui::test
