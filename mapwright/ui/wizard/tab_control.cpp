#include "tab_control.h"

#include <QKeyEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QStyleOptionTab>
#include <QStyleOptionTabWidgetFrame>
#include <QStylePainter>
#include <QTabBar>

namespace mw::ui {

namespace {

constexpr int kTabPadding = 10;  // beside the caption, each side
constexpr int kPageMargin = 6;   // between the page frame and the controls

}  // namespace

TabControl::TabControl(QWidget* parent) : QWidget(parent), page_(new QWidget(this)) {
    setFocusPolicy(Qt::TabFocus);
    page_->setAutoFillBackground(true);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void TabControl::setTabs(const QStringList& captions) {
    captions_ = captions;
    if (current_ >= count()) current_ = 0;
    layoutTabs();
    updateGeometry();
    update();
}

void TabControl::setCurrentIndex(int index) {
    if (index < 0 || index >= count() || index == current_) return;
    current_ = index;
    layoutTabs();  // the selected row moves next to the page
    update();
}

QRect TabControl::tabRect(int index) const {
    return rects_.value(index);
}

int TabControl::tabWidth(int index) const {
    return fontMetrics().horizontalAdvance(captions_.value(index)) + 2 * kTabPadding;
}

int TabControl::tabHeight() const {
    return fontMetrics().height() + 10;
}

QList<QList<int>> TabControl::rowsFor(int width) const {
    QList<QList<int>> rows;
    int used = 0;
    for (int i = 0; i < count(); ++i) {
        const int w = tabWidth(i);
        if (rows.isEmpty() || (used + w > width && !rows.last().isEmpty())) {
            rows.append(QList<int>());
            used = 0;
        }
        rows.last().append(i);
        used += w;
    }
    return rows;
}

int TabControl::rowOf(int index) const {
    for (int r = 0; r < rows_.size(); ++r)
        if (rows_[r].contains(index)) return r;
    return 0;
}

QMargins TabControl::pageMargins() const {
    return {kPageMargin, kPageMargin, kPageMargin, kPageMargin};
}

void TabControl::layoutTabs() {
    rows_ = rowsFor(width());
    rects_ = QList<QRect>(count());
    const int n = static_cast<int>(rows_.size());
    const int h = tabHeight();
    const int selectedRow = rowOf(current_);
    for (int r = 0; r < n; ++r) {
        // Rows turn round so that the selected one is last, next to the page.
        const int line = (r - selectedRow - 1 + 2 * n) % n;
        const QList<int>& row = rows_[r];
        int natural = 0;
        for (int i : row) natural += tabWidth(i);
        const int spare = n > 1 ? width() - natural : 0;
        int x = 0;
        for (int k = 0; k < row.size(); ++k) {
            int w = tabWidth(row[k]);
            if (spare > 0)
                w += spare / static_cast<int>(row.size()) +
                     (k < spare % static_cast<int>(row.size()) ? 1 : 0);
            rects_[row[k]] = QRect(x, line * h, w, h);
            x += w;
        }
    }
    const int top = n * h;
    page_->setGeometry(QRect(0, top, width(), height() - top).marginsRemoved(pageMargins()));
}

QSize TabControl::sizeHint() const {
    const QSize page = page_->layout() ? page_->layout()->sizeHint() : page_->sizeHint();
    const int width = std::max(page.width(), page_->minimumWidth()) + 2 * kPageMargin;
    return {width, heightForWidth(width)};
}

QSize TabControl::minimumSizeHint() const {
    const QSize page = page_->layout() ? page_->layout()->minimumSize() : QSize(0, 0);
    const int width = std::max(page.width(), page_->minimumWidth()) + 2 * kPageMargin;
    return {width, heightForWidth(width)};
}

int TabControl::heightForWidth(int width) const {
    const int inner = width - 2 * kPageMargin;
    int page = page_->sizeHint().height();
    if (QLayout* layout = page_->layout())
        page = layout->hasHeightForWidth() ? layout->totalHeightForWidth(inner)
                                           : layout->sizeHint().height();
    return static_cast<int>(std::max<qsizetype>(1, rowsFor(width).size())) * tabHeight() + page +
           2 * kPageMargin;
}

void TabControl::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    const int top = rowCount() * tabHeight();

    QStyleOptionTabWidgetFrame frame;
    frame.initFrom(this);
    frame.shape = QTabBar::RoundedNorth;
    frame.rect = QRect(0, top, width(), height() - top);
    frame.tabBarSize = QSize(width(), tabHeight());
    frame.tabBarRect = QRect(0, top - tabHeight(), width(), tabHeight());
    frame.selectedTabRect = tabRect(current_);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    painter.drawPrimitive(QStyle::PE_FrameTabWidget, frame);

    // The selected tab last, so it overlaps its neighbours as a raised tab does.
    QList<int> order;
    for (int i = 0; i < count(); ++i)
        if (i != current_) order.append(i);
    if (current_ < count()) order.append(current_);
    for (int i : order) {
        const QList<int>& row = rows_[rowOf(i)];
        QStyleOptionTab tab;
        tab.initFrom(this);
        tab.shape = QTabBar::RoundedNorth;
        tab.rect = tabRect(i);
        tab.text = captions_[i];
        tab.row = rowOf(i);
        const qsizetype k = row.indexOf(i);
        tab.position = row.size() == 1       ? QStyleOptionTab::OnlyOneTab
                       : k == 0              ? QStyleOptionTab::Beginning
                       : k == row.size() - 1 ? QStyleOptionTab::End
                                             : QStyleOptionTab::Middle;
        tab.selectedPosition = row.contains(current_) && row.indexOf(current_) == k - 1
                                   ? QStyleOptionTab::PreviousIsSelected
                               : row.contains(current_) && row.indexOf(current_) == k + 1
                                   ? QStyleOptionTab::NextIsSelected
                                   : QStyleOptionTab::NotAdjacent;
        tab.state &= ~QStyle::State_HasFocus;
        if (i == current_) {
            tab.state |= QStyle::State_Selected;
            if (hasFocus()) tab.state |= QStyle::State_HasFocus;
        }
        painter.drawControl(QStyle::CE_TabBarTab, tab);
    }
}

void TabControl::choose(int index) {
    if (index < 0 || index >= count() || index == current_) return;
    setCurrentIndex(index);
    emit currentChanged(index);
}

void TabControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
    for (int i = 0; i < count(); ++i)
        if (tabRect(i).contains(event->position().toPoint())) {
            setFocus(Qt::MouseFocusReason);
            choose(i);
            return;
        }
}

void TabControl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Left)
        choose(current_ - 1);
    else if (event->key() == Qt::Key_Right)
        choose(current_ + 1);
    else
        QWidget::keyPressEvent(event);
}

void TabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutTabs();
}
}  // namespace mw::ui
