#pragma once
// A problem that the map check finds: what kind, where (system, object,
// field) and a message for the map maker. Errors make the mission
// unloadable or a system one the designer cannot open; warnings give a
// mission that loads but does not play as meant.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "system/object_records.h"

namespace mw {

enum class ProblemKind {
    MissingSystemFile,
    TooManyObjects,
    SlotNameMismatch,
    DuplicateSystem,
    UnlinkedNode,
    OneWayLink,
    NodeIdTooLong,
    DuplicateNodeId,
    OrphanOrbit,
    OwnerOutOfRange,
    UnsafeText,
    EmptyMap,
};

enum class Severity { Warning, Error };

struct MapProblem {
    ProblemKind kind = ProblemKind::EmptyMap;
    std::string system;               // the slot's system name; empty when about the whole map
    std::optional<ObjectRef> object;  // as the designer numbers the objects when it opens the file
    std::string field;                // the field at fault; empty when not about one field
    std::string message;              // for the map maker; quoted texts shown safely
    bool operator==(const MapProblem&) const = default;
};

/// "missing-system-file", "unlinked-node", ...
std::string_view problemKindName(ProblemKind kind);
Severity severityOf(ProblemKind kind);
/// "error" or "warning".
std::string_view severityName(Severity severity);
/// The kind's name in machine-readable output: "planet", "micro_asteroids",
/// "asteroid", "wreck", "nebula", "jump_node", "ship".
std::string_view objectKindKey(ObjectKind kind);

/// A problem in the columns of a list, its texts shown safely: "warning",
/// "Alpha", "jump node 1" (empty for none), the message.
struct ProblemColumns {
    std::string severity, system, object, message;
};
ProblemColumns problemColumns(const MapProblem& problem);
/// One line for a list: "warning: Alpha: jump node 1: leads to ... [unlinked-node]".
std::string problemLine(const MapProblem& problem);

/// What "Save map" may do after a check.
enum class CheckVerdict {
    Clean,         // generate
    WarningsOnly,  // ask whether to generate anyway
    Errors,        // say so and generate nothing
};
CheckVerdict verdictOf(const std::vector<MapProblem>& problems);
int countOf(const std::vector<MapProblem>& problems, Severity severity);
/// "1 error", "3 warnings", "0 errors".
std::string problemCount(const std::vector<MapProblem>& problems, Severity severity);
/// "no problems found", or "1 error, 2 warnings".
std::string checkSummary(const std::vector<MapProblem>& problems);

}  // namespace mw
