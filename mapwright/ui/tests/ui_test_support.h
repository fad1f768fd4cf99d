#pragma once
// What the window tests share: prompts answered from a script, and an editor
// (state, document, main window, shell windows) in a scratch working folder
// that holds a copy of main.ond.

#include <QDir>
#include <QList>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>

#include "designer/system_document.h"
#include "editor_context.h"
#include "prompts/prompts.h"
#include "shell/editor_windows.h"
#include "shell/main_form.h"

namespace mw::ui::test {

/// Answers from queues; whatever is asked is recorded. A question or dialog
/// with nothing queued is answered No / cancelled and counted as unexpected.
class ScriptedPrompts : public Prompts {
public:
    void notice(QWidget*, const QString& text) override { notices << text; }
    void error(QWidget*, const QString& text) override { errors << text; }
    bool ask(QWidget*, const QString& question) override;
    QString openFileName(QWidget*, const FileDialogSpec& dialog) override;
    QString saveFileName(QWidget*, const FileDialogSpec& dialog) override;

    QList<bool> answers;
    QStringList files;
    QStringList questions, notices, errors, dialogTitles;
    int unexpected = 0;

private:
    QString nextFile(const FileDialogSpec& dialog);
};

/// A whole editor as main() builds it, in a scratch working folder (the
/// process's current folder while it lives), with a seeded random source.
class TestEditor {
public:
    explicit TestEditor(std::optional<QString> programDir = std::nullopt);
    ~TestEditor();

    QString path(const QString& name) const { return work.filePath(name); }
    /// Creates a designer window through the main window's New command.
    TMDIChild* newDesigner();

    QTemporaryDir scratch;
    QDir work;
    std::unique_ptr<EditorState> state;
    std::unique_ptr<SystemDocument> document;
    ScriptedPrompts prompts;
    std::unique_ptr<EditorContext> context;
    std::unique_ptr<TMainForm> mainForm;
    EditorWindows windows;
    bool terminated = false;

private:
    QString previousDir_;
};

/// Closes the modal dialog that opens next, once it is up; the dialog is
/// handed to `inspect` first.
void closeNextModal(std::function<void(QWidget*)> inspect = {});

}  // namespace mw::ui::test
