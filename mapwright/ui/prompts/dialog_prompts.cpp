#include "dialog_prompts.h"

#include <QFileDialog>
#include <QMessageBox>

#include "app_title.h"

namespace mw::ui {

void DialogPrompts::notice(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, kApplicationTitle, text);
}

void DialogPrompts::error(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, kApplicationTitle, text);
}

bool DialogPrompts::ask(QWidget* parent, const QString& question) {
    return QMessageBox::question(parent, QStringLiteral("Confirm"), question,
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

namespace {

QString runFileDialog(QWidget* parent, const FileDialogSpec& spec, QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, spec.title, QString(), spec.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(spec.defaultSuffix);
    // The dialogs start with an empty file name every time.
    dialog.selectFile(QString());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace

QString DialogPrompts::openFileName(QWidget* parent, const FileDialogSpec& dialog) {
    return runFileDialog(parent, dialog, QFileDialog::AcceptOpen);
}

QString DialogPrompts::saveFileName(QWidget* parent, const FileDialogSpec& dialog) {
    return runFileDialog(parent, dialog, QFileDialog::AcceptSave);
}

}  // namespace mw::ui
