// The walk's checks after every action: the window against the model, the
// undo steps, the walk's own records against the map and the files, and the
// files after a write that failed.
#include <QComboBox>
#include <QLineEdit>
#include <QUndoStack>
#include <algorithm>
#include <set>

#include "designer/mdi_child.h"
#include "designer/object_marker.h"
#include "monkey_support.h"
#include "monkey_walk.h"
#include "system/sdf_record.h"
#include "ui_test_support.h"
#include "widgets/text.h"

namespace mw::ui::test {

namespace {

using MarkerKey = std::tuple<int, int, int, int, std::string, std::string>;

MarkerKey keyOf(const MarkerView& view) {
    return {int(view.kind), view.index, view.pixel.x, view.pixel.y, view.caption, view.hint};
}

/// Design file bytes with every jump node's own id blanked.
std::string withoutNodeIds(const std::string& bytes) {
    std::string out;
    for (std::size_t at = 0; at + kSdfRecordSize <= bytes.size(); at += kSdfRecordSize) {
        SdfRecord r = SdfRecord::decode(reinterpret_cast<const std::uint8_t*>(bytes.data() + at));
        if (r.tag == sdf_tag::kJumpNode) r.textA = "";
        const SdfRecord::Bytes encoded = r.encode();
        out.append(reinterpret_cast<const char*>(encoded.data()), encoded.size());
    }
    out.append(bytes.substr(bytes.size() - bytes.size() % kSdfRecordSize));
    return out;
}

/// Where two saved systems first differ, for the failure message.
std::string firstDifference(const std::string& a, const std::string& b) {
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size()) +
           ", first difference in record " + std::to_string(at / kSdfRecordSize) + " at byte " +
           std::to_string(at % kSdfRecordSize);
}

/// Why a recovery info does not belong to the design file beside it: it
/// names the size and 64-bit FNV-1a sum of the design file written with it.
std::string infoMismatch(const std::string& info, const std::string& design) {
    const std::size_t at = info.find("\ndesign ");
    if (at == std::string::npos) return "the info names no design file";
    std::uint64_t sum = 14695981039346656037ull;
    for (const char c : design) sum = (sum ^ static_cast<unsigned char>(c)) * 1099511628211ull;
    const std::size_t size = std::stoull(info.substr(at + 8), nullptr, 10);
    const std::size_t gap = info.find(' ', at + 8);
    if (size != design.size() || std::stoull(info.substr(gap + 1), nullptr, 16) != sum)
        return "the info names another design file than the one beside it";
    return {};
}

/// Why a mission text is cut short: every block closed, the last line whole.
std::string missionCut(const std::string& text) {
    int open = 0;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) return "its last line has no end";
        const std::size_t first = text.find_first_not_of('\t', at);
        if (first < end)
            open += text.compare(first, end - first, "{") == 0   ? 1
                    : text.compare(first, end - first, "}") == 0 ? -1
                                                                 : 0;
        at = end + 2;
    }
    return open == 0 && !text.empty() ? std::string() : "a block is left open";
}

}  // namespace

// --- the oracles ---

void MonkeyWalk::synced() {
    const QUndoStack& stack = *editor_->document->undoStack();
    oracle_.stepMade(stack.index(), stack.count());
}

void MonkeyWalk::sunFieldsTyped() {
    const TMDIChild* d = editor_->mainForm->designer();
    if (!d) return;
    if (const std::string name = latin1(d->Edit1->text()); name != oracle_.now().sunName)
        oracle_.setSunName(name);
    oracle_.setHeader(latin1(d->ComboBox1->currentText()), latin1(d->ComboBox2->currentText()),
                      latin1(d->Edit2->text()));
    synced();
}

std::vector<std::string> MonkeyWalk::usedOnDisk() const {
    return files::readNameList(editor_->scratch.read("list.dat"));
}

