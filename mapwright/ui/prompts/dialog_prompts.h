#pragma once
// The editor's answers to Prompts: modal message boxes captioned with the
// application title, and the toolkit's file dialogs.

#include "prompts.h"

namespace mw::ui {

class DialogPrompts : public Prompts {
public:
    void notice(QWidget* parent, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    bool ask(QWidget* parent, const QString& question) override;
    QString openFileName(QWidget* parent, const FileDialogSpec& dialog) override;
    QString saveFileName(QWidget* parent, const FileDialogSpec& dialog) override;
};

}  // namespace mw::ui
