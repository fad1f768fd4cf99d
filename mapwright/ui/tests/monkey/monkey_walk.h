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
//
// Beside that the walk keeps its own record of what the user did (the
// oracles) and reads every file saved back with its own reader, field by
// field; and before an action it may make a write of the file layer fail.
// After an action whose write failed, the system, the undo stack, the "*"
// and every file must be as before, or the action must have happened whole.

#include <QObject>
#include <QPoint>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "monkey_faults.h"
#include "monkey_oracle.h"
#include "project_oracle.h"
#include "system_designer/system_designer.h"

class QDialog;
class QWidget;

namespace mw::ui {
class MapPanel;
class ObjectMarker;
class TMDIChild;
class TMCW;
class ObjectDialog;
class RecoveryKeeper;
}  // namespace mw::ui

namespace mw::ui::test {

class TestEditor;

/// How many actions of each kind a walk made.
using ActionCounts = std::map<std::string, long>;

/// How often an action runs with a write that fails, unless told.
inline constexpr double kDefaultFaultRate = 0.2;

class MonkeyWalk {
  public:
    explicit MonkeyWalk(std::uint64_t seed, double faultRate = kDefaultFaultRate);
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
    void autosave();
    /// A click on a marker (at the pixel of it, or its centre): deletes it
    /// or answers its dialog.
    void markerAction(ObjectMarker* marker, std::optional<QPoint> at = std::nullopt);
    /// A click with the delete tool on the object's marker: it must be gone.
    void clickedToDelete(ObjectRef object);

    // --- the modal windows, whichever opens ---
    void handleModal(QWidget* modal);
    void fillObjectDialog(ObjectDialog* dialog);
    void fillFields(QDialog* dialog);
    void answerZ(QDialog* dialog);
    void answerNodeList(QDialog* dialog);
    void wizardStep(TMCW* wizard);
    /// What a wizard step did, in the wizard's record; the list and the
    /// fields must show it.
    void wizardObserved(TMCW* wizard, int step, const std::string& path,
                        const std::vector<int>& selected, const std::string& kept);
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

    // --- the oracles ---
    /// The undo stack after a sub-action that may have made a step.
    void synced();
    /// The sun's four fields as typed.
    void sunFieldsTyped();
    std::vector<std::string> usedOnDisk() const;
    /// The answer the prompts gave to the question asked `n`th in the action.
    bool answered(std::size_t n) const;
    /// After the action: what it opened or saved goes into the record, a
    /// saved file is read back and compared with it.
    void observeFiles();
    /// A failed step told the user "list.dat" could not be put back: the
    /// record takes the list as the disk left it (the pool is never excused).
    void usedListLeftAsTold();
    /// The map, the sun's fields and the name lists against the record.
    void checkOracle();

    // --- the faults ---
    /// Arms a fault at random; the files as they were, when armed.
    std::optional<FolderBytes> armFault();
    /// Disarms the fault; true (and counted, with the action) when it failed a write.
    bool faultFired(bool armed, const std::string& action);
    /// After an action whose fault failed a write: every file must be as
    /// before or whole, and the user must have been told.
    void checkFault(const FolderBytes& before, bool autosaving);
    /// Why a file changed by a failed action is not whole; empty when it is.
    std::string whyNotWhole(const std::string& path, const std::string& bytes);
    std::vector<std::filesystem::path> walkFolders() const;

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
    /// The file dialog was shown in this action.
    bool asked(FileDialog dialog) const;
    void checkOpened(const std::string& path);
    void fail(const std::string& what);
    void count(const std::string& kind);
    void note(const std::string& what);

    std::uint64_t seed_;
    double faultRate_;
    std::mt19937_64 rng_;
    // The recent-files list's settings, in a folder of their own that outlives the editor.
    QTemporaryDir settingsFolder_;
    std::unique_ptr<QSettings> settings_;
    std::unique_ptr<TestEditor> editor_;
    std::unique_ptr<RecoveryKeeper> keeper_;  // autosaves only when the walk says
    SystemOracle oracle_;
    ProjectOracle project_;
    FaultDrill faults_;
    std::optional<ObjectRef> dialogObject_;  // whose dialog the walk answers
    std::string fileUsed_;                   // a design file opened or saved in the action
    bool saving_ = false;                    // the action is a save
    std::string projectToShow_;              // the project the wizard opens with
    std::vector<bool> answersGiven_;         // the answers queued in the action
    bool autosaveFailureShown_ = false;      // a failed autosave is told once
    TMDIChild* designer_ = nullptr;
    MapPanel* panel_ = nullptr;
    std::vector<QWidget*> handling_;  // modal windows being answered, innermost last
    std::map<std::string, std::string> savedSystems_;   // path -> systemAsSaved()
    std::map<std::string, std::string> savedProjects_;  // path -> file bytes written
    std::map<int, DesignerSnapshot> steps_;             // undo stack index -> system there
    DesignerSnapshot before_;                           // the system before the action
    bool modifiedBefore_ = false;                       // the "*" before the action
    std::string pathBefore_;                            // the system's file before the action
    bool stackMoved_ = false;                           // the undo stack changed in the action
    bool undoing_ = false;                              // the action is undo or redo
    bool startedOver_ = false;                          // the action may start a new system
    bool cleanInAction_ = false;                        // nothing was unsaved at some point of it
    QMetaObject::Connection stackWatch_;
    ActionCounts counts_;
    std::deque<std::string> recent_;
    std::string failure_;
    int failedAt_ = 0;                          // the action that failed, from 1
    std::vector<std::string> errorsAtFailure_;  // the errors it showed
    int done_ = 0;
};

}  // namespace mw::ui::test
