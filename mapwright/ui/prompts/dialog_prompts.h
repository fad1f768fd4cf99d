#pragma once
// The editor's answers to the model's prompts: modal message boxes captioned
// with the application title, and the toolkit's file dialogs with the titles,
// filters and default extensions the model gives.

#include <QPointer>
#include <QWidget>

#include "common/prompts.h"

namespace mw::ui {

class DialogPrompts : public Prompts {
  public:
    /// The window the boxes belong to when no other window of the editor is active.
    void setOwner(QWidget* owner) { owner_ = owner; }

    void notice(const std::string& text) override;
    void error(const std::string& text) override;
    bool ask(const std::string& question) override;
    std::string chooseFile(FileDialog dialog) override;
    std::vector<std::string> chooseFiles(FileDialog dialog) override;

    /// The Qt filter of a dialog: "System design files (*.sdf)".
    static QString filter(const FileDialogText& text);

  private:
    QWidget* parent() const;
    QPointer<QWidget> owner_;
};

}  // namespace mw::ui
