#include "program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace mw::ui {

ProgramFiles::ProgramFiles() : dir_(QCoreApplication::applicationDirPath()) {}

QString ProgramFiles::path(const QString& fileName) const {
    return QDir(dir_).filePath(fileName);
}

QString ProgramFiles::helpPage(const QString& helpFileName) const {
    return QDir(dir_).filePath(QStringLiteral("help/") +
                               QFileInfo(helpFileName).completeBaseName() +
                               QStringLiteral(".html"));
}

QPixmap ProgramFiles::picture(const QString& fileName) const {
    const QString file = path(fileName);
    QPixmap pixmap;
    if (!QFileInfo(file).isFile())
        throw MissingFile{
            QStringLiteral("The picture file %1 is missing.").arg(QDir::toNativeSeparators(file))};
    if (!pixmap.load(file))
        throw MissingFile{QStringLiteral("The picture file %1 cannot be read.")
                              .arg(QDir::toNativeSeparators(file))};
    return pixmap;
}

}  // namespace mw::ui
