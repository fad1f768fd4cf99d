#include "check/map_problem.h"

#include <algorithm>

#include "common/errors.h"

namespace mw {

std::string_view problemKindName(ProblemKind kind) {
    // In the order of ProblemKind.
    static constexpr std::string_view kNames[] = {
        "missing-system-file", "too-many-objects",   "slot-name-mismatch", "duplicate-system",
        "unlinked-node",       "one-way-link",       "node-id-too-long",   "duplicate-node-id",
        "orphan-orbit",        "owner-out-of-range", "unsafe-text",        "empty-map"};
    return kNames[static_cast<int>(kind)];
}

Severity severityOf(ProblemKind kind) {
    // Only these keep the game from loading the mission, or the map maker
    // from opening a system of it.
    return kind == ProblemKind::MissingSystemFile || kind == ProblemKind::UnsafeText ||
                   kind == ProblemKind::TooManyObjects
               ? Severity::Error
               : Severity::Warning;
}

std::string_view severityName(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

std::string_view objectKindKey(ObjectKind kind) {
    // In the order of ObjectKind.
    static constexpr std::string_view kKeys[] = {"planet", "micro_asteroids", "asteroid", "wreck",
                                                 "nebula", "jump_node",       "ship"};
    return kKeys[static_cast<int>(kind)];
}

ProblemColumns problemColumns(const MapProblem& p) {
    return {std::string(severityName(severityOf(p.kind))), printableBytes(p.system),
            p.object ? objectLabel(*p.object) : std::string(), p.message};
}

std::string problemLine(const MapProblem& p) {
    const ProblemColumns c = problemColumns(p);
    std::string line = c.severity + ": ";
    if (!c.system.empty()) line += c.system + ": ";
    if (!c.object.empty()) line += c.object + ": ";
    line += c.message;
    line += " [";
    line += problemKindName(p.kind);
    line += "]";
    return line;
}

int countOf(const std::vector<MapProblem>& problems, Severity severity) {
    return static_cast<int>(
        std::count_if(problems.begin(), problems.end(),
                      [&](const MapProblem& p) { return severityOf(p.kind) == severity; }));
}

CheckVerdict verdictOf(const std::vector<MapProblem>& problems) {
    if (countOf(problems, Severity::Error) > 0) return CheckVerdict::Errors;
    return problems.empty() ? CheckVerdict::Clean : CheckVerdict::WarningsOnly;
}

std::string problemCount(const std::vector<MapProblem>& problems, Severity severity) {
    const int n = countOf(problems, severity);
    return std::to_string(n) + " " + std::string(severityName(severity)) + (n == 1 ? "" : "s");
}

std::string checkSummary(const std::vector<MapProblem>& problems) {
    if (problems.empty()) return "no problems found";
    return problemCount(problems, Severity::Error) + ", " +
           problemCount(problems, Severity::Warning);
}

}  // namespace mw