void MonkeyWalk::observeFiles() {
    if (fileUsed_.empty() || failed()) return;
    const std::string bytes = vk_test::readFile(fileUsed_);
    if (saving_) {
        count("(a saved system read back and compared)");
        const std::string wrong = oracle_.compareDesignFile(bytes, true);
        if (oracle_.known() && !wrong.empty())
            return fail("the file saved to " + fileUsed_ + " is not what the user made: " + wrong);
        savedSystems_[fileUsed_] = withoutNodeIds(bytes);
        return;
    }
    // Opened: the system is the file now, as the walk reads it.
    checkOpened(fileUsed_);
    if (!oracle_.open(bytes, usedOnDisk()))
        fail("the editor opened " + fileUsed_ + ", which the walk cannot read");
}

void MonkeyWalk::usedListLeftAsTold() {
    const std::vector<std::string>& errors = editor_->prompts.errors;
    if (std::none_of(errors.begin(), errors.end(), [](const std::string& e) {
            return e.find("list.dat could not be put back") != std::string::npos;
        }))
        return;
    count("(list.dat left as the user was told)");
    oracle_.usedListLeft(usedOnDisk());
    // The list is the system's from now on, with or without a step for it.
    const std::optional<std::string> list = systemState().usedList;
    before_.usedList = list;
    const QUndoStack& stack = *editor_->document->undoStack();
    steps_[stack.index()].usedList = list;
    if (stackMoved_ && !undoing_) synced();
}

void MonkeyWalk::checkOracle() {
    const TMDIChild* d = editor_->mainForm->designer();
    if (failed() || !d || !oracle_.known()) return;
    MarkerSet shown;
    for (const ObjectMarker* m : d->markers())
        shown.insert({int(m->kind()), m->tag(), m->pixel().x(), m->pixel().y()});
    const MarkerSet made = oracle_.markers();
    if (shown != made) {
        std::vector<std::tuple<int, int, int, int>> odd;
        std::set_symmetric_difference(shown.begin(), shown.end(), made.begin(), made.end(),
                                      std::back_inserter(odd));
        const auto& [kind, index, x, y] = odd.front();
        return fail("the map " + std::string(shown.count(odd.front()) ? "shows" : "lacks") +
                    " a marker of kind " + std::to_string(kind) + ", index " +
                    std::to_string(index) + " at " + std::to_string(x) + "," + std::to_string(y) +
                    "; the user made " + std::to_string(made.size()) + " markers, the map shows " +
                    std::to_string(shown.size()));
    }
    const OracleSystem& s = oracle_.now();
    if (latin1(d->Edit1->text()) != s.sunName || latin1(d->ComboBox1->currentText()) != s.sunType ||
        latin1(d->ComboBox2->currentText()) != s.background || latin1(d->Edit2->text()) != s.scale)
        return fail("the sun's fields show '" + latin1(d->Edit1->text()) + "', the user made '" +
                    s.sunName + "' (or its type, background or scale differ)");
    const std::string wrong = oracle_.compareLists(editor_->scratch.read("p_names.dat"),
                                                   editor_->scratch.read("list.dat"));
    if (!wrong.empty()) fail(wrong);
}

// --- the faults ---

std::vector<std::filesystem::path> MonkeyWalk::walkFolders() const {
    return {editor_->scratch.root()};
}

std::optional<FolderBytes> MonkeyWalk::armFault() {
    if (!faults_.maybeArm(rng_, faultRate_)) return std::nullopt;
    count("fault injected: " + faults_.label());
    count("fault injected, failing " + faults_.how());
    note("fault " + faults_.label() + " " + faults_.how());
    return filesUnder(walkFolders());
}

bool MonkeyWalk::faultFired(bool armed, const std::string& action) {
    if (!armed || !faults_.disarm()) return false;
    count("fault fired: " + faults_.label());
    count("fault fired in: " + action);
    return true;
}

