#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "system/sdf_record.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

vk_test::RunResult runShow(const std::string& arg) {
    return vk_test::runProgram(VK_MAPWRIGHT, {"show", arg});
}

class ShowCommand : public ::testing::Test {
  protected:
    vk_test::ScratchDir scratch_{"mw-show"};
    const fs::path& dir_ = scratch_.root();
};

std::vector<std::string> keysOf(const nlohmann::ordered_json& o) {
    std::vector<std::string> k;
    for (auto it = o.begin(); it != o.end(); ++it) k.push_back(it.key());
    return k;
}

TEST_F(ShowCommand, PrintsTheSampleWithKeysInOrder) {
    const auto r = runShow(std::string(VK_SOURCE_DIR) + "/data/samples/sample.sdf");
    ASSERT_EQ(r.status, 0) << r.err;
    const auto j = nlohmann::ordered_json::parse(r.out);
    EXPECT_EQ(keysOf(j), (std::vector<std::string>{"sun_name", "sun_type", "background", "scale",
                                                   "planets", "micro_asteroids", "asteroids",
                                                   "wrecks", "nebulae", "jump_nodes", "ships"}));
    const std::vector<std::pair<const char*, std::vector<std::string>>> kinds = {
        {"planets",
         {"index", "name", "type", "model", "x", "y", "z", "orbits_around", "number", "diameter",
          "owner", "race", "population", "marker_x", "marker_y"}},
        {"micro_asteroids", {"index", "type", "x", "y", "z", "marker_x", "marker_y"}},
        {"asteroids", {"index", "type", "x", "y", "z", "capacity", "marker_x", "marker_y"}},
        {"wrecks", {"index", "type", "x", "y", "z", "value", "marker_x", "marker_y"}},
        {"nebulae", {"index", "type", "x", "y", "z", "marker_x", "marker_y"}},
        {"jump_nodes", {"index", "leads_to", "node_id", "x", "y", "z", "marker_x", "marker_y"}},
        {"ships",
         {"index", "name", "owner", "type", "deployed", "rank", "number_of_ships", "x", "y", "z",
          "marker_x", "marker_y"}},
    };
    for (const auto& [kind, keys] : kinds) {
        ASSERT_FALSE(j[kind].empty()) << kind;  // the sample has every kind
        EXPECT_EQ(keysOf(j[kind][0]), keys) << kind;
    }
    EXPECT_EQ(j["sun_name"], "Sol");
    EXPECT_EQ(j["planets"][1]["index"], 2);
    EXPECT_EQ(j["planets"][1]["name"],
              "Ga\xC3\xAF"
              "a");  // Latin-1 0xEF as UTF-8
    EXPECT_EQ(j["planets"][0]["y"], -31000);
    EXPECT_EQ(j["jump_nodes"][0]["node_id"], "SolJumpnode1");
    EXPECT_EQ(j["ships"][1]["deployed"], 1);
    EXPECT_TRUE(j["ships"][1]["deployed"].is_number());
}

TEST_F(ShowCommand, EveryByteOfAStringSurvives) {
    mw::SdfRecord header;
    header.tag = "sun";
    std::string all;
    for (int c = 1; c < 256; c += 13) all.push_back(static_cast<char>(c));
    header.name = all.substr(0, 20);
    header.textA = all;
    const auto b = header.encode();
    scratch_.write("bytes.sdf", std::string(reinterpret_cast<const char*>(b.data()), b.size()));
    const auto r = runShow((dir_ / "bytes.sdf").string());
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string sunType = nlohmann::json::parse(r.out)["sun_type"];
    std::string back;  // UTF-8 back to Latin-1
    for (std::size_t i = 0; i < sunType.size(); ++i) {
        const auto c = static_cast<unsigned char>(sunType[i]);
        if (c < 0x80)
            back.push_back(static_cast<char>(c));
        else
            back.push_back(static_cast<char>(((c & 0x1F) << 6) | (sunType[++i] & 0x3F)));
    }
    EXPECT_EQ(back, all);
}

TEST_F(ShowCommand, FailuresNameTheFileAndExitNonZero) {
    mw::SdfRecord good;
    good.tag = "sun";
    good.markerX = "0";
    good.markerY = "0";
    mw::SdfRecord badMarker = good;
    badMarker.tag = "planet";
    badMarker.name = "P";
    badMarker.markerX = "4x2";
    const auto g = good.encode();
    const auto bm = badMarker.encode();
    const auto bytes = [](const auto& rec) {
        return std::string(reinterpret_cast<const char*>(rec.data()), rec.size());
    };
    mw::SdfRecord wreck = good;
    wreck.tag = "wreckage";
    wreck.name = "Wreck_napelemmel";
    std::string crowded = bytes(g);
    for (int i = 0; i <= 1000; ++i) crowded += bytes(wreck.encode());
    const std::vector<std::pair<std::string, std::string>> files = {
        {"empty.sdf", ""},
        {"partial.sdf", bytes(g) + std::string(10, 'z')},
        {"marker.sdf", bytes(g) + bytes(bm)},
        {"crowded.sdf", crowded},
    };
    for (const auto& [name, content] : files) scratch_.write(name, content);
    for (const char* name :
         {"missing.sdf", "empty.sdf", "partial.sdf", "marker.sdf", "crowded.sdf"}) {
        const std::string path = (dir_ / name).string();
        const auto r = runShow(path);
        EXPECT_NE(r.status, 0) << name;
        EXPECT_NE(r.err.find(path), std::string::npos) << name << ": " << r.err;
    }
    EXPECT_NE(
        runShow((dir_ / "marker.sdf").string()).err.find("'4x2' is not a valid integer value"),
        std::string::npos);
    // What the designer cannot open, show says so too (and what the check says).
    const std::string crowdedError = runShow((dir_ / "crowded.sdf").string()).err;
    EXPECT_NE(crowdedError.find("more than 1000 wrecks, more than a system can hold; the designer "
                                "cannot open it"),
              std::string::npos)
        << crowdedError;
}

}  // namespace
