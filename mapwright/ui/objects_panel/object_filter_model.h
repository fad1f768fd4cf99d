#pragma once
// The object list as the table shows it: the rows the filter keeps, sorted
// by the column chosen, both by the model's rules.

#include <QSortFilterProxyModel>
#include <string>

namespace mw::ui {

class ObjectListModel;

class ObjectFilterModel : public QSortFilterProxyModel {
    Q_OBJECT
  public:
    ObjectFilterModel(ObjectListModel& rows, QObject* parent = nullptr);

    void setFilterText(const QString& text);

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

  private:
    ObjectListModel& rows_;
    std::string filter_;
};

}  // namespace mw::ui
