#include "text.h"

#include <QFile>
#include <QStringDecoder>

namespace mw::ui {

QString fromModel(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toModel(const QString& text) {
    return text.toLatin1().toStdString();
}

QString messageText(std::string_view text) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
    return utf8.hasError() ? fromModel(text) : decoded;
}

std::string toMessage(const QString& text) {
    return text.toUtf8().toStdString();
}

std::string toPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString fromPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace mw::ui
