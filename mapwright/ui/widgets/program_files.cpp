#include "program_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "text.h"

namespace mw::ui {

ProgramFiles::ProgramFiles()
    : places_(ShippedFiles::ForExecutable(toPath(QCoreApplication::applicationDirPath()))) {}

ProgramFiles::ProgramFiles(const QString& dir) : places_({toPath(dir)}) {}

QString ProgramFiles::dir() const {
    return places_.folders().empty() ? QString() : fromPath(places_.folders().front().string());
}

QString ProgramFiles::path(const QString& fileName) const {
    return fromPath(places_.locate(toPath(fileName)).string());
}

QString ProgramFiles::helpPage(const QString& helpFileName) const {
    return fromPath(places_.locate(HelpPageFor(toPath(helpFileName))).string());
}

std::optional<std::filesystem::path> ProgramFiles::nameDatabase() const {
    return places_.find(std::string(kDefaultNameDatabase));
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
