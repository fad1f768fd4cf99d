#include "check/map_problem.h"

#include <algorithm>

#include "common/errors.h"

namespace mw {

std::string_view problemKindName(ProblemKind kind) {
    // In the order of ProblemKind.
    static constexpr std::string_view kNames[] = {
        "missing-system-file", "slot-name-mismatch", "duplicate-system",  "unlinked-node",
        "one-way-link",        "node-id-too-long",   "duplicate-node-id", "orphan-orbit",
        "owner-out-of-range",  "unsafe-text",        "empty-map"};
    return kNames[static_cast<int>(kind)];
}

Severity severityOf(ProblemKind kind) {
    // Only these keep the game from loading the mission at all.
    return kind == ProblemKind::MissingSystemFile || kind == ProblemKind::UnsafeText
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

std::string problemLine(const MapProblem& p) {
    std::string line(severityName(severityOf(p.kind)));
    line += ": ";
    if (!p.system.empty()) line += printableBytes(p.system) + ": ";
    if (p.object) line += objectLabel(*p.object) + ": ";
    line += p.message;
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

std::string checkSummary(const std::vector<MapProblem>& problems) {
    if (problems.empty()) return "no problems found";
    const auto counted = [](int n, const char* word) {
        return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
    };
    return counted(countOf(problems, Severity::Error), "error") + ", " +
           counted(countOf(problems, Severity::Warning), "warning");
}

}  // namespace mw
