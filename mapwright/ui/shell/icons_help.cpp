#include "icons_help.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "designer/tool_names.h"
#include "help_window.h"
#include "widgets/embedded_pictures.h"

namespace mw::ui {

namespace {

constexpr Tool kLegend[] = {Tool::Planet, Tool::Ship,  Tool::Asteroid, Tool::MicroAsteroid,
                            Tool::Nebula, Tool::Wreck, Tool::JumpNode, Tool::Delete};

struct HelpButton {
    const char* caption;
    const char* file;
};

constexpr HelpButton kHelpButtons[] = {
    {"Readme.1st", "readme.hlp"},
    {"Introduction", "intro.hlp"},
    {"Buttons and Icons", "bai.hlp"},
    {"System design tutorial", "tutorial1.hlp"},
    {"Map making tutorial", "tutorial2.hlp"},
};

}  // namespace

Ticons::Ticons(HelpWindow& help, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("icons"));
    setWindowTitle(QStringLiteral("System design help"));

    auto* GroupBox1 = new QGroupBox(QStringLiteral("Icons"), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    auto* legend = new QGridLayout(GroupBox1);
    legend->setHorizontalSpacing(8);
    int row = 0;
    int column = 0;
    for (Tool tool : kLegend) {
        auto* picture = new QLabel(GroupBox1);
        picture->setPixmap(embeddedPixmap(toolPicture(tool), 24));
        picture->setFixedSize(26, 26);
        picture->setFrameShape(QFrame::Box);
        legend->addWidget(picture, row, column * 2);
        legend->addWidget(new QLabel(toolName(tool), GroupBox1), row, column * 2 + 1);
        if (++column == 2) {
            column = 0;
            ++row;
        }
    }
    legend->setColumnStretch(1, 1);
    legend->setColumnStretch(3, 1);

    auto* GroupBox2 = new QGroupBox(QStringLiteral("Launch help files"), this);
    GroupBox2->setObjectName(QStringLiteral("GroupBox2"));
    auto* launch = new QVBoxLayout(GroupBox2);
    int number = 1;
    for (const HelpButton& entry : kHelpButtons) {
        auto* button = new QPushButton(QString::fromLatin1(entry.caption), GroupBox2);
        button->setObjectName(QStringLiteral("Button%1").arg(number++));
        const QString file = QString::fromLatin1(entry.file);
        connect(button, &QPushButton::clicked, this, [&help, file] { help.openHelpFile(file); });
        launch->addWidget(button);
    }

    auto* close = new QPushButton(QStringLiteral("Close window"), this);
    close->setObjectName(QStringLiteral("Button%1").arg(number));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox2);
    layout->addWidget(close);
    setFixedWidth(300);
    setFixedHeight(sizeHint().height());
}

}  // namespace mw::ui
