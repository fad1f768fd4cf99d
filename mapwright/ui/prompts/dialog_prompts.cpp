#include "dialog_prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

#include "common/shell_text.h"
#include "widgets/text.h"

namespace mw::ui {

namespace {

QString title() {
    return fromModel(shell_text::kApplicationTitle);
}

}  // namespace

QWidget* DialogPrompts::parent() const {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return owner_;
}

void DialogPrompts::notice(const std::string& text) {
    QMessageBox::information(parent(), title(), messageText(text));
}

void DialogPrompts::error(const std::string& text) {
    QMessageBox::critical(parent(), title(), messageText(text));
}

bool DialogPrompts::ask(const std::string& question) {
    return QMessageBox::question(parent(), QStringLiteral("Confirm"), messageText(question),
                                 QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::Yes) == QMessageBox::Yes;
}

QString DialogPrompts::filter(const FileDialogText& text) {
    QString name = fromModel(text.filterName);
    // Some descriptions already show their pattern.
    if (name.contains(QLatin1Char('('))) return name;
    return name + QStringLiteral(" (") + fromModel(text.pattern) + QLatin1Char(')');
}

std::string DialogPrompts::chooseFile(FileDialog which) {
    const FileDialogText& text = fileDialogText(which);
    QFileDialog dialog(parent(), fromModel(text.title), QString(), filter(text));
    dialog.setAcceptMode(text.saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(text.saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(fromModel(text.defaultExtension));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return toPath(dialog.selectedFiles().constFirst());
}

std::vector<std::string> DialogPrompts::chooseFiles(FileDialog which) {
    const FileDialogText& text = fileDialogText(which);
    QFileDialog dialog(parent(), fromModel(text.title), QString(), filter(text));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    std::vector<std::string> files;
    if (dialog.exec() != QDialog::Accepted) return files;
    for (const QString& file : dialog.selectedFiles()) files.push_back(toPath(file));
    return files;
}

}  // namespace mw::ui
