#pragma once
// A tab strip whose tabs wrap into as many rows as the width needs, over one
// page that holds the controls of every tab (what changes with the tab is
// what the controls show). As on the classic desktop, the tabs of a row
// stretch to fill it when there is more than one row, and the row of the
// selected tab moves next to the page.

#include <QStringList>
#include <QWidget>

namespace mw::ui {

class TabControl : public QWidget {
    Q_OBJECT
  public:
    explicit TabControl(QWidget* parent = nullptr);

    /// Replaces the tabs; the selected tab stays when it still exists, else
    /// the first is selected. Emits nothing.
    void setTabs(const QStringList& captions);
    int count() const { return static_cast<int>(captions_.size()); }
    QString tabText(int index) const { return captions_.value(index); }
    int currentIndex() const { return current_; }
    /// Selects a tab without emitting currentChanged.
    void setCurrentIndex(int index);
    /// Where tab `index` is drawn, in this widget's coordinates.
    QRect tabRect(int index) const;
    int rowCount() const { return static_cast<int>(rows_.size()); }
    /// The page under the tabs: the controls go here.
    QWidget* page() const { return page_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

  signals:
    /// The user chose another tab (click or arrow keys).
    void currentChanged(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    int tabWidth(int index) const;
    int tabHeight() const;
    /// The tab indices of each row for the width, first row first.
    QList<QList<int>> rowsFor(int width) const;
    int rowOf(int index) const;
    void layoutTabs();
    void choose(int index);
    QMargins pageMargins() const;

    QStringList captions_;
    int current_ = 0;
    QList<QList<int>> rows_;
    QList<QRect> rects_;
    QWidget* page_;
};

}  // namespace mw::ui
