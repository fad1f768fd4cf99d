#pragma once
// "Map check": the problems the map check finds in the wizard's map, one row
// a problem (severity, system, object, message) under a line that sums them
// up. Modal over the wizard; "Close" closes it.

#include <QDialog>
#include <vector>

#include "check/map_problem.h"

class QLabel;
class QPushButton;
class QTableWidget;

namespace mw::ui {

class TMCWcheck : public QDialog {
    Q_OBJECT
  public:
    explicit TMCWcheck(QWidget* owner);

    /// Fills the list with the problems, in the check's order.
    void setProblems(const std::vector<MapProblem>& problems);
    /// Fills the list and shows the window until it is closed.
    void showProblems(const std::vector<MapProblem>& problems);

    QLabel* Label1;           // what the problems mean for "Save map"
    QTableWidget* ListView1;  // one row a problem
    QPushButton* Button1;     // Close

    enum Column { SeverityColumn, SystemColumn, ObjectColumn, MessageColumn };
};

}  // namespace mw::ui
