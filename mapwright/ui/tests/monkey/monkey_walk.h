#pragma once
// A seeded random walk through the whole editor, the way a user drives it:
// clicks on random pixels with random tools, marker clicks with every dialog
// filled at random and answered OK or Cancel, typed sun fields, Clear map,
// marker drags, undo and redo, Save, Save as and Open in a scratch folder,
// the main window's New and Open, and the map creator wizard. Questions and
// file names are answered at random through the scripted prompts. After
// every action the window must show what the model holds, and a change of
// the system must have made an undo step; an Open of a file the walk saved
// must give back the system it saved, a wizard's Load map the map it saved;
// undo and redo must bring back the system as it was at that step, and a
// system with nothing unsaved must be the file it was saved to.

#include <QObject>
#include <QPoint>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "system_designer/system_designer.h"

class QDialog;
class QWidget;

namespace mw::ui {
class MapPanel;
class TMDIChild;
class TMCW;
class ObjectDialog;
}  // namespace mw::ui

namespace mw::ui::test {

class TestEditor;

/// How many actions of each kind a walk made.
using ActionCounts = std::map<std::string, long>;

class MonkeyWalk {
  public:
    explicit MonkeyWalk(std::uint64_t seed);
    ~MonkeyWalk();

    /// Runs up to `actions` actions; stops at the first failure.
    void run(int actions);

    bool failed() const { return !failure_.empty(); }
    /// What failed, the seed, the action's number and the actions before it.
    std::string failure() const;
    const ActionCounts& counts() const { return counts_; }
    int actionsDone() const { return done_; }

  private:
    // --- the designer ---
    void ensureDesigner();
    void chooseTool();
    void clickPixel();
    void clickMarker();
    void typeSunName();
    void editSunFields();
    void clearMap();
    void dragMarker();
    void undoRedo();
    void save();
    void saveAs();
    /// The answers and the file of an open, chosen; returns the file.
    std::string prepareOpen(const std::string& what);
    void open();
    void closeDesigner();
    void mainOpen();
    void openRecent();
    void wizardSession();

    // --- the modal windows, whichever opens ---
    void handleModal(QWidget* modal);
    void fillObjectDialog(ObjectDialog* dialog);
    void fillFields(QDialog* dialog);
    void answerZ(QDialog* dialog);
    void answerNodeList(QDialog* dialog);
    void wizardStep(TMCW* wizard);
    /// Clicks a push button (at its centre unless told); a modal window it opens is answered.
    void press(QWidget* button, std::optional<QPoint> at = std::nullopt);

    // --- the answers ---
    void queueAnswers();
    void clearPrompts();
    std::string pickSystemFile(bool forSaving);
    std::string pickProjectFile(bool forSaving);
    /// One of the files saved, by path.
    std::string anyOf(const std::map<std::string, std::string>& saved);
    std::string randomText();
    int uniform(int low, int high);
    bool chance(double p);

    // --- the invariants ---
    void checkWindow();
    /// The system as undo restores it (the pointer values aside).
    DesignerSnapshot systemState() const;
    /// The undo stack moved to the index: a new step records the system
    /// there, an undo or redo must find it as recorded.
    void stepTaken(int index);
    /// After an action: a change without a step fails (unless the action
    /// started a new system), and a system with nothing unsaved must be its file.
    void checkSteps();
    /// The system as a design file says it, jump node ids aside (an open
    /// builds them anew on purpose).
    std::string systemAsSaved();
    void rememberSave(const std::string& path);
    /// The file dialog was shown in this action.
    bool asked(FileDialog dialog) const;
    /// The file dialog was shown and no error followed: the file was read.
    bool readWithoutError(FileDialog dialog) const;
    void checkOpened(const std::string& path);
    void checkProjectLoaded(const std::string& path);
    void fail(const std::string& what);
    void count(const std::string& kind);
    void note(const std::string& what);

    std::uint64_t seed_;
    std::mt19937_64 rng_;
    // The recent-files list's settings, in a folder of their own that outlives the editor.
    QTemporaryDir settingsFolder_;
    std::unique_ptr<QSettings> settings_;
    std::unique_ptr<TestEditor> editor_;
    TMDIChild* designer_ = nullptr;
    MapPanel* panel_ = nullptr;
    std::vector<QWidget*> handling_;  // modal windows being answered, innermost last
    std::map<std::string, std::string> savedSystems_;   // path -> systemAsSaved()
    std::map<std::string, std::string> savedProjects_;  // path -> file bytes
    std::map<int, DesignerSnapshot> steps_;             // undo stack index -> system there
    DesignerSnapshot before_;                           // the system before the action
    bool stackMoved_ = false;                           // the undo stack changed in the action
    bool undoing_ = false;                              // the action is undo or redo
    bool startedOver_ = false;                          // the action may start a new system
    QMetaObject::Connection stackWatch_;
    ActionCounts counts_;
    std::deque<std::string> recent_;
    std::string failure_;
    int done_ = 0;
};

}  // namespace mw::ui::test
