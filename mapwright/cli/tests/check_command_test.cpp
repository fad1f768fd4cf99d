// mapwright check as a process: its exit statuses, its JSON and its lines,
// and the map picture as PNG and SVG, without a display.
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <QXmlStreamReader>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "map/project_file.h"
#include "model_test_support.h"

namespace fs = std::filesystem;
using namespace model_test;

namespace {

using Args = std::vector<std::string>;

// No display at all, and a platform that would fail if a plain check or the
// picture tried to use it.
const std::map<std::string, std::string> kNoDisplay{
    {"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", "xcb"}};

class CheckCommand : public ::testing::Test {
  protected:
    vk_test::RunResult run(Args args) {
        args.insert(args.begin(), "check");
        return vk_test::runProgram(VK_MAPWRIGHT, args, dir_.root(), kNoDisplay);
    }
    // A map of the given systems (slot name, records) in the scratch folder.
    std::string writeMap(
        const std::vector<std::pair<std::string, std::vector<mw::SdfRecord>>>& systems) {
        std::vector<std::pair<std::string, std::string>> files;
        for (std::size_t i = 0; i < systems.size(); ++i) {
            const std::string path = dir_.path("s" + std::to_string(i) + ".sdf");
            writeDesignFile(path, systems[i].second);
            files.emplace_back(systems[i].first, path);
        }
        std::string project = dir_.path("map.vmpf");
        mw::WriteProjectFile(project, mapOf(files));
        return project;
    }

    vk_test::ScratchDir dir_{"mw-check"};
};

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
                bytes.push_back(dir_.read("s" + std::to_string(i) + ".sdf"));
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

// Ten systems in a ring, each linked both ways with its neighbours.
TEST_F(CheckCommand, PictureIsAValidPngOrSvgWithOneLabelledNodePerSystem) {
    const std::vector<std::string> names = {"Aldebaran", "Bellatrix", "Capella", "Denebola",
                                            "Electra",   "Fomalhaut", "Gemma",   "Hamal",
                                            "Izar",      "Jabbah"};
    std::vector<std::pair<std::string, std::vector<mw::SdfRecord>>> systems;
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& next = names[(i + 1) % names.size()];
        const std::string& prev = names[(i + names.size() - 1) % names.size()];
        systems.push_back(
            {names[i],
             {sunRecord(names[i]), jumpNode(names[i] + "Jumpnode1", next + "Jumpnode2"),
              jumpNode(names[i] + "Jumpnode2", prev + "Jumpnode1")}});
    }
    const std::string project = writeMap(systems);

    const vk_test::RunResult png = run({project, "--picture", "map.png"});
    ASSERT_EQ(png.status, 0) << png.out << png.err;
    EXPECT_EQ(png.err, "");
    QImageReader reader(QString::fromStdString(dir_.path("map.png")));
    EXPECT_EQ(reader.format(), "png");
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_GT(image.width(), 200);
    EXPECT_GT(image.height(), 200);

    ASSERT_EQ(run({project, "--picture", "map.svg"}).status, 0);
    const std::string svg = dir_.read("map.svg");
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    int circles = 0;
    std::map<std::string, int> texts;
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QLatin1String("svg"));
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("circle")) ++circles;
        if (xml.name() == QLatin1String("text")) ++texts[xml.readElementText().toStdString()];
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(circles, 10);
    for (const std::string& name : names) EXPECT_EQ(texts[name], 1) << name;

    // Neither kind: nothing is written and the map is not called checked.
    const vk_test::RunResult bad = run({project, "--picture", "map.jpg"});
    EXPECT_EQ(bad.status, 3);
    EXPECT_FALSE(dir_.exists("map.jpg"));
}

}  // namespace
