#pragma once
// The "Objects" panel beside the designer: every object of the open system
// in a table that sorts by any column and keeps the rows a filter matches.
// Its selection and the map's follow each other; Return or a double click
// opens the object's dialog and Delete deletes it, through the designer
// window as a click on its marker would. It reaches the markers the map
// cannot show: covered ones and ones that lie outside the map.

#include <QDockWidget>
#include <QPointer>
#include <optional>

#include "system/object_records.h"

class QLineEdit;
class QTableView;

namespace mw::ui {

class ObjectFilterModel;
class ObjectListModel;
class ObjectMarker;
class SystemDocument;
class TMDIChild;

class ObjectsPanel : public QDockWidget {
    Q_OBJECT
  public:
    ObjectsPanel(SystemDocument& document, QWidget* parent = nullptr);

    /// The designer window whose system the list shows; none: the list is empty.
    void setDesigner(TMDIChild* designer);
    QLineEdit* filterField() const { return filter_; }
    QTableView* table() const { return table_; }
    ObjectListModel& rows() const { return *rows_; }
    /// The object of the selected row, if any.
    std::optional<ObjectRef> currentObject() const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void sync();
    /// The selected row's marker is highlighted on the map (raised over the others).
    void showOnMap();
    /// The map's selected marker changed: its row becomes the current one.
    void markerFocused(ObjectMarker* marker);
    /// Does with the current object what a click on its marker with the tool does.
    void act(bool remove);

    SystemDocument& document_;
    QPointer<TMDIChild> designer_;
    ObjectListModel* rows_;
    ObjectFilterModel* shown_;
    QLineEdit* filter_;
    QTableView* table_;
};

}  // namespace mw::ui
