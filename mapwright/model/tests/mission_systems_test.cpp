#include <gtest/gtest.h>

#include <regex>

#include "mission/mission_generator.h"
#include "mission/mission_random.h"
#include "model_test_support.h"

using namespace mw;
using namespace model_test;

namespace {

/// Section names drawn from the random source, replaced by '#'.
std::string withoutRandomNames(const std::string& text) {
    static const std::regex numbered(
        R"(\[(microasteroids|mineableasteroid|nebulae|wreck|ship)\d+\])");
    return std::regex_replace(text, numbered, "[$1#]");
}

SdfRecord planet(std::string_view name, std::string_view orbits, int x, int y, int z) {
    SdfRecord r = object(sdf_tag::kPlanet, name, x, y, z);
    r.textC = orbits;
    return r;
}

SdfRecord ship(std::string_view type, std::string_view owner, bool deployed, int rank, int ships) {
    SdfRecord r = object(sdf_tag::kShip, "Guard", 7, -8, 9);
    r.textA = type;
    r.textB = owner;
    r.flag = deployed ? 1 : 0;
    r.rank = rank;
    r.number = ships;
    return r;
}

// The fixed hyperspace system as it stands inside Solar systems.
const std::string kHyperSpace = R"(
  [HyperSpace]
  {
    Base = "SolarSystem"
    Real = 0
)" + nameBlockText("HyperSpace", 2) +
                                R"(
    [Entities]
    {
      [background]
      {
        Base = "HyperSpaceBack"
        Owner = "NONE"
        Race = "NONE"
        Pos = -19754, -10469, 6341
        Rot = 0, 0, 0, 0
        Scale = 1, 1, 1
      }
    }
  })";

std::string routeOf(const std::string& text, std::string_view system, std::string_view nodeId) {
    const std::string sys = section(text, std::string(system) + " system", 1);
    const std::string node = section(sys, nodeId, 2);
    const std::string key = "english = \"";
    const std::size_t pos = node.find(key);
    if (pos == std::string::npos) return "<no node section>";
    const std::size_t start = pos + key.size();
    return node.substr(start, node.find('"', start) - start);
}

}  // namespace

