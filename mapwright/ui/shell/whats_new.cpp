#include "whats_new.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "widgets/window_placement.h"

namespace mw::ui {

namespace {

const char kChanges[] =
    "Changes in version 2.2\n"
    "\n"
    "- Many small bugs were fixed.\n"
    "\n"
    "- Planets get their names by themselves: every planet you place takes a free name from "
    "the name database, and a deleted planet gives its name back.\n"
    "\n"
    "- Systems get their names by themselves as well: a new designer window draws a system "
    "name in the name style you chose.\n"
    "\n"
    "- The name explorer: with it you create names and store them in a name "
    "database (an .ond file); the editor picks the names of planets and systems from that "
    "database. Start it from the names manager with \"Browser\".\n"
    "\n"
    "- The version number went up to 2.2.\n"
    "\n"
    "Known issues\n"
    "\n"
    "- If you switch the name style while you are designing a system, names of the previous "
    "style can still turn up for a while.\n"
    "\n"
    "- Sometimes the planet names run out too early and the planets are called Planet1, "
    "Planet2 and so on. To cure it, open the planet names manager, choose another .ond file "
    "and press OK, then choose your old file again and press OK once more.\n"
    "\n"
    "If you find a bug, please report it with the steps that lead to it. Every report makes "
    "the next version better.\n"
    "\n"
    "Good luck with your maps!\n";

}  // namespace

Twhatsnew::Twhatsnew(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint),
      Memo1(new QTextEdit(this)) {
    setObjectName(QStringLiteral("whatsnew"));
    setWindowTitle(QStringLiteral("What's new?"));
    setModal(true);
    setFixedSize(440, 400);

    auto* Label1 = new QLabel(QStringLiteral("What's new in v2.2?"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont title = Label1->font();
    title.setPointSize(16);
    title.setBold(true);
    Label1->setFont(title);
    QPalette red = Label1->palette();
    red.setColor(QPalette::WindowText, QColor(0xC0, 0x10, 0x10));
    Label1->setPalette(red);

    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFrameShape(QFrame::NoFrame);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setPlainText(QString::fromLatin1(kChanges));
    // Read-only text on the window's own background, as a memo without border.
    QPalette memo = Memo1->palette();
    memo.setColor(QPalette::Base, palette().color(QPalette::Window));
    Memo1->setPalette(memo);

    auto* Button1 = new QPushButton(QStringLiteral("Close"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(Button1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(Memo1);
    layout->addLayout(bottom);
}

void Twhatsnew::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
}

}  // namespace mw::ui