void MonkeyWalk::checkFault(const FolderBytes& before, bool autosaving) {
    if (failed()) return;
    const std::vector<std::string>& errors = editor_->prompts.errors;
    // The folder's sync fails no save: the file is in place by then. A
    // failed autosave is told once, until one succeeds.
    const bool quietAllowed =
        faults_.step() == FileStep::SyncFolder || (autosaving && autosaveFailureShown_);
    if (autosaving) autosaveFailureShown_ = autosaveFailureShown_ || !errors.empty();
    if (errors.empty() && !quietAllowed)
        return fail("a write failed (" + faults_.label() + ") and the user was not told");
    for (const std::string& e : errors)
        for (const char* scratchName : {".tmp-", "temp.dat", "seged.dat"})
            if (e.find(scratchName) != std::string::npos)
                return fail("the message names a scratch file: " + e);
    // Nothing happened: the "*" and the file the system belongs to stay.
    const SystemDocument& document = *editor_->document;
    if (!errors.empty() && !stackMoved_ && !startedOver_ && fileUsed_.empty() &&
        systemState() == before_) {
        if (document.isModified() != modifiedBefore_)
            return fail("a failed action (" + faults_.label() + ") turned the \"*\" " +
                        (modifiedBefore_ ? "off" : "on") + " and changed nothing");
        if (toModel(document.filePath()) != pathBefore_)
            return fail("a failed action (" + faults_.label() + ") moved the system from '" +
                        pathBefore_ + "' to '" + toModel(document.filePath()) + "'");
    }
    const FolderBytes after = filesUnder(walkFolders());
    std::set<std::string> paths;
    for (const auto& files : {before, after})
        for (const auto& [path, bytes] : files) paths.insert(path);
    for (const std::string& path : paths) {
        const auto was = before.find(path), is = after.find(path);
        if (was != before.end() && is != after.end() && was->second == is->second) continue;
        std::string why = "it is gone";
        if (is != after.end())
            why = whyNotWhole(path, is->second);
        else if (path.find("/state/recovery.") != std::string::npos &&
                 (!editor_->document->isModified() || cleanInAction_))
            why.clear();  // nothing unsaved (an undo may pass the saved step): none is kept
        if (!why.empty())
            return fail("a failed action (" + faults_.label() + ", " + faults_.how() + ") left " +
                        path + " neither as before nor whole: " + why);
    }
    count("(a failed write: every file as before or whole)");
}

std::string MonkeyWalk::whyNotWhole(const std::string& path, const std::string& bytes) {
    const std::filesystem::path file(path);
    const std::string name = file.filename().string();
    const vk_test::ScratchDir& s = editor_->scratch;
    if (file.extension() == ".vmpf") return project_.compareFile(bytes);
    if (name == "mission.inf") return missionCut(bytes);
    if (name == "recovery.info") return infoMismatch(bytes, s.read("state/recovery.sdf"));
    if (!oracle_.known()) return {};  // the system is not known: nothing to compare with
    if (name == "p_names.dat" || name == "list.dat")
        return oracle_.compareLists(s.read("p_names.dat"), s.read("list.dat"));
    if (file.extension() == ".sdf") return oracle_.compareDesignFile(bytes, true);
    return "no action writes such a file";
}

// --- the invariants ---

void MonkeyWalk::checkWindow() {
    TMDIChild* designer = editor_->mainForm->designer();
    if (!designer || failed()) return;
    std::set<MarkerKey> shown, held;
    for (ObjectMarker* m : designer->markers()) {
        const ObjectRef o = m->object();
        shown.insert({int(o.kind), o.index, m->pixel().x(), m->pixel().y(), toModel(m->text()),
                      toModel(m->toolTip())});
    }
    for (const MarkerView& view : editor_->state->designer().markers()) held.insert(keyOf(view));
    if (shown != held)
        fail("the map shows " + std::to_string(shown.size()) + " markers, the model holds " +
             std::to_string(held.size()) + " (or they differ)");
    if (designer->windowTitle().endsWith(QLatin1Char('*')) != editor_->document->isModified())
        fail("the caption '" + toModel(designer->windowTitle()) + "' says " +
             (editor_->document->isModified() ? "nothing is" : "something is") +
             " unsaved, the document the opposite");
    const SystemHeader& header = editor_->state->designer().header();
    if (toModel(designer->Edit1->text()) != header.sunName)
        fail("the sun name field shows '" + toModel(designer->Edit1->text()) +
             "', the model holds '" + header.sunName + "'");
}

