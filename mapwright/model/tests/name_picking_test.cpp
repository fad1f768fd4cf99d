#include "names/name_picking.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "common/editor_random.h"
#include "common/errors.h"
#include "model_test_support.h"
#include "names/name_lists.h"
#include "names/name_records.h"
#include "test_support.h"

using namespace mw;
using model_test::ondRecord;
namespace fs = std::filesystem;

namespace {

class NamePickingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = NameDirectory(root);
        ond = (root / "db.ond").string();
        EnsureNameFiles(dir);
    }
    std::vector<std::string> pool() { return readNameList(dir.pool()); }
    void addPlanet(SystemModel& m, const std::string& name) {
        m.planets.at(m.AllocateIndex(ObjectKind::Planet)).name = name;
    }

    vk_test::ScratchDir scratch{"mw-pick"};
    fs::path root = scratch.root();
    NameDirectory dir;
    std::string ond;
};

}  // namespace

TEST_F(NamePickingTest, SystemNameIsAlwaysOfTheChosenStyle) {
    // Matching records interleaved with planet names and other styles; the
    // lower-case letter in the file matches too.
    writeOndFile(
        ond, {ondRecord("PlanetH", "H", 1), ondRecord("Alpha", "H", 0), ondRecord("SysU", "U", 0),
              ondRecord("Beta", "h", 0), ondRecord("PlanetU", "U", 1), ondRecord("SysK", "K", 0),
              ondRecord("Gamma", "H", 0), ondRecord("PlanetH2", "h", 9)});
    std::set<std::string> seen;
    for (std::uint64_t seed = 0; seed < 200; ++seed) {
        SystemModel m;
        EditorRandom r(seed);
        PickSystemName(ond, seed % 2 ? 'h' : 'H', m, r);
        seen.insert(m.currentSystemName.str());
    }
    EXPECT_EQ(seen, (std::set<std::string>{"Alpha", "Beta", "Gamma"}));
}

TEST_F(NamePickingTest, NoMatchingSystemNameGivesUnnamed) {
    struct Case {
        const char* what;
        std::vector<TOndRecord> records;
    } cases[] = {
        {"empty file", {}},
        {"planets only", {ondRecord("P1", "U", 1), ondRecord("P2", "U", 1)}},
        {"other style", {ondRecord("S1", "H", 0)}},
    };
    for (const auto& c : cases) {
        writeOndFile(ond, c.records);
        SystemModel m;
        m.currentSystemName = "Old";
        EditorRandom r(1);
        PickSystemName(ond, 'U', m, r);
        EXPECT_EQ(m.currentSystemName, "Unnamed") << c.what;
    }
    // Still "Unnamed" for a 0-byte file, whose pool is empty as well.
    SystemModel m;
    RefillPlanetPool(dir, PoolRefill{ond, 'U', true, false}, m);
    EXPECT_TRUE(pool().empty());
}

TEST_F(NamePickingTest, MissingDatabase) {
    SystemModel m;
    m.currentSystemName = "Kept";
    EditorRandom r(1);
    try {
        PickSystemName(ond, 'U', m, r);
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("db.ond"), std::string::npos);
    }
    EXPECT_EQ(m.currentSystemName, "Kept");

    // Without "create" the refill fails and the old pool stays.
    AppendName(dir, "p_names.dat", "Old");
    EXPECT_THROW(RefillPlanetPool(dir, PoolRefill{ond, 'U', true, false}, m), IoError);
    EXPECT_FALSE(fs::exists(ond));
    EXPECT_EQ(pool(), std::vector<std::string>{"Old"});

    // With "create" the database is made empty and so is the pool.
    RefillPlanetPool(dir, PoolRefill{ond, 'U', true, true}, m);
    ASSERT_TRUE(fs::exists(ond));
    EXPECT_EQ(fs::file_size(ond), 0u);
    EXPECT_TRUE(pool().empty());
}

TEST_F(NamePickingTest, RefillTakesPlanetNamesOfTheStyleInFileOrder) {
    const std::string longName(125, 'L');
    writeOndFile(
        ond,
        {ondRecord("Vega", "U", 1), ondRecord("SysName", "U", 0), ondRecord("Rigel", "u", 200),
         ondRecord("Human1", "H", 1), ondRecord("Vega", "U", 1), ondRecord("", "U", 1),
         ondRecord(longName, "U", 1), ondRecord("Deneb", "U", 1), ondRecord("Sirius", "U", 1)});
    SystemModel m;
    addPlanet(m, "Deneb");
    addPlanet(m, "Sirius");
    m.MarkDeleted(ObjectKind::Planet, 2);  // deleted planets still count as in use

    struct Case {
        char letter;
        bool exclude;
        std::vector<std::string> expected;
    } cases[] = {
        {'U', false, {"Vega", "Rigel", "Vega", longName.substr(0, 120), "Deneb", "Sirius"}},
        {'U', true, {"Vega", "Rigel", "Vega", longName.substr(0, 120)}},
        {'h', false, {"Human1"}},
        {'K', false, {}},
    };
    for (const auto& c : cases) {
        RefillPlanetPool(dir, PoolRefill{ond, c.letter, c.exclude, false}, m);
        EXPECT_EQ(pool(), c.expected) << c.letter << c.exclude;
        EXPECT_FALSE(fs::exists(root / "seged.dat"));
    }
}

TEST_F(NamePickingTest, PlanetNameDrawnFromThePoolOrGenerated) {
    SystemModel m;
    for (int i = 0; i < 7; ++i) m.AllocateIndex(ObjectKind::Planet);

    EditorRandom r(5);
    PlanetNamePick empty = PickPlanetName(dir, m, r);
    EXPECT_EQ(empty.name, "Planet7");
    EXPECT_EQ(empty.notice, "Ran out of predefined planet names! Generating one...");

    for (const char* n : {"A", "B", "C"}) AppendName(dir, "p_names.dat", n);
    std::set<std::string> seen;
    for (std::uint64_t seed = 0; seed < 100; ++seed) {
        EditorRandom s(seed);
        PlanetNamePick p = PickPlanetName(dir, m, s);
        EXPECT_FALSE(p.notice);
        seen.insert(p.name);
    }
    EXPECT_EQ(seen, (std::set<std::string>{"A", "B", "C"}));
    EXPECT_EQ(pool(), (std::vector<std::string>{"A", "B", "C"}));  // drawing does not take
}
