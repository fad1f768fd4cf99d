#include "object_filter_model.h"

#include "object_list_model.h"
#include "widgets/text.h"

namespace mw::ui {

ObjectFilterModel::ObjectFilterModel(ObjectListModel& rows, QObject* parent)
    : QSortFilterProxyModel(parent), rows_(rows) {
    setSourceModel(&rows);
    setDynamicSortFilter(true);
}

void ObjectFilterModel::setFilterText(const QString& text) {
    std::string filter = toModel(text);
    if (filter == filter_) return;
    filter_ = std::move(filter);
    invalidateFilter();
}

bool ObjectFilterModel::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
    return filter_.empty() || objectRowMatches(rows_.row(sourceRow), filter_);
}

bool ObjectFilterModel::lessThan(const QModelIndex& left, const QModelIndex& right) const {
    return objectRowLess(rows_.row(left.row()), rows_.row(right.row()),
                         static_cast<ObjectColumn>(left.column()));
}

}  // namespace mw::ui
