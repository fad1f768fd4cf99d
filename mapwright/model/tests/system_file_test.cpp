#include "system/system_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <variant>
#include <vector>

#include "common/errors.h"
#include "model_test_support.h"
#include "system/sdf_record.h"
#include "system/system_model.h"
#include "test_support.h"

using namespace mw;
namespace fs = std::filesystem;

namespace {

class SystemFileTest : public ::testing::Test {
  protected:
    std::string file(const std::string& name) const { return dir_.path(name); }
    SystemModel& m() { return *model_; }

    static std::string readBytes(const std::string& path) { return vk_test::readFile(path); }
    static void writeRecords(const std::string& path, const std::vector<SdfRecord>& records,
                             std::size_t extraBytes = 0) {
        model_test::writeDesignFile(path, records);
        vk_test::writeFile(path, vk_test::readFile(path) + std::string(extraBytes, 'x'));
    }
    static SdfRecord rec(std::string_view tag, std::string_view name = "", int mx = 1, int my = 2) {
        SdfRecord r;
        r.tag = tag;
        r.name = name;
        r.markerX = std::to_string(mx);
        r.markerY = std::to_string(my);
        return r;
    }
    std::vector<std::string> tagsOf(const std::string& path) {
        const std::string bytes = readBytes(path);
        std::vector<std::string> tags;
        for (std::size_t off = 0; off + kSdfRecordSize <= bytes.size(); off += kSdfRecordSize)
            tags.push_back(
                SdfRecord::decode(reinterpret_cast<const std::uint8_t*>(bytes.data()) + off)
                    .tag.str());
        return tags;
    }
    int addPlanet(std::string_view name) {
        const int i = m().AllocateIndex(ObjectKind::Planet);
        m().planets.at(i) = PlanetRecord{};
        m().planets.at(i).name = name;
        return i;
    }

