#pragma once
// Everything a window asks of the user: notices, errors, Yes/No questions and
// file names. The editor answers with message boxes and file dialogs
// (DialogPrompts); window tests answer from a script.

#include <QString>

class QWidget;

namespace mw::ui {

/// A file dialog's title, filter ("System design files (*.sdf)") and the
/// suffix added to a name typed without one (empty: none).
struct FileDialogSpec {
    QString title;
    QString filter;
    QString defaultSuffix;
};

class Prompts {
public:
    virtual ~Prompts() = default;
    /// A plain information box.
    virtual void notice(QWidget* parent, const QString& text) = 0;
    /// An error box: a file or table failure the user has to know about.
    virtual void error(QWidget* parent, const QString& text) = 0;
    /// A Yes/No question; true means Yes.
    virtual bool ask(QWidget* parent, const QString& question) = 0;
    /// The file chosen in an open dialog; empty means cancelled.
    virtual QString openFileName(QWidget* parent, const FileDialogSpec& dialog) = 0;
    /// The file chosen in a save dialog; empty means cancelled.
    virtual QString saveFileName(QWidget* parent, const FileDialogSpec& dialog) = 0;
};

}  // namespace mw::ui
