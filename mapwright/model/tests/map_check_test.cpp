// The map check over small maps, one per problem kind, the shipped sample
// map, and the generator's refusal of texts the mission cannot carry.
#include "check/map_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "check/map_graph.h"
#include "map/project_file.h"
#include "mission/mission_generator.h"
#include "mission/mission_text_safety.h"
#include "model_test_support.h"

using namespace mw;
using namespace model_test;

namespace {

SdfRecord planet(std::string_view name, std::string_view orbits, std::string_view owner = "None") {
    SdfRecord r = object(sdf_tag::kPlanet, name, 1, 2, 3);
    r.textA = "terran";
    r.textC = orbits;
    r.textB = owner;
    return r;
}

SdfRecord ship(std::string_view owner) {
    SdfRecord r = object(sdf_tag::kShip, "Guard", 4, 5, 6);
    r.textA = "_H_P_Corvette";
    r.textB = owner;
    return r;
}

// A map being built: each system's slot name and records (the sun first).
struct TestMap {
    std::vector<std::pair<std::string, std::vector<SdfRecord>>> systems;
    int empires = 2;
    std::function<void(MapProjectRecord&)> finish = [](MapProjectRecord&) {};

    std::vector<SdfRecord>& records(std::size_t slot) { return systems[slot].second; }

