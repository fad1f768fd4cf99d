#pragma once
// The files that ship beside the executable: the tool pictures, the program
// icon, the About banner and the help pages (in "help/"). The editor uses the
// executable's folder; tests may point elsewhere.

#include <QPixmap>
#include <QString>

namespace mw::ui {

/// A picture or help page that is not there or cannot be read. The message
/// names the file.
struct MissingFile {
    QString message;
};

class ProgramFiles {
  public:
    /// The folder of the running executable.
    ProgramFiles();
    explicit ProgramFiles(QString dir) : dir_(std::move(dir)) {}

    const QString& dir() const { return dir_; }
    /// Path of a file beside the executable.
    QString path(const QString& fileName) const;
    /// Path of the HTML page that stands for a help file name: "readme.hlp"
    /// is "help/readme.html".
    QString helpPage(const QString& helpFileName) const;

    /// Loads a picture beside the executable; throws MissingFile naming it.
    QPixmap picture(const QString& fileName) const;

  private:
    QString dir_;
};

}  // namespace mw::ui
