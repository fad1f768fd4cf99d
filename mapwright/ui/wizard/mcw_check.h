#pragma once
// "Map check": the problems the map check finds in the wizard's map, one row
// a problem (severity, system, object, message) under a line that sums them
// up, and a fix button on each row whose problem has a safe fix. A fix writes
// the design files it changes (or renames the map's system) as one step of
// the wizard's undo history and checks the map again; "Undo" (Ctrl+Z) takes
// back the last step of that history, here as in the wizard. Modal over the
// wizard; "Close" closes it.

#include <QDialog>
#include <optional>
#include <vector>

#include "check/check_fixes.h"
#include "check/map_problem.h"

namespace mw {
class MapDocument;
class Prompts;
}  // namespace mw

class QLabel;
class QPushButton;
class QTableWidget;

namespace mw::ui {

class TMCWcheck : public QDialog {
    Q_OBJECT
  public:
    explicit TMCWcheck(QWidget* owner);

    /// Fills the list with the problems, in the check's order, and a fix
    /// button for each fix given (none when `fixes` is empty).
    void setProblems(const std::vector<MapProblem>& problems,
                     const std::vector<std::optional<CheckFix>>& fixes = {});
    /// Fills the list and shows the window until it is closed (no fixes).
    void showProblems(const std::vector<MapProblem>& problems);
    /// Checks the wizard's map and shows its problems with their fixes until
    /// the window is closed; a fix changes the map and its files at once.
    void showMap(MapDocument& map, Prompts& prompts);
    /// The same without showing the window.
    void setMap(MapDocument& map, Prompts& prompts);
    /// Checks the map again and shows what it finds.
    void recheck();

    QLabel* Label1;           // what the problems mean for "Save map"
    QTableWidget* ListView1;  // one row a problem
    QPushButton* Button1;     // Close
    QPushButton* Button2;     // Undo: the wizard's last step

    enum Column { SeverityColumn, SystemColumn, ObjectColumn, MessageColumn, FixColumn };

  private:
    void fix(std::size_t row);
    void undo();

    MapDocument* map_ = nullptr;
    Prompts* prompts_ = nullptr;
    std::vector<std::optional<CheckFix>> fixes_;
};

}  // namespace mw::ui