DesignerSnapshot MonkeyWalk::systemState() const {
    DesignerSnapshot s = editor_->state->designer().TakeSnapshot();
    s.tables.currentObjectIndex = 0;
    s.tables.zTargetKind = ObjectKind::Planet;
    s.tables.lastCursorPixel = {};
    return s;
}

namespace {
std::string whatDiffers(const DesignerSnapshot& a, const DesignerSnapshot& b) {
    std::string parts;
    if (!(a.tables == b.tables)) parts += " tables";
    if (!(a.header == b.header)) parts += " header";
    if (a.pool != b.pool) parts += " p_names.dat";
    if (a.usedList != b.usedList) parts += " list.dat";
    return parts;
}
}  // namespace

void MonkeyWalk::stepTaken(int index) {
    stackMoved_ = true;
    if (failed()) return;
    const DesignerSnapshot now = systemState();
    if (undoing_) {
        const auto it = steps_.find(index);
        if (it != steps_.end()) {
            count("(an undo or redo compared with its step)");
            if (!(it->second == now))
                return fail("undo or redo to step " + std::to_string(index) +
                            " did not bring its system back:" + whatDiffers(it->second, now));
        }
    } else if (editor_->document->undoStack()->count() == index) {
        // A new step: the steps that could have been redone are gone.
        steps_.erase(steps_.upper_bound(index), steps_.end());
    }
    steps_[index] = now;
}

void MonkeyWalk::checkSteps() {
    if (failed()) return;
    const DesignerSnapshot now = systemState();
    if (startedOver_ && editor_->document->undoStack()->count() == 0) {
        // A new system (opened, or a new window): its undo stack starts empty.
        steps_.clear();
        steps_[0] = now;
    } else if (!stackMoved_ && !(now == before_)) {
        return fail("the system changed without an undo step:" + whatDiffers(before_, now));
    }
    // With nothing unsaved the system is the file it was saved to or opened from.
    const SystemDocument& document = *editor_->document;
    const auto saved = savedSystems_.find(toModel(document.filePath()));
    if (!editor_->mainForm->designer() || document.isModified() || saved == savedSystems_.end())
        return;
    count("(nothing unsaved: compared with its file)");
    if (systemAsSaved() != saved->second)
        return fail("nothing is unsaved, yet the system is not the file " + saved->first + ": " +
                    firstDifference(saved->second, systemAsSaved()));
    // Node ids aside: an open makes them anew from the sun's name.
    const std::string wrong = oracle_.compareDesignFile(vk_test::readFile(saved->first), false);
    if (oracle_.known() && !wrong.empty())
        fail("nothing is unsaved, yet the file " + saved->first +
             " is not what the user made: " + wrong);
}

std::string MonkeyWalk::systemAsSaved() {
    const SystemDesigner& d = editor_->state->designer();
    const std::string path = editor_->scratch.path("check/now.sdf");
    const SystemHeader& h = d.header();
    SaveSystem(path, h.sunName, h.sunType, h.background, h.scale, d.tables());
    return withoutNodeIds(vk_test::readFile(path));
}

bool MonkeyWalk::asked(FileDialog dialog) const {
    const auto& dialogs = editor_->prompts.dialogs;
    return std::find(dialogs.begin(), dialogs.end(), dialog) != dialogs.end();
}

void MonkeyWalk::checkOpened(const std::string& path) {
    const auto saved = savedSystems_.find(path);
    if (saved == savedSystems_.end()) return;
    count("(a saved system reopened and compared)");
    const std::string now = systemAsSaved();
    if (now != saved->second)
        fail("the reopened system is not the one saved: " + firstDifference(saved->second, now));
}

}  // namespace mw::ui::test
