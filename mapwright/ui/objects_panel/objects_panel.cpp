#include "objects_panel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "designer/map_panel.h"
#include "designer/mdi_child.h"
#include "designer/object_marker.h"
#include "document/system_document.h"
#include "object_filter_model.h"
#include "object_list_model.h"
#include "widgets/field_rules.h"

namespace mw::ui {

namespace {

// The table asks for the width of its columns, but never so much that a
// designer window and the list stop fitting side by side on a 1280 pixel
// wide screen.
class ObjectTableView : public QTableView {
  public:
    QSize sizeHint() const override {
        constexpr int kWidest = 500;
        int width = verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
        for (int c = 0; c < kObjectColumnCount; ++c) width += horizontalHeader()->sectionSize(c);
        return {std::min(width, kWidest), QTableView::sizeHint().height()};
    }
};

}  // namespace

ObjectsPanel::ObjectsPanel(SystemDocument& document, QWidget* parent)
    : QDockWidget(QStringLiteral("Objects"), parent),
      document_(document),
      rows_(new ObjectListModel(this)),
      shown_(new ObjectFilterModel(*rows_, this)),
      filter_(new QLineEdit),
      table_(new ObjectTableView) {
    setObjectName(QStringLiteral("ObjectsPanel"));
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    auto* body = new QWidget;
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);

    filter_->setObjectName(QStringLiteral("ObjectsFilter"));
    filter_->setPlaceholderText(QStringLiteral("Filter: kind, name, index..."));
    filter_->setClearButtonEnabled(true);
    // The names are kept in Latin-1: a character beyond it could match nothing.
    keepStorable(filter_);
    filter_->setStatusTip(
        QStringLiteral("Shows only the objects whose kind, name or index has every word typed"));
    connect(filter_, &QLineEdit::textChanged, shown_, &ObjectFilterModel::setFilterText);
    layout->addWidget(filter_);

    table_->setObjectName(QStringLiteral("ObjectsTable"));
    table_->setModel(shown_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(static_cast<int>(ObjectColumn::Kind), Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Fixed row heights: the view need not measure 7000 rows.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    // Each column as wide as its usual longest text.
    const char* widest[kObjectColumnCount] = {
        "Micro-asteroid field", "1000", "HPCORVETTETU", "-200000", "-200000", "-9999",
        "off the map"};
    for (int c = 0; c < kObjectColumnCount; ++c)
        table_->horizontalHeader()->resizeSection(
            c, table_->fontMetrics().horizontalAdvance(QString::fromLatin1(widest[c])) + 10);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setStatusTip(QStringLiteral(
        "Select an object to find it on the map; Return opens it, Delete deletes it"));
    table_->installEventFilter(this);
    connect(table_, &QTableView::doubleClicked, this, [this] { act(false); });
    connect(table_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &ObjectsPanel::showOnMap);
    layout->addWidget(table_);
    setWidget(body);

    connect(&document_, &SystemDocument::changed, this, &ObjectsPanel::sync);
}

void ObjectsPanel::setDesigner(TMDIChild* designer) {
    if (designer_ == designer) return;
    if (designer_) disconnect(designer_->mapPanel(), nullptr, this, nullptr);
    designer_ = designer;
    if (designer_)
        connect(designer_->mapPanel(), &MapPanel::markerFocused, this,
                &ObjectsPanel::markerFocused);
    sync();
}

void ObjectsPanel::sync() {
    if (designer_)
        rows_->sync(document_.designer().tables());
    else
        rows_->clear();
    // The designer shows the change after the list: its markers may be new ones.
    QMetaObject::invokeMethod(this, &ObjectsPanel::showOnMap, Qt::QueuedConnection);
}

std::optional<ObjectRef> ObjectsPanel::currentObject() const {
    const QModelIndex selected =
        shown_->mapToSource(table_->selectionModel()->selectedRows().value(0));
    if (!selected.isValid()) return std::nullopt;
    return rows_->row(selected.row()).object;
}

void ObjectsPanel::showOnMap() {
    const std::optional<ObjectRef> object = currentObject();
    if (!designer_ || !object) return;
    ObjectMarker* marker = designer_->marker(object->kind, object->index);
    if (marker && designer_->mapPanel()->focusedMarker() != marker)
        designer_->mapPanel()->focusMarker(marker);
}

void ObjectsPanel::markerFocused(ObjectMarker* marker) {
    const int row = marker ? rows_->rowOf(marker->object()) : -1;
    const QModelIndex shown = row < 0 ? QModelIndex() : shown_->mapFromSource(rows_->index(row, 0));
    if (!shown.isValid()) {
        table_->clearSelection();
        return;
    }
    if (currentObject() == marker->object()) return;
    table_->selectionModel()->setCurrentIndex(
        shown, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(shown);
}

void ObjectsPanel::act(bool remove) {
    const std::optional<ObjectRef> object = currentObject();
    if (!designer_ || !object) return;
    designer_->clickObject(*object, remove ? Tool::Delete : kInitialTool);
}

bool ObjectsPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier) {
            switch (key->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                    act(false);
                    return true;
                case Qt::Key_Delete:
                    act(true);
                    return true;
                default:
                    break;
            }
        }
    }
    return QDockWidget::eventFilter(watched, event);
}

}  // namespace mw::ui
