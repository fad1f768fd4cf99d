#include "object_list_model.h"

#include <algorithm>

#include "widgets/text.h"

namespace mw::ui {

namespace {

// Beyond this many differing rows one reset costs the views less than
// telling them row by row.
constexpr std::size_t kResetAbove = 64;

}  // namespace

int ObjectListModel::rowOf(ObjectRef object) const {
    const auto it = std::lower_bound(
        rows_.begin(), rows_.end(), object,
        [](const ObjectRow& r, const ObjectRef& o) { return listRowBefore(r.object, o); });
    return it != rows_.end() && it->object == object ? static_cast<int>(it - rows_.begin()) : -1;
}

void ObjectListModel::sync(const SystemModel& tables) {
    std::vector<ObjectRow> fresh = listObjects(tables);
    // Both lists are in list order: one walk finds what went, came and changed.
    const auto differing = [&] {
        std::size_t count = 0;
        std::size_t i = 0, j = 0;
        while ((i < rows_.size() || j < fresh.size()) && count <= kResetAbove) {
            if (j == fresh.size() ||
                (i < rows_.size() && listRowBefore(rows_[i].object, fresh[j].object)))
                ++i, ++count;
            else if (i == rows_.size() || listRowBefore(fresh[j].object, rows_[i].object))
                ++j, ++count;
            else
                count += rows_[i++] == fresh[j++] ? 0 : 1;
        }
        return count;
    };
    if (differing() > kResetAbove) return replaceAll(std::move(fresh));

    std::size_t j = 0;
    for (std::size_t i = 0; i < rows_.size() || j < fresh.size();) {
        const int at = static_cast<int>(i);
        if (j == fresh.size() ||
            (i < rows_.size() && listRowBefore(rows_[i].object, fresh[j].object))) {
            beginRemoveRows({}, at, at);
            rows_.erase(rows_.begin() + at);
            endRemoveRows();
        } else if (i == rows_.size() || listRowBefore(fresh[j].object, rows_[i].object)) {
            beginInsertRows({}, at, at);
            rows_.insert(rows_.begin() + at, std::move(fresh[j++]));
            endInsertRows();
            ++i;
        } else {
            if (!(rows_[i] == fresh[j])) {
                rows_[i] = std::move(fresh[j]);
                emit dataChanged(index(at, 0), index(at, kObjectColumnCount - 1));
            }
            ++i, ++j;
        }
    }
}

void ObjectListModel::replaceAll(std::vector<ObjectRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int ObjectListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int ObjectListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kObjectColumnCount;
}

QVariant ObjectListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const auto column = static_cast<ObjectColumn>(index.column());
    const ObjectRow& r = row(index.row());
    switch (role) {
        case Qt::DisplayRole:
            return fromModel(objectCell(r, column));
        case Qt::TextAlignmentRole:
            return objectColumnIsNumber(column) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                                                : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::ToolTipRole:
            if (markerOutsideMap(r))
                return QStringLiteral(
                           "Its marker stands at %1, %2, outside the map: select it here to open "
                           "or delete it")
                    .arg(r.marker.x)
                    .arg(r.marker.y);
            return {};
        default:
            return {};
    }
}

QVariant ObjectListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= kObjectColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return fromModel(objectColumnTitle(static_cast<ObjectColumn>(section)));
}

}  // namespace mw::ui
