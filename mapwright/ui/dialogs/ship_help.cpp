#include "ship_help.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_controls.h"

namespace mw::ui {

namespace {

const char* const kExplanation = R"(
<p style="margin-top:0"><b>How the ship type names are built</b></p>
<p>Most ship types are written as <tt>_</tt><i>race</i><tt>_</tt><i>weapon</i><tt>_</tt><i>class</i>:</p>
<table cellspacing="0" cellpadding="2">
<tr><td><i>race</i></td><td><tt>H</tt> human, <tt>K</tt> kariak, <tt>D</tt> darzok</td></tr>
<tr><td><i>weapon</i>&nbsp;&nbsp;</td><td><tt>P</tt> proton guns, <tt>I</tt> ion, <tt>Q</tt> quantum; <tt>M</tt> in the
mining bases' names; nothing at all (two underscores in a row) for an unarmed ship</td></tr>
<tr><td><i>class</i></td><td>the hull: Fighter, Corvette, Cruiser, Battleship, MilitaryBase, Spy, Colonizer
and so on. <tt>Turret</tt> or <tt>Gun</tt> after the hull says how the weapons are mounted: in turrets
that turn, or as guns fixed to the hull.</td></tr>
</table>
<p><b>Examples</b></p>
<table cellspacing="0" cellpadding="2">
<tr><td><tt>_H_P_MilitaryBase</tt>&nbsp;&nbsp;</td><td>a human military base with proton guns</td></tr>
<tr><td><tt>_H_P_CorvetteTurret</tt>&nbsp;&nbsp;</td><td>a human corvette with proton guns in turrets</td></tr>
<tr><td><tt>_K_I_CorvetteTurret</tt>&nbsp;&nbsp;</td><td>a kariak corvette with ion guns in turrets</td></tr>
</table>
<p>Special ships, such as the Darzok headquarters, the space monsters or the Solon bases, do not
follow the scheme: choose them by name from the list. <i>Deployed</i> matters for bases only.</p>
<p style="margin-bottom:0">The number of ships a group may hold depends on the class: up to 7 fighters,
4 corvettes or 2 cruisers; every other type stands alone.</p>
)";

}  // namespace

Tship_help::Tship_help(QWidget* owner) : QDialog(owner, kFixedDialog) {
    setObjectName(QStringLiteral("ship_help"));
    setWindowTitle(QStringLiteral("Ship types - Help"));
    setModal(true);

    Label1 = new QLabel(QString::fromUtf8(kExplanation), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setTextFormat(Qt::RichText);
    Label1->setWordWrap(true);
    Label1->setFixedWidth(440);
    Label1->setTextInteractionFlags(Qt::TextSelectableByMouse);

    Button1 = button("Button1", QStringLiteral("OK"), this);
    Button1->setDefault(true);
    Button1->setMinimumWidth(75);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(12);
    layout->addWidget(Label1);
    layout->addWidget(Button1, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace mw::ui