    vk_test::ScratchDir dir_{"mw-sysfile"};
    std::unique_ptr<SystemModel> model_ = std::make_unique<SystemModel>();
};

TEST_F(SystemFileTest, NewSystemHeaderIsByteExact) {
    m().ResetTables();
    SaveSystem(file("new.sdf"), "Unnamed", "Sun", "Background1", "0.7", m());
    const std::string b = readBytes(file("new.sdf"));
    ASSERT_EQ(b.size(), kSdfRecordSize);
    const struct {
        std::size_t offset;
        std::string bytes;
    } expected[] = {
        {0, "\x03sun"},
        {36,
         "\x01"
         "0"},
        {41,
         "\x01"
         "0"},
        {46, "\x07Unnamed"},
        {67, "\x03Sun"},
        {201,
         "\x0b"
         "Background1"},
        {328,
         "\x03"
         "0.7"},
    };
    for (const auto& e : expected)
        EXPECT_EQ(b.substr(e.offset, e.bytes.size()), e.bytes) << "offset " << e.offset;
    // The save is complete: nothing is left beside the target.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_.root()), fs::directory_iterator{}), 1);
}

TEST_F(SystemFileTest, KindsAreWrittenInFileOrderAndOnlyLiveOnes) {
    m().ResetTables();
    int s = m().AllocateIndex(ObjectKind::Ship);
    m().ships.at(s) = ShipRecord{};
    m().ships.at(s).type = "_H_P_Fighter";
    addPlanet("A");
    int f = m().AllocateIndex(ObjectKind::MicroAsteroid);
    m().microAsteroids.at(f) = MicroAsteroidRecord{};
    m().microAsteroids.at(f).type = "MicroAsteroids_orias";
    const int gone = addPlanet("Gone");
    addPlanet("");  // emptied name: not live
    addPlanet("B");
    m().MarkDeleted(ObjectKind::Planet, gone);
    SaveSystem(file("o.sdf"), "Sol", "Sun", "Background1", "0.7", m());
    EXPECT_EQ(tagsOf(file("o.sdf")),
              (std::vector<std::string>{"sun", "planet", "planet", "microasteroids", "ship"}));

    std::vector<PlacedObject> placed;
    OpenSystem(file("o.sdf"), m(), [&](const PlacedObject& p) { placed.push_back(p); });
    ASSERT_EQ(placed.size(), 4u);
    EXPECT_EQ(m().planets.at(2).name, "B");  // renumbered without gaps
    EXPECT_EQ(m().count(ObjectKind::Planet), 2);
    EXPECT_EQ(placed[3].kind, ObjectKind::Ship);
    EXPECT_EQ(placed[3].index, 1);
}

TEST_F(SystemFileTest, EveryFieldSurvivesASaveAndOpen) {
    m().ResetTables();
    m().currentSystemName = "Sol";
    const int p = addPlanet("Terra");
    auto& pl = m().planets.at(p);
    pl.type = "terran", pl.model = "earth", pl.x = -200000, pl.y = 199999, pl.z = -5;
    pl.orbitsAround = "Sol", pl.number = 7, pl.diameter = 1200, pl.owner = "Empire2";
    pl.race = "kariak", pl.population = 321, pl.marker = {492, 0};
    int i = m().AllocateIndex(ObjectKind::Asteroid);
    m().asteroids.at(i) = AsteroidRecord{};
    auto& a = m().asteroids.at(i);
    a.type = "MineableAsteroid2", a.x = 1, a.y = 2, a.z = 3, a.capacity = 777, a.marker = {10, 20};
    i = m().AllocateIndex(ObjectKind::Wreck);
    m().wrecks.at(i) = WreckRecord{};
    auto& w = m().wrecks.at(i);
    w.type = "wreck1", w.value = -4, w.marker = {5, 6};
    i = m().AllocateIndex(ObjectKind::Nebula);
    m().nebulae.at(i) = NebulaRecord{};
    m().nebulae.at(i).type = "cloud1";
    m().nebulae.at(i).x = 9;
    i = m().AllocateIndex(ObjectKind::Ship);
    m().ships.at(i) = ShipRecord{};
    auto& sh = m().ships.at(i);
    sh.name = "Ship1", sh.owner = "Empire8", sh.type = "_D_P_MilitaryBase", sh.deployed = 1;
    sh.rank = 9, sh.numberOfShips = 1, sh.marker = {100, 200};

    SaveSystem(file("all.sdf"), "Sol", "Redsun", "Background13", "1.5", m());
    auto back = std::make_unique<SystemModel>();
    const SystemHeader h = OpenSystem(file("all.sdf"), *back);
    EXPECT_EQ(h.sunName, "Sol");
    EXPECT_EQ(h.sunType, "Redsun");
    EXPECT_EQ(h.background, "Background13");
    EXPECT_EQ(h.scale, "1.5");
    const auto& q = back->planets.at(1);
    EXPECT_EQ(q.type, "terran");
    EXPECT_EQ(q.model, "earth");
    EXPECT_EQ((std::vector<int>{q.x, q.y, q.z, q.number, q.diameter, q.population, q.marker.x,
                                q.marker.y}),
              (std::vector<int>{-200000, 199999, -5, 7, 1200, 321, 492, 0}));
    EXPECT_EQ(q.orbitsAround, "Sol");
    EXPECT_EQ(q.owner, "Empire2");
    EXPECT_EQ(q.race, "kariak");
    EXPECT_EQ(back->asteroids.at(1).capacity, 777);
    EXPECT_EQ(back->asteroids.at(1).z, 3);
    EXPECT_EQ(back->wrecks.at(1).value, -4);
    EXPECT_EQ(back->nebulae.at(1).type, "cloud1");
    EXPECT_EQ(back->nebulae.at(1).x, 9);
    const auto& s2 = back->ships.at(1);
    EXPECT_EQ(s2.owner, "Empire8");
    EXPECT_EQ(s2.type, "_D_P_MilitaryBase");
    EXPECT_EQ((std::vector<int>{s2.deployed, s2.rank, s2.numberOfShips, s2.marker.y}),
              (std::vector<int>{1, 9, 1, 200}));
    EXPECT_TRUE(back->IsLive(ObjectKind::Ship, 1));
}

TEST_F(SystemFileTest, TextsAreCutToTheFileFieldThenToTheTableField) {
    m().ResetTables();
    int j = m().AllocateIndex(ObjectKind::JumpNode);
    m().jumpNodes.at(j) = JumpNodeRecord{};
    m().jumpNodes.at(j).leadsTo = "Alpha_CentauriJumpnode12";
    const int p = addPlanet("P");
    m().planets.at(p).type = "gas_giant_extra_large_model";
    int s = m().AllocateIndex(ObjectKind::Ship);
    m().ships.at(s) = ShipRecord{};
    m().ships.at(s).type = "_H_P_Fighter";
    m().ships.at(s).name = "HPCORVETTETURRET7";
    SaveSystem(file("cut.sdf"), "Sol", "Sun", "Background1", "0.7", m());
    OpenSystem(file("cut.sdf"), m());
    EXPECT_EQ(m().jumpNodes.at(1).leadsTo, "Alpha_CentauriJumpno");
    EXPECT_EQ(m().planets.at(1).type, "gas_giant_extra_larg");
    EXPECT_EQ(m().ships.at(1).name, "HPCORVETTETURRET7");
}

TEST_F(SystemFileTest, HeaderIsTheFirstRecordAndUnknownTagsAreSkipped) {
    SdfRecord header = rec("planet", "St. John's");
    header.textA = "Bluesun";
    SdfRecord node = rec("jumpnode", "0");
    node.textA = "WrongJumpnode99";
    writeRecords(file("h.sdf"), {header, rec("planet", "One"), rec("comet", "x"),
                                 rec("planet", "Two"), node, rec("SUN", "y"), node});
    const SystemHeader h = OpenSystem(file("h.sdf"), m());
    EXPECT_EQ(h.sunName, "St. John's");
    EXPECT_EQ(h.sunType, "Bluesun");
    EXPECT_EQ(m().count(ObjectKind::Planet), 2);
    EXPECT_EQ(m().planets.at(1).name, "One");
    EXPECT_EQ(m().planets.at(2).name, "Two");
    EXPECT_EQ(m().jumpNodes.at(2).nodeId, "St__John_sJumpnode2");
    EXPECT_EQ(m().currentSystemName, "St. John's");
    // ReadJumpNodes reports the stored ids as they are, in file order.
    EXPECT_EQ(ReadJumpNodes(file("h.sdf")),
              (std::vector<JumpNodeLink>{{"WrongJumpnode99", "0"}, {"WrongJumpnode99", "0"}}));
}

TEST_F(SystemFileTest, NodeIdsFollowTheHeaderSunName) {
    std::vector<SdfRecord> records{rec("sun", "St. John's")};
    for (int i = 0; i < 12; ++i) records.push_back(rec("jumpnode", "0"));
    writeRecords(file("n.sdf"), records);
    OpenSystem(file("n.sdf"), m());
    EXPECT_EQ(m().jumpNodes.at(12).nodeId, "St__John_sJumpnode12");
    m().RenameSystem("Other");
    SaveSystem(file("n2.sdf"), "Other", "Sun", "B", "0.7", m());
    EXPECT_EQ(ReadJumpNodes(file("n2.sdf")).at(11).nodeId, "St__John_sJumpnode12");
}

struct BadFileCase {
    const char* name;
    std::size_t goodRecords;  // whole planet records after the header
    std::size_t extraBytes;
    const char* badMarker;  // non-null: one more planet with this marker text
    bool noFile;
    const char* messagePart;
    int planetsLoaded;
};

class SystemFileFailure : public SystemFileTest,
                          public ::testing::WithParamInterface<BadFileCase> {};

TEST_P(SystemFileFailure, NamesTheFileAndKeepsEarlierRecords) {
    const BadFileCase& c = GetParam();
    const std::string path = file("bad.sdf");
    if (!c.noFile) {
        std::vector<SdfRecord> records;
        if (c.goodRecords > 0 || c.badMarker) records.push_back(rec("sun", "Sol"));
        for (std::size_t i = 0; i < c.goodRecords; ++i) records.push_back(rec("planet", "P"));
        if (c.badMarker) {
            SdfRecord bad = rec("planet", "Bad");
            bad.markerY = c.badMarker;
            records.push_back(bad);
            records.push_back(rec("planet", "After"));
        }
        writeRecords(path, records, c.extraBytes);
    }
    // Stale records from before must not survive the reset.
    addPlanet("Stale");
    try {
        OpenSystem(path, m());
        FAIL() << "no error";
    } catch (const std::exception& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find(path), std::string::npos) << what;
        EXPECT_NE(what.find(c.messagePart), std::string::npos) << what;
    }
    EXPECT_EQ(m().count(ObjectKind::Planet), c.planetsLoaded);
    EXPECT_FALSE(m().IsLive(ObjectKind::Planet, c.planetsLoaded + 1));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SystemFileFailure,
    ::testing::Values(
        BadFileCase{"Missing", 0, 0, nullptr, true, "open", 0},
        BadFileCase{"Empty", 0, 0, nullptr, false, "end of file", 0},
        BadFileCase{"PartialLast", 2, 100, nullptr, false, "partial record", 2},
        BadFileCase{"PartialHeader", 0, 100, nullptr, false, "partial record", 0},
        BadFileCase{"BadMarker", 1, 0, "ab", false, "'ab' is not a valid integer value", 1},
        BadFileCase{"EmptyMarker", 0, 0, "", false, "'' is not a valid integer value", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Where each kind's values sit in its record, stated apart from the kind
// table: a text as its length byte and characters, a number as 4 bytes little
// endian, the flag as one byte.
TEST_F(SystemFileTest, EachKindsFieldsSitWhereTheFileKeepsThem) {
    using Value = std::variant<std::string, std::int32_t, std::uint8_t>;
    struct Case {
        ObjectKind kind;
        std::function<void(SystemModel&, int)> fill;
        std::vector<std::pair<std::size_t, Value>> at;
    };
    const Case cases[] = {
        {ObjectKind::Planet,
         [](SystemModel& m, int i) {
             auto& p = m.planets.at(i);
             p.name = "Terra", p.type = "terran", p.model = "earth", p.orbitsAround = "Sol";
             p.number = 7, p.diameter = 1200, p.owner = "Empire2", p.race = "kariak";
             p.population = -321;
         },
         {{0, "planet"},
          {46, "Terra"},
          {67, "terran"},
          {516, "earth"},
          {328, "Sol"},
          {452, 7},
          {508, 1200},
          {201, "Empire2"},
          {456, "kariak"},
          {512, -321}}},
        {ObjectKind::MicroAsteroid,
         [](SystemModel& m, int i) { m.microAsteroids.at(i).type = "ma"; },
         {{0, "microasteroids"}, {46, "ma"}}},
        {ObjectKind::Asteroid,
         [](SystemModel& m, int i) {
             m.asteroids.at(i).type = "MineableAsteroid2", m.asteroids.at(i).capacity = 77;
         },
         {{0, "asteroid"}, {46, "MineableAsteroid2"}, {196, 77}}},
        {ObjectKind::Wreck,
         [](SystemModel& m, int i) { m.wrecks.at(i).type = "w1", m.wrecks.at(i).value = -4; },
         {{0, "wreckage"}, {46, "w1"}, {196, -4}}},
        {ObjectKind::Nebula,
         [](SystemModel& m, int i) { m.nebulae.at(i).type = "cloud1"; },
         {{0, "nebulaes"}, {46, "cloud1"}}},
        {ObjectKind::JumpNode,
         [](SystemModel& m, int i) {
             m.jumpNodes.at(i).leadsTo = "VegaJumpnode3", m.jumpNodes.at(i).nodeId = "SolJumpnode1";
         },
         {{0, "jumpnode"}, {46, "VegaJumpnode3"}, {67, "SolJumpnode1"}}},
        {ObjectKind::Ship,
         [](SystemModel& m, int i) {
             auto& s = m.ships.at(i);
             s.name = "Ship1", s.owner = "Empire8", s.type = "_D_P_MilitaryBase";
             s.deployed = 1, s.rank = 9, s.numberOfShips = 3;
         },
         {{0, "ship"},
          {46, "Ship1"},
          {201, "Empire8"},
          {67, "_D_P_MilitaryBase"},
          {200, std::uint8_t{1}},
          {324, 9},
          {452, 3}}},
    };
    for (const Case& c : cases) {
        m().ResetTables();
        const int i = m().AllocateIndex(c.kind);
        m().withTable(c.kind, [&](auto& table) {
            table.at(i) = std::remove_cvref_t<decltype(table.at(i))>{};
        });
        c.fill(m(), i);
        const std::string bytes = EncodeSystem("Sol", "Sun", "Background1", "0.7", m());
        ASSERT_EQ(bytes.size(), 2 * kSdfRecordSize) << kindName(c.kind);
        const std::string object = bytes.substr(kSdfRecordSize);
        for (const auto& [offset, value] : c.at) {
            std::string expected;
            if (const auto* text = std::get_if<std::string>(&value))
                expected = static_cast<char>(text->size()) + *text;
            else if (const auto* byte = std::get_if<std::uint8_t>(&value))
                expected = std::string(1, static_cast<char>(*byte));
            else
                for (int k = 0; k < 4; ++k)
                    expected += static_cast<char>(
                        (static_cast<std::uint32_t>(std::get<std::int32_t>(value)) >> (8 * k)) &
                        0xFF);
            EXPECT_EQ(object.substr(offset, expected.size()), expected)
                << kindName(c.kind) << " at offset " << offset;
        }
    }
}

TEST_F(SystemFileTest, MoreThanAThousandOfOneKindStopsWithTheKind) {
    std::vector<SdfRecord> records{rec("sun", "Sol")};
    for (int i = 0; i < 3; ++i) records.push_back(rec("ship", "S"));
    for (int i = 0; i < kTableCapacity + 1; ++i) records.push_back(rec("wreckage", "wreck1"));
    writeRecords(file("big.sdf"), records);
    try {
        OpenSystem(file("big.sdf"), m());
        FAIL() << "no error";
    } catch (const TableFullError& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find(file("big.sdf")), std::string::npos) << what;
        EXPECT_NE(what.find("more than 1000 wrecks, more than a system can hold; the designer "
                            "cannot open it"),
                  std::string::npos)
            << what;
        EXPECT_EQ(what.find("loaded"), std::string::npos) << what;
    }
    EXPECT_EQ(m().count(ObjectKind::Wreck), kTableCapacity);
    EXPECT_TRUE(m().IsLive(ObjectKind::Wreck, kTableCapacity));
    EXPECT_EQ(m().count(ObjectKind::Ship), 3);
}

TEST_F(SystemFileTest, FailedSaveLeavesTheOldFile) {
    m().ResetTables();
    SaveSystem(file("keep.sdf"), "Old", "Sun", "Background1", "0.7", m());
    const std::string before = readBytes(file("keep.sdf"));
    // A directory where the temporary file would go cannot be written: make the
    // target's folder read-only (skipped when running as a user that ignores modes).
    fs::permissions(dir_.root(), fs::perms::owner_read | fs::perms::owner_exec);
    const bool enforced = !std::ofstream(file("probe")).is_open();
    if (enforced) {
        EXPECT_THROW(SaveSystem(file("keep.sdf"), "New", "Sun", "B", "0.7", m()), IoError);
        EXPECT_EQ(readBytes(file("keep.sdf")), before);
    }
    fs::permissions(dir_.root(), fs::perms::owner_all);
    EXPECT_THROW(SaveSystem(file("no/such/dir.sdf"), "New", "Sun", "B", "0.7", m()), IoError);
}

}  // namespace
