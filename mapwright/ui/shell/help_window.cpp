#include "help_window.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "widgets/embedded_pictures.h"
#include "widgets/program_files.h"
#include "widgets/text.h"

namespace mw::ui {

HelpWindow::HelpWindow(const ProgramFiles& files, Prompts& prompts, QWidget* owner)
    : QWidget(owner, Qt::Window),
      files_(files),
      prompts_(prompts),
      browser_(new QTextBrowser(this)) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Velmora Map Editor Help"));
    resize(640, 560);

    auto* back = new QPushButton(QStringLiteral("&Back"), this);
    auto* forward = new QPushButton(QStringLiteral("&Forward"), this);
    auto* contents = new QPushButton(QStringLiteral("&Contents"), this);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents, &QPushButton::clicked, browser_, &QTextBrowser::home);
    connect(close, &QPushButton::clicked, this, &QWidget::hide);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
        const QString title = browser_->documentTitle();
        setWindowTitle(title.isEmpty() ? QStringLiteral("Velmora Map Editor Help")
                                       : QStringLiteral("Velmora Map Editor Help - ") + title);
    });
    browser_->setOpenExternalLinks(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addWidget(contents);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
}

bool HelpWindow::openHelpFile(const QString& helpFileName) {
    const QString page = files_.helpPage(helpFileName);
    if (!QFileInfo(page).isFile()) {
        prompts_.error(toMessage(QStringLiteral("The help file %1 cannot be opened: %2 is missing.")
                                     .arg(helpFileName, QDir::toNativeSeparators(page))));
        return false;
    }
    browser_->clearHistory();
    browser_->setSource(QUrl::fromLocalFile(page));
    show();
    raise();
    activateWindow();
    return true;
}

}  // namespace mw::ui
