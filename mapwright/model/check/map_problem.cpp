#include "check/map_problem.h"

#include <algorithm>

#include "common/errors.h"

namespace mw {

std::string_view problemKindName(ProblemKind kind) {
    switch (kind) {
        case ProblemKind::MissingSystemFile: return "missing-system-file";
        case ProblemKind::SlotNameMismatch: return "slot-name-mismatch";
        case ProblemKind::DuplicateSystem: return "duplicate-system";
        case ProblemKind::UnlinkedNode: return "unlinked-node";
        case ProblemKind::OneWayLink: return "one-way-link";
        case ProblemKind::NodeIdTooLong: return "node-id-too-long";
        case ProblemKind::DuplicateNodeId: return "duplicate-node-id";
        case ProblemKind::OrphanOrbit: return "orphan-orbit";
        case ProblemKind::OwnerOutOfRange: return "owner-out-of-range";
        case ProblemKind::UnsafeText: return "unsafe-text";
        case ProblemKind::EmptyMap: break;
    }
    return "empty-map";
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
    switch (kind) {
        case ObjectKind::Planet: return "planet";
        case ObjectKind::MicroAsteroid: return "micro_asteroids";
        case ObjectKind::Asteroid: return "asteroid";
        case ObjectKind::Wreck: return "wreck";
        case ObjectKind::Nebula: return "nebula";
        case ObjectKind::JumpNode: return "jump_node";
        case ObjectKind::Ship: break;
    }
    return "ship";
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
    return static_cast<int>(std::count_if(problems.begin(), problems.end(), [&](const MapProblem& p) {
        return severityOf(p.kind) == severity;
    }));
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
