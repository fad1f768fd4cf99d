#pragma once
// "LISTDAT": a developer's look at the used-name list, the planet name pool
// and the planet names in the editor. Modeless, on top; reached only from
// the hidden developer menu.

#include <QWidget>

#include "names/names_manager.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace mw::ui {

struct EditorContext;

class TLISTDAT : public QWidget {
    Q_OBJECT
  public:
    TLISTDAT(EditorContext& context, QWidget* owner);

    QListWidget* ListBox1;
    QLabel* Label1;        // the count
    QPushButton* Button1;  // Refresh (LIST.DAT)
    QPushButton* Button3;  // Refresh (P_NAMES.DAT)
    QPushButton* Button4;  // Refresh (PNAMES in editor)
    QPushButton* Button2;  // Close

  public slots:
    void Button1Click() { refresh(WatchList::UsedList); }
    void Button3Click() { refresh(WatchList::Pool); }
    void Button4Click() { refresh(WatchList::PlanetsInEditor); }

  private:
    void refresh(WatchList list);

    EditorContext& context_;
};

}  // namespace mw::ui
