#include "mcw_help.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "widgets/bold_caption.h"
#include "widgets/window_placement.h"

namespace mw::ui {

namespace {

struct HelpGroup {
    const char* heading;
    const char* text;
};

constexpr HelpGroup kGroups[] = {
    {"Solar systems",
     "The list shows the systems of your map, in the order they were inserted. Press Insert to "
     "add a system design file (*.sdf) you have saved in the designer; a map holds up to ten "
     "systems, each with its own name. To take systems out again, select them in the list "
     "(hold Ctrl or Shift for more than one) and press Remove. The picture beside the list "
     "shows the systems and the jump-node links between them; a system with problems is drawn "
     "orange (warnings) or red (errors). Check map lists every problem; Save map checks the "
     "map first and generates no mission source while it has errors."},
    {"Map properties",
     "Name is the map's name as the game shows it in its list of maps; keep it to one or two "
     "words. Description is shown when the map is selected in the game and the mouse cursor "
     "rests on it; keep it short. Number of empires sets how many empires play the map: choose "
     "2, 4 or 8 from the list."},
    {"Empires",
     "Every empire has its own tab. AI mode says how the computer plays the empire: Occupancy, "
     "Standard or Agressive. Researchlist decides which inventions the empire has when the game "
     "starts. Team groups the empires: members of one team are allies. Keep the largest numbers "
     "of groups at their defaults unless you know the game well."},
};

}  // namespace

TMCWhelp::TMCWhelp(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("MCWhelp"));
    setWindowTitle(QStringLiteral("Map creator Wizard Help"));

    auto* layout = new QVBoxLayout(this);
    int number = 1;
    for (const HelpGroup& entry : kGroups) {
        auto* group = new QGroupBox(QString::fromLatin1(entry.heading), this);
        group->setObjectName(QStringLiteral("GroupBox%1").arg(number++));
        auto* text = new QLabel(QString::fromLatin1(entry.text), group);
        text->setWordWrap(true);
        auto* inner = new QVBoxLayout(group);
        inner->addWidget(text);
        boldCaption(group);
        layout->addWidget(group);
    }
    auto* close = new QPushButton(QStringLiteral("Close window"), this);
    close->setObjectName(QStringLiteral("Button1"));
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(close);
    layout->addLayout(bottom);

    setFixedWidth(380);
    setFixedHeight(heightForWidth(380));
}

void TMCWhelp::showHelp() {
    show();
    raise();
    activateWindow();
}

void TMCWhelp::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) centreOnScreen(this);
    QWidget::showEvent(event);
}

}  // namespace mw::ui
