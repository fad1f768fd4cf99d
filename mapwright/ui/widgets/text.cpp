#include "text.h"

#include <QFile>

#include "common/message_text.h"

namespace mw::ui {

QString fromModel(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string toModel(const QString& text) {
    return text.toLatin1().toStdString();
}

QString messageText(std::string_view text) {
    const std::string utf8 = messageUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
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
