#pragma once
// One undoable step of the designer, kept small: only the records it touched,
// the counts, the header and the name list files, each as they were before
// and after it. A step that placed one planet in a full system costs two
// records and one name, not two systems and two name lists.

#include <cstddef>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "system_designer/system_designer.h"

namespace mw {

class DesignerStep {
  public:
    /// What changed from `before` to `after`. The designer's pointer values
    /// (current object index, Z target, last cursor pixel) are no part of a
    /// step: they follow the user's hand, not the system.
    static DesignerStep Between(const DesignerSnapshot& before, const DesignerSnapshot& after);

    /// Other systems' design files the step changed too (a link made both
    /// ways); undo and redo take them back and make them again.
    void addFileEdits(const std::vector<FileEdit>& edits);
    const std::vector<FileEdit>& fileEdits() const { return files_; }

    /// Nothing of the system or of another file changed.
    bool empty() const;
    /// Turns a snapshot of the system as the step left it into one as it was
    /// before (undo), or the other way (redo). A name list file changed
    /// elsewhere since (the names managers) keeps those changes: only the
    /// step's own records are taken out and put back.
    void undo(DesignerSnapshot& snapshot) const;
    void redo(DesignerSnapshot& snapshot) const;
    /// Every object whose record the step changed, or whose index lies
    /// between the counts before and after it.
    std::vector<ObjectRef> touched() const;
    /// Bytes kept, roughly.
    std::size_t size() const;

  private:
    template <typename Record>
    struct TableDelta {
        std::size_t countBefore = 0;
        std::size_t countAfter = 0;
        // (position in the snapshot's vector, record); the records that differ.
        std::vector<std::pair<std::size_t, Record>> before;
        std::vector<std::pair<std::size_t, Record>> after;
    };
    /// A name list before and after: the bytes between the part both share
    /// at the start and the part both share at the end (whole records), and
    /// enough of the whole files to know whether a file is still as it was.
    struct FileState {
        bool exists = false;
        std::size_t size = 0;
        std::size_t hash = 0;
        std::string middle;
    };
    struct FileDelta {
        bool changed = false;
        std::size_t prefix = 0;
        std::size_t suffix = 0;
        FileState before;
        FileState after;
    };
    static FileDelta fileDelta(const std::optional<std::string>& before,
                               const std::optional<std::string>& after);
    static void applyFile(std::optional<std::string>& current, const FileDelta& delta,
                          bool forward);
    template <typename T>
    struct ValueDelta {
        std::optional<std::pair<T, T>> values;  // (before, after) when they differ
    };

    void apply(DesignerSnapshot& snapshot, bool forward) const;

    std::tuple<TableDelta<PlanetRecord>, TableDelta<MicroAsteroidRecord>,
               TableDelta<AsteroidRecord>, TableDelta<WreckRecord>, TableDelta<NebulaRecord>,
               TableDelta<JumpNodeRecord>, TableDelta<ShipRecord>>
        tables_;
    ValueDelta<SystemHeader> header_;
    ValueDelta<FixedString<125>> systemName_;
    FileDelta pool_;
    FileDelta usedList_;
    std::vector<FileEdit> files_;
};

}  // namespace mw
