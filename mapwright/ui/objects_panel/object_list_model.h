#pragma once
// The rows of the object list as a Qt table model, kept in step with the
// system: sync() reads the tables again and tells the views only what
// differs (rows gone, rows new, rows changed), so a selection and the scroll
// position survive every change and one change in a big system stays cheap.

#include <QAbstractTableModel>
#include <vector>

#include "system_designer/object_list.h"

namespace mw::ui {

class ObjectListModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    using QAbstractTableModel::QAbstractTableModel;

    /// Shows the objects of the tables as they are now.
    void sync(const SystemModel& tables);
    /// No designer window: no rows.
    void clear() { replaceAll({}); }
    const ObjectRow& row(int at) const { return rows_[static_cast<std::size_t>(at)]; }
    /// The row of the object; -1 when it is not listed.
    int rowOf(ObjectRef object) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    /// Many rows differ (a file opened, the map cleared): one reset is cheaper.
    void replaceAll(std::vector<ObjectRow> rows);

    std::vector<ObjectRow> rows_;
};

}  // namespace mw::ui
