#include "about_box.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

#include "widgets/program_files.h"
#include "widgets/text.h"
#include "widgets/window_placement.h"

namespace mw::ui {

namespace {

QLabel* textLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}

}  // namespace

TAboutBox::TAboutBox(const ProgramFiles& files, Prompts& prompts, QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                         Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      files_(files),
      prompts_(prompts),
      ProgramIcon(new QLabel(this)) {
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About the program..."));
    setModal(true);

    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setFixedSize(500, 90);
    ProgramIcon->setAlignment(Qt::AlignCenter);
    ProgramIcon->setFrameShape(QFrame::Box);
    ProgramIcon->setLineWidth(0);

    auto* Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Sunken);
    auto* texts = new QVBoxLayout(Panel1);
    texts->setSpacing(8);
    texts->addWidget(textLabel(
        QStringLiteral("Velmora Map Editor is free to use and to pass on, unchanged and without "
                       "charge, together with its help pages and pictures. It comes without any "
                       "warranty: keep copies of the maps you care about."),
        Panel1));
    texts->addWidget(textLabel(
        QStringLiteral("Thanks to every map maker who tried the early versions and told us what "
                       "was missing."),
        Panel1));
    texts->addWidget(textLabel(
        QStringLiteral("Found a bug? Please report it with the steps that lead to it and, if you "
                       "can, the files involved. Every report makes the next version better."),
        Panel1));
    auto* greeting = textLabel(QStringLiteral("Have fun building new worlds for Velmora!"), Panel1);
    QFont bold = greeting->font();
    bold.setBold(true);
    greeting->setFont(bold);
    texts->addWidget(greeting);

    auto* Version = new QLabel(QStringLiteral("VELMORA MAP EDITOR 2.2"), this);
    Version->setObjectName(QStringLiteral("Version"));
    Version->setAlignment(Qt::AlignCenter);
    QFont wide = Version->font();
    wide.setLetterSpacing(QFont::AbsoluteSpacing, 6);
    Version->setFont(wide);
    Version->setEnabled(false);

    auto* OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setDefault(true);
    OKButton->setFixedWidth(75);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ProgramIcon);
    layout->addWidget(Panel1);
    layout->addWidget(Version);
    layout->addWidget(OKButton, 0, Qt::AlignHCenter);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(this);
    if (!ProgramIcon->pixmap().isNull()) return;
    try {
        ProgramIcon->setPixmap(files_.picture(kBannerFile));
    } catch (const MissingFile& missing) {
        ProgramIcon->setText(QStringLiteral("Velmora Map Editor"));
        // Said once the box is up, so the message stands in front of it.
        QTimer::singleShot(0, this,
                           [this, text = missing.message] { prompts_.error(toMessage(text)); });
    }
}

}  // namespace mw::ui
