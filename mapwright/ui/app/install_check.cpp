#include "install_check.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMimeDatabase>
#include <QPixmap>
#include <cstdio>
#include <string>

#include "common/errors.h"
#include "editor_app.h"
#include "folders/shipped_files.h"
#include "folders/working_folder.h"
#include "names/name_records.h"
#include "shell/main_form.h"
#include "widgets/program_files.h"
#include "widgets/text.h"

namespace mw::ui {

namespace {

/// What a name database holds, or why it holds nothing useful.
std::string describeNames(const std::filesystem::path& ond, bool& ok) {
    try {
        int systems = 0, planets = 0;
        for (const TOndRecord& r : readOndFile(ond.string())) ++(r.isPlanet() ? planets : systems);
        ok = systems + planets > 0;
        return std::to_string(systems) + " system names, " + std::to_string(planets) +
               " planet names";
    } catch (const UserError& e) {
        ok = false;
        return e.what();
    }
}

std::string placesOf(const ShippedFiles& places) {
    std::string text;
    for (const std::filesystem::path& folder : places.folders())
        text += (text.empty() ? "" : ", ") + folder.string();
    return text;
}

/// Finds and reads one shipped file; prints where it is, or what is wrong.
bool checkShippedFile(const ProgramFiles& files, const std::string& name) {
    const std::optional<std::filesystem::path> found = files.places().find(name);
    if (!found) {
        std::printf("missing: %s (looked in %s)\n", name.c_str(), placesOf(files.places()).c_str());
        return false;
    }
    bool ok = true;
    std::string detail;
    const QString path = fromPath(found->string());
    if (name.ends_with(".bmp") || name.ends_with(".png")) {
        ok = !QPixmap(path).isNull();
        if (!ok) detail = " (cannot be read as a picture)";
    } else if (name == kDefaultNameDatabase) {
        detail = " (" + describeNames(*found, ok) + ")";
    } else {
        ok = QFileInfo(path).isReadable() && QFileInfo(path).size() > 0;
        if (!ok) detail = " (empty or unreadable)";
    }
    std::printf("%s: %s%s\n", ok ? "found" : "broken", found->string().c_str(), detail.c_str());
    return ok;
}

/// Whether the desktop's MIME database knows the editor's two kinds of file
/// (it does once the installed package's MIME info has been registered).
/// Told, not judged: a build folder is never registered.
void reportFileTypes() {
    const QMimeDatabase mime;
    for (const char* name :
         {"application/x-velmora-system-design", "application/x-velmora-map-project"}) {
        const QMimeType type = mime.mimeTypeForName(QLatin1String(name));
        if (type.isValid())
            std::printf("file type %s: %s\n", name, qPrintable(type.globPatterns().join(' ')));
        else
            std::printf("file type %s: not in the desktop's MIME database\n", name);
    }
}

}  // namespace

int checkInstallation(int argc, char** argv) {
    // Nothing is shown, so no display is needed; the offscreen platform's
    // notes about window sizes say nothing about the installation.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QtMessageHandler toolkitHandler = nullptr;
    toolkitHandler = qInstallMessageHandler(
        [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.startsWith(QLatin1String("This plugin does not support")))
                toolkitHandler(type, context, message);
        });
    QApplication app(argc, argv);
    applyEditorLook();
    const WorkingFolder working = chooseStartFolder();
    Editor editor(working);
    // Loads the program icon as a real start does; the event loop never runs,
    // so no message box can wait for an answer.
    editor.show();

    bool ok = true;
    const ProgramFiles files;
    for (const std::string& name : ShippedFileNames()) ok = checkShippedFile(files, name) && ok;
    if (QApplication::windowIcon().isNull()) {
        std::puts("broken: the window has no program icon");
        ok = false;
    }

    // What the status bar shows, read back from it.
    const auto* shown = editor.mainForm().findChild<QLabel*>(QStringLiteral("WorkingFolder"));
    if (!shown || shown->text() != messageText(WorkingFolderStatus(working))) {
        std::puts("broken: the status bar does not name the working folder");
        ok = false;
    }
    std::printf("%s%s\n", WorkingFolderStatus(working).c_str(),
                working.desktopStart ? " (started from the desktop)" : "");
    bool named = false;
    const std::filesystem::path ond = working.folder / kDefaultNameDatabase;
    const std::string names = describeNames(ond, named);
    // A read error names the file itself.
    if (named || names.find(ond.string()) == std::string::npos)
        std::printf("%s: %s\n", ond.string().c_str(), names.c_str());
    else
        std::printf("%s\n", names.c_str());
    ok = ok && named && working.problem.empty();
    reportFileTypes();
    std::puts(ok ? "the editor has everything it needs"
                 : "the editor misses something (see above)");
    return ok ? 0 : 1;
}

}  // namespace mw::ui