    // Writes the design files into the folder as s0.sdf, s1.sdf, ...
    MapProjectRecord write(const vk_test::ScratchDir& dir) const {
        std::vector<std::pair<std::string, std::string>> slots;
        for (std::size_t i = 0; i < systems.size(); ++i) {
            const std::string path = dir.path("s" + std::to_string(i) + ".sdf");
            writeDesignFile(path, systems[i].second);
            slots.emplace_back(systems[i].first, path);
        }
        MapProjectRecord map = mapOf(slots, empires);
        finish(map);
        return map;
    }
};

// Alpha and Beta, linked both ways; every rule holds.
TestMap linkedPair() {
    TestMap m;
    m.systems.push_back(
        {"Alpha",
         {sunRecord("Alpha"), planet("Prime", "Alpha", "Empire1"), planet("Moon", "Prime"),
          jumpNode("AlphaJumpnode1", "BetaJumpnode1"), ship("Empire2")}});
    m.systems.push_back({"Beta",
                         {sunRecord("Beta"), jumpNode("BetaJumpnode1", "AlphaJumpnode1"),
                          jumpNode("BetaJumpnode2", "0")}});
    return m;
}

struct Expected {
    ProblemKind kind;
    std::string system;
    std::optional<ObjectRef> object;
    std::string field;
};

struct CheckCase {
    const char* name;
    std::function<void(TestMap&)> change;
    std::vector<Expected> expected;
    std::string inFirstMessage;  // a part of the first problem's message
};

constexpr ObjectRef planetAt(int i) {
    return {ObjectKind::Planet, i};
}
constexpr ObjectRef nodeAt(int i) {
    return {ObjectKind::JumpNode, i};
}

const CheckCase kCases[] = {
    {"Clean", [](TestMap&) {}, {}, ""},
    {"MovedFileFoundBesideTheProject",
     [](TestMap& m) {
         m.finish = [](MapProjectRecord& map) { map.systems[1].designFile = "C:\\Maps\\s1.sdf"; };
     },
     {},
     ""},
    {"MissingSystemFile",
     [](TestMap& m) {
         m.finish = [](MapProjectRecord& map) { map.systems[1].designFile = "C:\\Maps\\gone.sdf"; };
     },
     {{ProblemKind::UnlinkedNode, "Alpha", nodeAt(1), "leads to"},
      {ProblemKind::MissingSystemFile, "Beta", std::nullopt, ""}},
     "\"BetaJumpnode1\""},
    {"UnreadableSystemFile",
     [](TestMap& m) { m.records(1).clear(); },
     {{ProblemKind::UnlinkedNode, "Alpha", nodeAt(1), "leads to"},
      {ProblemKind::MissingSystemFile, "Beta", std::nullopt, ""}},
     ""},
    {"TooManyObjects",
     [](TestMap& m) {
         m.records(1).resize(m.records(1).size() + 1001,
                             object(sdf_tag::kWreck, "Wreck_napelemmel", 7, 8, 9));
     },
     {{ProblemKind::TooManyObjects, "Beta", std::nullopt, ""}},
     "holds 1001 wrecks, more than the 1000 of a kind a system can hold; the designer cannot "
     "open it"},
    {"SlotNameMismatch",
     [](TestMap& m) { m.records(0)[0].name = "Alfa"; },
     {{ProblemKind::SlotNameMismatch, "Alpha", std::nullopt, "sun name"}},
     "\"Alfa\""},
    {"DuplicateSystem",
     [](TestMap& m) {
         m.systems.push_back({"Gamma", {sunRecord("Beta")}});
     },
     {{ProblemKind::SlotNameMismatch, "Gamma", std::nullopt, "sun name"},
      {ProblemKind::DuplicateSystem, "Gamma", std::nullopt, "sun name"}},
     ""},
    {"UnlinkedNodeNumberedAmongJumpNodesOnly",
     [](TestMap& m) { m.records(0).push_back(jumpNode("AlphaJumpnode2", "Nowhere")); },
     {{ProblemKind::UnlinkedNode, "Alpha", nodeAt(2), "leads to"}},
     "\"Nowhere\""},
    {"OneWayLink",
     [](TestMap& m) { m.records(1)[2].name = "AlphaJumpnode1"; },
     {{ProblemKind::OneWayLink, "Beta", nodeAt(2), "leads to"}},
     "\"BetaJumpnode1\""},
    {"NodeIdTooLong",
     [](TestMap& m) {
         m.records(0).push_back(jumpNode("AlphaJumpnodeNumber12", "0"));
         m.records(1).push_back(jumpNode("BetaJumpnode3", "AlphaJumpnodeNumber12"));  // cut to 20
     },
     {{ProblemKind::NodeIdTooLong, "Alpha", nodeAt(2), "node id"},
      {ProblemKind::UnlinkedNode, "Beta", nodeAt(3), "leads to"}},
     "21 characters"},
    {"DuplicateNodeId",
     [](TestMap& m) { m.records(1)[2].textA = "AlphaJumpnode1"; },
     {{ProblemKind::DuplicateNodeId, "Beta", nodeAt(2), "node id"}},
     "jump node 1 of system \"Alpha\""},
    {"OrphanOrbit",
     [](TestMap& m) { m.records(0)[2].textC = "Ghost"; },
     {{ProblemKind::OrphanOrbit, "Alpha", planetAt(2), "orbits around"}},
     "\"Ghost\""},
    {"OwnerOutOfRange",
     [](TestMap& m) {
         m.records(0)[1].textB = "Empire0";
         m.records(0)[4].textB = "Empire3";
     },
     {{ProblemKind::OwnerOutOfRange, "Alpha", planetAt(1), "owner"},
      {ProblemKind::OwnerOutOfRange, "Alpha", ObjectRef{ObjectKind::Ship, 1}, "owner"}},
     "the map has 2 empires"},
    {"UnsafeText",
     [](TestMap& m) {
         m.records(0)[0].textC = "0.7x";
         m.records(0)[1].textA = "gas\"giant";
         m.records(1)[2].textA = "Beta]Jumpnode2";
         m.finish = [](MapProjectRecord& map) {
             map.description = "two\r\nlines";
             map.empires[1].team = "Team\x1B";
         };
     },
     {{ProblemKind::UnsafeText, "", std::nullopt, "description"},
      {ProblemKind::UnsafeText, "", std::nullopt, "Empire2 team"},
      {ProblemKind::UnsafeText, "Alpha", std::nullopt, "scale"},
      {ProblemKind::UnsafeText, "Alpha", planetAt(1), "type"},
      {ProblemKind::UnsafeText, "Beta", nodeAt(2), "node id"}},
     "line break"},
    {"EmptyMap",
     [](TestMap& m) { m.systems.clear(); },
     {{ProblemKind::EmptyMap, "", std::nullopt, ""}},
     "no systems"},
};

class MapCheck : public ::testing::TestWithParam<CheckCase> {};

// kind | system | object | field
std::string where(ProblemKind kind, const std::string& system, std::optional<ObjectRef> object,
                  const std::string& field) {
    return std::string(problemKindName(kind)) + " | " + system + " | " +
           (object ? objectLabel(*object) : "-") + " | " + field;
}

TEST_P(MapCheck, FindsItsProblemsInOrder) {
    vk_test::ScratchDir dir;
    TestMap m = linkedPair();
    GetParam().change(m);
    const std::vector<MapProblem> problems = CheckMap(m.write(dir), dir.root());
    std::vector<std::string> got, want;
    for (const MapProblem& p : problems) got.push_back(where(p.kind, p.system, p.object, p.field));
    for (const Expected& e : GetParam().expected)
        want.push_back(where(e.kind, e.system, e.object, e.field));
    EXPECT_EQ(got, want);
    if (!problems.empty()) {
        EXPECT_NE(problems[0].message.find(GetParam().inFirstMessage), std::string::npos)
            << problems[0].message;
    }
}

INSTANTIATE_TEST_SUITE_P(OneMapPerKind, MapCheck, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MapCheck, ShippedSampleMapIsClean) {
    const std::filesystem::path folder = std::filesystem::path(VK_SOURCE_DIR) / "data/samples/map";
    const MapProjectRecord map = ReadProjectFile((folder / "sample.vmpf").string());
    EXPECT_EQ(CheckMap(map, folder), std::vector<MapProblem>{});
}

TEST(MissionTextSafety, WhatEachWayOfWritingCannotCarry) {
    struct Row {
        std::string text;
        unsigned uses;
        std::optional<std::string> reason;
    };
    const Row rows[] = {
        {"gas giant \xE9", kAsString, std::nullopt},
        {"a\"b", kAsString, "holds a double quote"},
        {"a\"b", kAsSectionName, std::nullopt},  // a section name ends only at ']'
        {"a]b", kAsSectionName, "holds ']', which ends a section name"},
        {"a]b", kAsString, std::nullopt},
        {"two\nlines", kAsSectionName, "holds a line break"},
        {"tab\there", kAsString, "holds a tab"},
        {std::string("nul\0", 4), kAsString, "holds the control character \\x00"},
        {"del\x7F", kAsString, "holds the control character \\x7F"},
        {"0.7", kAsBareValue, std::nullopt},
        {" -1.25 ", kAsBareValue, std::nullopt},
        {"big", kAsBareValue, std::nullopt},
        {"", kAsBareValue, "is empty"},
        {"\xE9", kAsBareValue, "is empty"},  // the scanner passes over such bytes
        {"1.2x", kAsBareValue, "is a number followed by other text"},
        {"1e5", kAsBareValue, "is a number followed by other text"},
        {"1,5", kAsBareValue, "holds ','"},
        {"a=b", kAsBareValue, "holds '='"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(printableBytes(r.text));
        EXPECT_EQ(UnsafeTextReason(r.text, r.uses), r.reason);
    }
}

// The generator writes nothing for a map holding a text its mission cannot
// carry, and names where the text is.
TEST(MissionGenerator, RefusesTextsTheMissionCannotCarry) {
    struct Row {
        std::function<void(TestMap&)> change;
        std::string where;
    };
    const Row rows[] = {
        {[](TestMap& m) { m.records(1)[1].name = "Alpha\"Jumpnode1"; },
         "system Beta, jump node 1: leads to \"Alpha\"Jumpnode1\" holds a double quote"},
        {[](TestMap& m) { m.records(0)[2].name = "Mo]on"; }, "system Alpha, planet 2: name"},
        {[](TestMap& m) { m.records(0)[0].textC = ""; }, "system Alpha: scale \"\" is empty"},
        {[](TestMap& m) { m.finish = [](MapProjectRecord& map) { map.mapName = "New\nmap"; }; },
         "map name \"New\\nmap\" holds a line break"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.where);
        vk_test::ScratchDir dir;
        TestMap m = linkedPair();
        r.change(m);
        const std::string out = dir.write("mission.txt", "the earlier mission");
        try {
            GenerateMissionInf(m.write(dir), out, 1u);
            FAIL() << "expected UnsafeTextError";
        } catch (const UnsafeTextError& e) {
            EXPECT_NE(std::string(e.what()).find(r.where), std::string::npos) << e.what();
        }
        EXPECT_EQ(dir.read("mission.txt"), "the earlier mission");
    }
}

}  // namespace

namespace {

TEST(MapGraph, LinksStubsAndStatesOfTheSystems) {
    vk_test::ScratchDir dir;
    TestMap m = linkedPair();
    m.records(0).push_back(jumpNode("AlphaJumpnode2", "Nowhere"));
    m.systems.push_back(
        {"Gamma", {sunRecord("Gamma"), jumpNode("GammaJumpnode1", "BetaJumpnode1")}});
    m.systems.push_back({"Delta", {}});  // an empty file
    const MapProjectRecord map = m.write(dir);
    const std::vector<CheckedSystem> systems = ReadCheckedSystems(map, dir.root());
    const MapGraph graph = BuildMapGraph(systems, CheckMap(map, systems));

    std::vector<std::string> got;
    for (const GraphSystem& s : graph.systems)
        got.push_back(s.name + (s.readable ? "" : " unreadable") +
                      (s.state == SystemState::Fine       ? ""
                       : s.state == SystemState::Warnings ? " warnings"
                                                          : " errors"));
    for (const GraphLink& l : graph.links)
        got.push_back(std::to_string(l.from) + (l.shape == LinkShape::TwoWay ? " -- " : " -> ") +
                      std::to_string(l.to));
    for (const GraphStub& s : graph.stubs)
        got.push_back(std::to_string(s.system) +
                      (s.kind == StubKind::Unlinked ? " leads nowhere" : " not linked"));
    EXPECT_EQ(got, (std::vector<std::string>{"Alpha warnings", "Beta", "Gamma warnings",
                                             "Delta unreadable errors", "0 -- 1", "2 -> 1",
                                             "0 leads nowhere", "1 not linked"}));
}

}  // namespace
