#pragma once
// The designer's map: a 493x493 panel with a lowered outer and a raised inner
// bevel, a cross at the centre pixel 246,246 and the red sun. It follows the
// mouse and reports clicks on its empty area; object markers are its children.

#include <QWidget>

namespace mw::ui {

class MapPanel : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kSize = 493;

    explicit MapPanel(QWidget* parent);

  signals:
    void cursorMoved(QPoint pixel);
    void clicked(QPoint pixel);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    bool pressed_ = false;
};

}  // namespace mw::ui