TEST(MissionSystems, EveryObjectKindInFileOrder) {
    vk_test::ScratchDir dir;
    SdfRecord terra = planet("Terra", "Sol", -120, 0, 35);
    terra.textA = "terran";
    terra.textE = "t2";
    terra.textB = "Empire1";
    terra.textD = "Human";
    terra.diameter = 12000;
    terra.population = 5000;
    SdfRecord luna = planet("Luna", "Terra", 10, 20, 30);
    luna.textA = "lifeless";
    luna.textE = "moon";
    luna.textB = "None";
    luna.diameter = 3000;
    SdfRecord asteroid = object(sdf_tag::kAsteroid, "Asteroid03", 1, 2, 3);
    asteroid.amount = 750;
    SdfRecord wreck = object(sdf_tag::kWreck, "Wreck1", -1, -2, -3);
    wreck.amount = -300;
    writeDesignFile(
        dir.path("sol.sdf"),
        {sunRecord("Sol", "Bluesun", "Background3", "1.25"), terra, luna,
         object(sdf_tag::kMicroAsteroids, "MicroAsteroids_kozep", -5, 6, -7),
         object("comet", "Halley", 0, 0, 0),
         object(sdf_tag::kMicroAsteroids, "MicroAsteroids_nagy", 0, 0, 0), asteroid,
         object(sdf_tag::kNebula, "Nebula2", 4, 5, 6), wreck,
         jumpNode("SolJumpnode1", "VegaJumpnode1"), ship("HPCORVETTE", "Empire2", true, 3, 5),
         ship("HPFRIGATE", "Empire1", false, 0, 2)});
    writeDesignFile(dir.path("vega.sdf"),
                    {sunRecord("Vega"), jumpNode("VegaJumpnode1", "SolJumpnode1")});
    const std::string text = GenerateMissionInfText(
        mapOf({{"Sol", dir.path("sol.sdf")}, {"Vega", dir.path("vega.sdf")}}), 11u);

    const std::string expected = inf(R"(
[Sol system]
{
  Base = "SolarSystem"
  Ambient = 40, 80, 105
  Sun = "Sol"
)" + nameBlockText("Sol system", 1) + R"(
  [PointLight]
  {
    Diffuse = 255, 180, 100
    Specular = 250, 220, 215
    Position = 33801, 3575, 10000
  }
  [Entities]
  {
    [background]
    {
      Base = "Background3"
      Owner = "NONE"
      Race = "NONE"
      Pos = 35782, 23839, 35687
      Rot = 0, 0, 0, 0
      Scale = 100, 100, 100
    }
    [Sol]
    {
      Base = "Bluesun"
      Owner = "NONE"
      Scale = 1.25,1.25,1.25
      Pos = 0, 0, 0
      Rot = 0, 0, 0, 0
)" + nameBlockText("Sol", 3) + R"(
      [AutoRotation]
      {
        RotateSpeed = 0
        RotateAxis = 0, 0, 0
      }
    }
    [Terra]
    {
      Base = "Planet"
      Type = "terran"
      PlanetModelInfoName = "t2"
      Owner = "Empire1"
      Race = "Human"
      Pos = -120,0,35
      Diameter = 12000
      Population = 5000
      OrbitsAround = "Sol"
      Rot = 0, 0, 0, 0
      Scale = 9.5, 9.5, 9.5
)" + nameBlockText("Terra", 3) + R"(
      [AutoRotation]
      {
        RotateSpeed = 1
        RotateAxis = 0, 0, 1
      }
    }
    [Luna]
    {
      Base = "PlanetMoon"
      Type = "lifeless"
      PlanetModelInfoName = "moon"
      Owner = "None"
      Race = ""
      Pos = 10,20,30
      Diameter = 3000
      Population = 0
      OrbitsAround = "Terra"
      Rot = 0, 0, 0, 0
      Scale = 4.5, 4.5, 4.5
)" + nameBlockText("Luna", 3) + R"(
      [AutoRotation]
      {
        RotateSpeed = 1
        RotateAxis = 0, 0, 1
      }
    }
    [microasteroids#]
    {
      Base = "MicroAsteroids_kozepes"
      Owner = "NONE"
      Pos = -5, 6, -7
      Rot = -1, 0, 0, 38
      Scale = 1, 1, 1
)" + zeroNameBlockText(3) + R"(
    }
    [microasteroids#]
    {
      Base = "MicroAsteroids_nagy"
      Owner = "NONE"
      Pos = 0, 0, 0
      Rot = -1, 0, 0, 38
      Scale = 1, 1, 1
)" + zeroNameBlockText(3) + R"(
    }
    [mineableasteroid#]
    {
      Base = "Asteroid03"
      Capacity = 750
      Owner = "NONE"
      Pos = 1,2,3
      Rot = 0, 0, 0, 0
      Scale = 0.2, 0.16, 0.15
)" + zeroNameBlockText(3) + R"(
      [AutoRotation]
      {
        RotateSpeed = 3
        RotateAxis = 0, 0.6, -1
      }
    }
    [nebulae#]
    {
      Base = "Nebula2"
      Owner = "NONE"
      Pos = 4,5,6
      Rot = 0, 0, 0, 0
      Scale = 1, 1, 1
)" + zeroNameBlockText(3) + R"(
    }
    [wreck#]
    {
      Base = "Wreck1"
      Owner = "NONE"
      Money = -300
      Pos = -1,-2,-3
      Rot = -0.9, -0.3, 0.2, 44
      Scale = 1, 1, 1
)" + zeroNameBlockText(3) + R"(
      [AutoRotation]
      {
        RotateSpeed = 3
        RotateAxis = 1, 0, 1
      }
    }
    [SolJumpnode1]
    {
      Base = "JumpNode"
      Owner = "NONE"
      OtherNode = "VegaJumpnode1"
      TravelTime = "Normal"
      Pos = 1,2,3
      Rot = 0, 0, 0, 0
      Scale = 1, 1, 1
      AlreadyUsed = 1
)" + nameBlockText("Sol >> Vega", 3) +
                                     R"(
    }
    [ship#]
    {
      Base = "HPCORVETTE"
      CanRefill = 1
      Owner = "Empire2"
      Pos = 7,-8,9
      Formation = "WEDGE3D"
      NeededNumberOfShips = 5
      DisableAIControl = 0
      Hidden = 0
      PathFinding = 1
      TestUnit = 0
      Rot = 0, 0, 0, 0
      Scale = 1, 1, 1
      Deployed = 1
      Rank = 3
)" + zeroNameBlockText(3) + R"(
    }
    [ship#]
    {
      Base = "HPFRIGATE"
      CanRefill = 1
      Owner = "Empire1"
      Pos = 7,-8,9
      Formation = "WEDGE3D"
      NeededNumberOfShips = 2
      DisableAIControl = 0
      Hidden = 0
      PathFinding = 1
      TestUnit = 0
      Rot = 0, 0, 0, 0
      Scale = 1, 1, 1
      Rank = 0
)" + zeroNameBlockText(3) + R"(
    }
  }
})");
    EXPECT_EQ(withoutRandomNames(section(text, "Sol system", 1)), expected);

    // Both systems, in slot order, before the hyperspace system.
    const std::string systems = section(text, "Solar systems", 0);
    EXPECT_TRUE(systems.starts_with(
        "[Solar systems]\r\n{\r\n\tVersion=2\r\n\tVersion=2\r\n\t[Sol system]\r\n"));
    const std::size_t vega = systems.find("\n\t[Vega system]\r\n");
    const std::size_t hyper = systems.find("\n\t[HyperSpace]\r\n");
    EXPECT_LT(systems.find("\n\t[Sol system]\r\n"), vega);
    EXPECT_LT(vega, hyper);
    EXPECT_TRUE(systems.ends_with(inf(kHyperSpace + "\n}")));
}

TEST(MissionSystems, EmptyMapHoldsOnlyHyperSpace) {
    const std::string text = GenerateMissionInfText(mapOf({}), 3u);
    EXPECT_EQ(section(text, "Solar systems", 0), inf("[Solar systems]\n{" + kHyperSpace + "\n}"));
}

struct RouteCase {
    const char* what;
    const char* solLeadsTo;
    std::vector<std::pair<const char*, const char*>> vegaNodes;  // id, leads to
    const char* solRoute;
};

class MissionRoutes : public ::testing::TestWithParam<RouteCase> {};

TEST_P(MissionRoutes, RouteNameFromTheOtherSystem) {
    const RouteCase& c = GetParam();
    vk_test::ScratchDir dir;
    writeDesignFile(dir.path("sol.sdf"), {sunRecord("Sol"), jumpNode("SolJumpnode1", c.solLeadsTo),
                                          jumpNode("SolJumpnode2", "0")});
    std::vector<SdfRecord> vega = {sunRecord("Vega")};
    for (const auto& [id, leadsTo] : c.vegaNodes) vega.push_back(jumpNode(id, leadsTo));
    writeDesignFile(dir.path("vega.sdf"), vega);
    const std::string text = GenerateMissionInfText(
        mapOf({{"Sol", dir.path("sol.sdf")}, {"Vega", dir.path("vega.sdf")}}), 1u);
    EXPECT_EQ(routeOf(text, "Sol", "SolJumpnode1"), c.solRoute);
    EXPECT_EQ(routeOf(text, "Sol", "SolJumpnode2"), "0");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MissionRoutes,
    ::testing::Values(
        RouteCase{"matched", "VegaJumpnode1", {{"VegaJumpnode1", "SolJumpnode1"}}, "Sol >> Vega"},
        RouteCase{"unmatched", "Nowhere", {{"VegaJumpnode1", "SolJumpnode1"}}, "0"},
        RouteCase{"no link", "0", {{"VegaJumpnode1", "0"}}, "0"},
        // The stored leads-to keeps 20 characters and then matches nothing.
        RouteCase{
            "cut", "Alpha_CentauriJumpnode12", {{"Alpha_CentauriJumpnode12", "SolJumpnode1"}}, "0"},
        // A node of the same system is no route.
        RouteCase{"own system", "SolJumpnode2", {{"VegaJumpnode1", "0"}}, "0"}),
    [](const auto& info) {
        std::string n = info.param.what;
        for (char& ch : n)
            if (ch == ' ') ch = '_';
        return n;
    });

TEST(MissionSystems, RoutesBothWaysAndBeyondTwoHundredNodes) {
    vk_test::ScratchDir dir;
    writeDesignFile(dir.path("sol.sdf"),
                    {sunRecord("Sol"), jumpNode("A", "B"), jumpNode("L", "V250")});
    std::vector<SdfRecord> vega = {sunRecord("Vega"), jumpNode("B", "A")};
    for (int i = 1; i <= 250; ++i) vega.push_back(jumpNode("V" + std::to_string(i), "0"));
    writeDesignFile(dir.path("vega.sdf"), vega);
    const std::string text = GenerateMissionInfText(
        mapOf({{"Sol", dir.path("sol.sdf")}, {"Vega", dir.path("vega.sdf")}}), 1u);
    EXPECT_EQ(routeOf(text, "Sol", "A"), "Sol >> Vega");
    EXPECT_EQ(routeOf(text, "Vega", "B"), "Vega >> Sol");
    EXPECT_EQ(routeOf(text, "Sol", "L"), "Sol >> Vega");  // the 252nd node of the map
}

TEST(MissionRandom, SectionNumbersStayInTheirRanges) {
    MissionRandom random(9u);
    int maxSmall = 0, maxLarge = 0;
    for (int i = 0; i < 20000; ++i) {
        const int small = random.upTo(998);
        const int large = random.upTo(9998);
        ASSERT_GE(small, 0);
        ASSERT_GE(large, 0);
        maxSmall = std::max(maxSmall, small);
        maxLarge = std::max(maxLarge, large);
    }
    EXPECT_EQ(maxSmall, 998);
    EXPECT_LE(maxLarge, 9998);
    EXPECT_GT(maxLarge, 9000);

    MissionRandom a(77u), b(77u);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(a.upTo(9998), b.upTo(9998));
}
