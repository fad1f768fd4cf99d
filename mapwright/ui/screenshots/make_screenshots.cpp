// Renders the editor's windows to PNG files for the README:
//   mapwright_screenshots OUTPUT_DIR SAMPLE.sdf WORK_DIR
// It builds the real windows, opens the sample system through the main
// window's Open command (the file dialog answered with SAMPLE.sdf) and grabs
// each window from the screen, window manager frame included. Run it under
// a display (scripts/screenshots starts Xvfb and a window manager).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <filesystem>

#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "designer/system_document.h"
#include "editor_app.h"
#include "editor_context.h"
#include "shell/about_box.h"
#include "shell/editor_windows.h"
#include "shell/help_window.h"
#include "shell/icons_help.h"
#include "shell/main_form.h"
#include "shell/whats_new.h"
#include "text.h"

namespace {

using namespace mw::ui;

/// Answers every question with Yes and every open dialog with the sample.
class SamplePrompts : public mw::Prompts {
  public:
    explicit SamplePrompts(std::string sample) : sample_(std::move(sample)) {}
    void notice(const std::string& text) override { report("notice", text); }
    void error(const std::string& text) override {
        report("error", text);
        failed = true;
    }
    bool ask(const std::string&) override { return true; }
    std::string chooseFile(mw::FileDialog dialog) override {
        return dialog == mw::FileDialog::OpenSystem ? sample_ : std::string();
    }
    bool failed = false;

  private:
    static void report(const char* kind, const std::string& text) {
        std::fprintf(stderr, "mapwright_screenshots: %s: %s\n", kind, text.c_str());
    }
    std::string sample_;
};

void settle(int ms) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
}

bool grab(QWidget* window, const QString& file) {
    window->raise();
    window->activateWindow();
    settle(600);
    const QRect frame = window->frameGeometry();
    const QPixmap shot =
        window->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
    if (!shot.save(file)) {
        std::fprintf(stderr, "mapwright_screenshots: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fputs("usage: mapwright_screenshots OUTPUT_DIR SAMPLE.sdf WORK_DIR\n", stderr);
        return 2;
    }
    QApplication app(argc, argv);
    applyEditorLook();
    const QString out = QString::fromLocal8Bit(argv[1]);
    const std::string sample =
        toPath(QFileInfo(QString::fromLocal8Bit(argv[2])).absoluteFilePath());
    QDir().mkpath(out);

    // The working folder holds main.ond; the name lists are kept there.
    mw::EditorState state{std::filesystem::path(argv[3])};
    SamplePrompts prompts(sample);
    SystemDocument document(state.designer(), prompts);
    EditorContext context{state, document, prompts, ProgramFiles()};
    TMainForm mainForm(context);
    const EditorWindows windows = createEditorWindows(mainForm, context);
    mainForm.setWindowIcon(QIcon(context.files.path(QStringLiteral("mapwright.png"))));
    mainForm.show();
    settle(300);

    bool ok = true;
    mainForm.FileOpen1Execute();
    TMDIChild* designer = mainForm.designer();
    if (!designer) {
        std::fputs("mapwright_screenshots: the sample did not open\n", stderr);
        return 1;
    }
    designer->SpeedButton[1]->click();  // the ship tool, to show a selection other than the first
    QMouseEvent move(QEvent::MouseMove, QPointF(330, 150),
                     designer->mapPanel()->mapToGlobal(QPointF(330, 150)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(designer->mapPanel(), &move);
    // As a map maker would: the main window made large enough for the whole designer.
    const QSize grow = designer->parentWidget()->size() - mainForm.clientArea()->viewport()->size();
    mainForm.resize(mainForm.size() + grow.expandedTo(QSize(0, 0)) + QSize(8, 8));
    ok &= grab(&mainForm, out + QStringLiteral("/main_window.png"));

    windows.AboutBox->show();
    ok &= grab(windows.AboutBox, out + QStringLiteral("/about_box.png"));
    windows.AboutBox->hide();

    windows.whatsnew->show();
    ok &= grab(windows.whatsnew, out + QStringLiteral("/whats_new.png"));
    windows.whatsnew->hide();

    windows.icons->show();
    ok &= grab(windows.icons, out + QStringLiteral("/system_design_help.png"));
    windows.icons->hide();

    mainForm.helpWindow()->openHelpFile(QStringLiteral("bai.hlp"));
    ok &= grab(mainForm.helpWindow(), out + QStringLiteral("/help_buttons_and_icons.png"));
    mainForm.helpWindow()->hide();

    return ok && !prompts.failed ? 0 : 1;
}
