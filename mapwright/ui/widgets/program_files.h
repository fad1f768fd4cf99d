#pragma once
// The files that ship with the editor: the tool pictures, the program icon,
// the About banner, the help pages (in "help/") and main.ond. They are looked
// for beside the executable, then in the installed data folder
// (../share/mapwright); tests may point at one folder of their own.

#include <QPixmap>
#include <QString>
#include <optional>

#include "folders/shipped_files.h"

namespace mw::ui {

/// A picture or help page that is not there or cannot be read. The message
/// names the file.
struct MissingFile {
    QString message;
};

class ProgramFiles {
  public:
    /// Beside the running executable, then its installed data folder.
    ProgramFiles();
    /// Only this folder.
    explicit ProgramFiles(const QString& dir);

    /// The first folder searched.
    QString dir() const;
    const ShippedFiles& places() const { return places_; }
    /// Path of a shipped file where it is found, else where it was looked for first.
    QString path(const QString& fileName) const;
    /// Path of the HTML page that stands for a help file name: "readme.hlp"
    /// is "help/readme.html".
    QString helpPage(const QString& helpFileName) const;
    /// The shipped main.ond, if there is one.
    std::optional<std::filesystem::path> nameDatabase() const;

    /// Loads a shipped picture; throws MissingFile naming it.
    QPixmap picture(const QString& fileName) const;

  private:
    ShippedFiles places_;
};

}  // namespace mw::ui
