#include "recent_files_menu.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include "recent/recent_files.h"
#include "widgets/text.h"

namespace mw::ui {

namespace {

const QString kKey = QStringLiteral("recentFiles");

}  // namespace

RecentFilesMenu::RecentFilesMenu(QMenu* menu, QAction* before, QSettings& settings, QObject* parent)
    : QObject(parent), menu_(menu), before_(before), settings_(settings) {
    // A fixed set of entries, shown as the list needs them: a pointer to one
    // stays good while the menu refreshes.
    for (std::size_t i = 0; i < kMaxRecentFiles; ++i) {
        auto* slot = new QAction(this);
        slot->setObjectName(QStringLiteral("RecentFile%1").arg(i + 1));
        connect(slot, &QAction::triggered, this,
                [this, slot] { emit openRequested(slot->data().toString()); });
        menu_->insertAction(before_, slot);
        slots_.append(slot);
    }
    separator_ = new QAction(this);
    separator_->setSeparator(true);
    menu_->insertAction(before_, separator_);
    // A greyed-out entry still says where the file was.
    menu_->setToolTipsVisible(true);
    connect(menu_, &QMenu::aboutToShow, this, &RecentFilesMenu::refresh);
    refresh();
}

QStringList RecentFilesMenu::files() const {
    return settings_.value(kKey).toStringList();
}

void RecentFilesMenu::remember(const QString& path) {
    std::vector<std::string> list;
    for (const QString& file : files()) list.push_back(toPath(file));
    QStringList kept;
    for (const std::string& file : RememberRecent(list, toPath(path))) kept << fromPath(file);
    settings_.setValue(kKey, kept);
    settings_.sync();
    refresh();
}

void RecentFilesMenu::refresh() {
    // The settings may hold more than a menu shows when edited by hand.
    const QStringList list = files().mid(0, static_cast<qsizetype>(kMaxRecentFiles));
    entries_.clear();
    for (qsizetype i = 0; i < slots_.size(); ++i) {
        QAction* entry = slots_[i];
        entry->setVisible(i < list.size());
        if (i >= list.size()) continue;
        const QString& path = list[i];
        const QFileInfo file(path);
        QString name = fromPath(RecentFileLabel(toPath(path)));
        entry->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(
            name.replace(QLatin1Char('&'), QStringLiteral("&&"))));
        entry->setData(path);
        const bool present = file.isFile();
        entry->setEnabled(present);
        entry->setToolTip(path);
        entry->setStatusTip(present ? path : path + QStringLiteral(" (the file is gone)"));
        entries_.append(entry);
    }
    separator_->setVisible(!entries_.isEmpty());
}

}  // namespace mw::ui
