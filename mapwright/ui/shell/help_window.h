#pragma once
// The help viewer: one window, owned by the main window, that shows the help
// page standing for a help file name ("readme.hlp") at its first page.

#include <QWidget>

#include "common/prompts.h"

class QTextBrowser;

namespace mw::ui {

class ProgramFiles;

class HelpWindow : public QWidget {
    Q_OBJECT
  public:
    HelpWindow(const ProgramFiles& files, Prompts& prompts, QWidget* owner);

    /// Shows the page of the help file; a missing page is reported naming the
    /// file, and nothing is shown.
    bool openHelpFile(const QString& helpFileName);
    QTextBrowser* browser() const { return browser_; }

  private:
    const ProgramFiles& files_;
    Prompts& prompts_;
    QTextBrowser* browser_;
};

}  // namespace mw::ui
