// mapwright check as a process: its exit statuses, its JSON and its lines,
// its fixes, without a display.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "check_command_run.h"

namespace fs = std::filesystem;
using namespace check_command;

namespace {

mw::SdfRecord moon(std::string_view orbits) {
    mw::SdfRecord r = object(mw::sdf_tag::kPlanet, "Luna", 0, 0, 0);
    r.textC = orbits;
    return r;
}

TEST_F(CheckCommand, ExitStatusSaysCleanWarningsErrorsOrUnreadable) {
    const fs::path sample = fs::path(VK_SOURCE_DIR) / "data/samples/map/sample.vmpf";
    struct Row {
        std::string name;
        std::function<std::string()> project;
        int status;
        std::vector<std::string> kinds;
    };
    const Row rows[] = {
        {"sample", [&] { return sample.string(); }, 0, {}},
        {"warning",
         [&] {
             return writeMap({{"Alpha", {sunRecord("Alpha"), moon("Ghost")}}});
         },
         1,
         {"orphan-orbit"}},
        {"error",
         [&] {
             return writeMap({{"Alpha", {}}});
         },
         2,
         {"missing-system-file"}},
        {"too many of a kind",
         [&] {
             std::vector<mw::SdfRecord> crowded{sunRecord("Alpha")};
             crowded.resize(1002, object(mw::sdf_tag::kWreck, "Wreck_napelemmel", 1, 2, 3));
             return writeMap({{"Alpha", crowded}});
         },
         2,
         {"too-many-objects"}},
        {"unreadable", [&] { return dir_.write("short.vmpf", "too short"); }, 3, {}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const vk_test::RunResult result = run({r.project(), "--json"});
        EXPECT_EQ(result.status, r.status) << result.err;
        if (r.status == 3) {
            EXPECT_NE(result.err.find("short.vmpf"), std::string::npos) << result.err;
            EXPECT_EQ(result.out, "");
            continue;
        }
        const nlohmann::json j = nlohmann::json::parse(result.out);
        std::vector<std::string> kinds;
        for (const auto& p : j["problems"]) kinds.push_back(p["kind"]);
        EXPECT_EQ(kinds, r.kinds);
        EXPECT_EQ(j["errors"].get<int>() + j["warnings"].get<int>(),
                  static_cast<int>(kinds.size()));
    }
}

TEST_F(CheckCommand, JsonAndLinesNameWhereTheProblemIs) {
    const std::string project = writeMap({{"Alpha", {sunRecord("Alpha"), moon("Ghost")}}});
    const vk_test::RunResult json = run({"--json", project});
    EXPECT_EQ(json.status, 1);
    const std::string message =
        "orbits \"Ghost\", which is neither the system \"Alpha\" nor another planet of it";
    nlohmann::json problem = {{"severity", "warning"}, {"kind", "orphan-orbit"},
                              {"system", "Alpha"},     {"object_kind", "planet"},
                              {"object_index", 1},     {"field", "orbits around"},
                              {"message", message}};
    EXPECT_EQ(nlohmann::json::parse(json.out),
              (nlohmann::json{{"problems", {problem}}, {"errors", 0}, {"warnings", 1}}));

    const vk_test::RunResult lines = run({project});
    EXPECT_EQ(lines.status, 1);
    EXPECT_EQ(lines.out,
              "warning: Alpha: planet 1: " + message + " [orphan-orbit]\n0 errors, 1 warning\n");

    // Problems about the whole map have no system, object or field.
    mw::WriteProjectFile(project, mapOf({}));
    const nlohmann::json empty = nlohmann::json::parse(run({project, "--json"}).out);
    EXPECT_EQ(empty["problems"][0]["kind"], "empty-map");
    for (const char* key : {"system", "object_kind", "object_index", "field"})
        EXPECT_TRUE(empty["problems"][0][key].is_null()) << key;
}

// A problem's line quotes the map's Latin-1 name beside a UTF-8 file name:
// both read as written, in the lines and in the JSON.
TEST_F(CheckCommand, NamesAndFileNamesReadAsWritten) {
    const std::string missing = dir_.path("mapy") + "/Kraków/żółw.sdf";
    const std::string project = dir_.path("map.vmpf");
    mw::WriteProjectFile(project, mapOf({{"\xC5lpha", missing}}));
    const vk_test::RunResult lines = run({project});
    EXPECT_EQ(lines.status, 2);
    EXPECT_EQ(lines.out.rfind("error: Ålpha: ", 0), 0u) << lines.out;
    EXPECT_NE(lines.out.find(missing + ": open failed"), std::string::npos) << lines.out;
    const nlohmann::json j = nlohmann::json::parse(run({project, "--json"}).out);
    EXPECT_EQ(j["problems"][0]["system"], "Ålpha");
    EXPECT_NE(j["problems"][0]["message"].get<std::string>().find(missing), std::string::npos);
}

// Maps that each hold one fixable problem: check alone changes nothing, check
// --fix mends it and says how, and a check after it finds nothing.
TEST_F(CheckCommand, FixMendsWhatIsSafeAndPlainCheckWritesNothing) {
    using Systems = std::vector<std::pair<std::string, std::vector<mw::SdfRecord>>>;
    const struct {
        const char* kind;
        Systems systems;
        const char* change;
    } rows[] = {
        {"one-way-link",
         {{"Alpha", {sunRecord("Alpha"), jumpNode("AlphaJumpnode1", "BetaJumpnode1")}},
          {"Beta", {sunRecord("Beta"), jumpNode("BetaJumpnode1", "0")}}},
         "fixed: Make two-way: Beta: jump node 1 (\"BetaJumpnode1\", in "},
        {"unlinked-node",
         {{"Alpha", {sunRecord("Alpha"), jumpNode("AlphaJumpnode1", "Nowhere")}}},
         "fixed: Set to 0: Alpha: jump node 1 (\"AlphaJumpnode1\", in "},
        {"slot-name-mismatch",
         {{"Alfa", {sunRecord("Alpha")}}},
         "fixed: Use the sun's name: the map lists system \"Alfa\" as \"Alpha\""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.kind);
        const std::string project = writeMap(r.systems);
        const auto files = [&] {
            std::vector<std::string> bytes{vk_test::readFile(project)};
            for (std::size_t i = 0; i < r.systems.size(); ++i)
                bytes.push_back(dir_.read(systemFile(i)));
            return bytes;
        };
        const std::vector<std::string> before = files();
        const vk_test::RunResult plain = run({project});
        EXPECT_EQ(plain.status, 1);
        EXPECT_NE(plain.out.find(std::string("[") + r.kind + "]"), std::string::npos);
        EXPECT_EQ(files(), before);

        const vk_test::RunResult fixed = run({project, "--fix"});
        EXPECT_EQ(fixed.status, 0) << fixed.out << fixed.err;
        EXPECT_EQ(fixed.out.rfind(r.change, 0), 0u) << fixed.out;
        EXPECT_NE(fixed.out.find("\nno problems found\n"), std::string::npos) << fixed.out;
        EXPECT_NE(files(), before);
        const vk_test::RunResult after = run({project, "--json"});
        EXPECT_EQ(after.status, 0) << after.out;
    }
}

// A build without Qt refuses the picture before checking, and writes nothing.
TEST_F(CheckCommand, PictureNeedsTheEditorsDrawing) {
    if (VK_WITH_EDITOR) GTEST_SKIP() << "this build draws the picture (check_picture_test)";
    const std::string project = writeMap({{"Alpha", {sunRecord("Alpha")}}});
    const vk_test::RunResult r = run({project, "--picture", "map.png"});
    EXPECT_EQ(r.status, 3);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("built without the editor's drawing (Qt)"), std::string::npos) << r.err;
    EXPECT_FALSE(dir_.exists("map.png"));
}

}  // namespace
