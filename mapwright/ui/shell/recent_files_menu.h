#pragma once
// The System menu's recent files: the last eight design and project files
// opened or saved, kept in the user's settings. A file that is gone stays in
// the list, greyed out, with its path as the hint.

#include <QObject>
#include <QStringList>

class QAction;
class QMenu;
class QSettings;

namespace mw::ui {

class RecentFilesMenu : public QObject {
    Q_OBJECT
  public:
    /// The entries go into the menu before `before`, followed by a separator.
    RecentFilesMenu(QMenu* menu, QAction* before, QSettings& settings, QObject* parent = nullptr);

    /// A file was opened or saved: it becomes the first entry.
    void remember(const QString& path);
    QStringList files() const;
    /// The entries, most recent first, as the menu shows them now.
    const QList<QAction*>& entries() const { return entries_; }
    /// Shows the list as the settings hold it, greying out the files that are
    /// gone (done each time the menu opens).
    void refresh();

  signals:
    /// An entry was chosen.
    void openRequested(const QString& path);

  private:
    QMenu* menu_;
    QAction* before_;
    QAction* separator_;
    QSettings& settings_;
    QList<QAction*> slots_;
    QList<QAction*> entries_;
};

}  // namespace mw::ui
