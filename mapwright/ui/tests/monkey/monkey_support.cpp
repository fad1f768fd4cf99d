#include "monkey_support.h"

#include <QApplication>
#include <QSpinBox>
#include <QtTest>

#include "oracle_file_reader.h"

namespace mw::ui::test {

ModalAct::ModalAct(const std::function<bool(QWidget*)>& accept,
                   const std::function<void(QWidget*)>& act) {
    QObject::connect(&timer_, &QTimer::timeout, [this, accept, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible() || !accept(modal)) return;
        // Stopped first: the act may wait in windows of its own.
        timer_.stop();
        act(modal);
    });
    timer_.start(0);
}

void typeText(QWidget* field, const std::string& utf8, const std::function<void()>& afterKey) {
    for (const QChar c : QString::fromStdString(utf8)) {
        if (c.unicode() >= 0x20 && c.unicode() < 0x7f)
            QTest::keyClick(field, char(c.unicode()));
        else
            for (QTest::KeyAction action : {QTest::Press, QTest::Release})
                QTest::sendKeyEvent(action, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
        if (afterKey) afterKey();
    }
}

std::string latin1(const QString& text) {
    return text.toLatin1().toStdString();
}

std::optional<std::int32_t> numberShown(const QSpinBox* field) {
    const std::string shown = latin1(field->cleanText());
    if (shown.empty() || shown == "-" || shown == "+") return 0;
    return files::parseWhole(shown);
}

std::string className(const QObject* o) {
    return QString::fromLatin1(o->metaObject()->className())
        .section(QStringLiteral("::"), -1)
        .toStdString();
}

}  // namespace mw::ui::test
