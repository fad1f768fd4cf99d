#include "mission/mission_generator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "common/errors.h"
#include "model_test_support.h"

using namespace mw;
using namespace model_test;

namespace {

std::string generate(const MapProjectRecord& map) {
    return GenerateMissionInfText(map, 7u);
}

std::string emptyMapText(int empires = 2) {
    return generate(mapOf({}, empires));
}

}  // namespace

struct HeaderCase {
    int empires;
    const char* names;
};

class MissionHeader : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(MissionHeader, ThirteenLinesBeforePlanetTypes) {
    MapProjectRecord map = mapOf({}, GetParam().empires);
    map.mapName = "Twin Stars";
    map.description = "Two stars, one winner";
    const std::string text = generate(map);
    const std::string expected = inf(std::string(R"(
MultiPlayerName = "Twin Stars"
MultiPlayerDesc = "Two stars, one winner"
PlayerEmpireName = )") + GetParam().names +
                                     R"(
NextLevelName = ""
Script = ""
WinAutomaticly = 1
TransferNeededToSave = 0
TransferNeededToSelect = 0
TransferSquadsNr = 0
TransferHeroesNr = 0
PlayerSolarSystem = ""
PlayerStartPos = 0, 0, 0
LevelNr = 100
[Planet types])");
    EXPECT_EQ(text.substr(0, expected.size()), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, MissionHeader,
    ::testing::Values(
        HeaderCase{2, R"("Empire1", "Empire2")"},
        HeaderCase{4, R"("Empire1", "Empire2", "Empire3", "Empire4")"},
        HeaderCase{
            8,
            R"("Empire1", "Empire2", "Empire3", "Empire4", "Empire5", "Empire6", "Empire7", "Empire8")"}));

TEST(MissionHeader, EmptyTextsAndLongDescriptionAreWrittenWhole) {
    MapProjectRecord map = mapOf({});
    EXPECT_NE(generate(map).find("MultiPlayerName = \"\"\r\nMultiPlayerDesc = \"\"\r\n"),
              std::string::npos);

    map.description = std::string(254, 'd') + "!";
    const std::string text = generate(map);
    const std::string line = "MultiPlayerDesc = \"" + std::string(254, 'd') + "!\"\r\n";
    ASSERT_EQ(line.size(), 275u + 2u);
    EXPECT_NE(text.find("\n" + line), std::string::npos);
}

TEST(MissionHeader, DamagedEmpireCountStaysBounded) {
    // A count no loader should hand over must neither run away nor read past the records.
    EXPECT_NE(emptyMapText(-3).find("PlayerEmpireName = \r\n"), std::string::npos);
    const std::string text = emptyMapText(100000);
    EXPECT_NE(text.find(R"("Empire7", "Empire8")"
                        "\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("Empire9"), std::string::npos);
    EXPECT_EQ(section(text, "Empire1", 1), "");
}

struct ModelCase {
    const char* type;
    const char* model;
    const char* expected;
};

class MissionPlanetModel : public ::testing::TestWithParam<ModelCase> {};

TEST_P(MissionPlanetModel, KeysInTheirOrder) {
    const std::string types = section(emptyMapText(), "Planet types", 0);
    const std::string type = section(types, GetParam().type, 1);
    const std::string models = section(type, "PlanetModelInfo", 1);
    EXPECT_EQ(section(models, GetParam().model, 1), inf(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Orders, MissionPlanetModel,
                         ::testing::Values(ModelCase{"LIFELESS", "t1", R"(
[t1]
{
  modelname = "planet_viz"
  IsSpecialPlanetInfo = 0
  Ambientcolor = 143, 125, 59
  Ambientradiusmultiplier = 10
  DiffuseTexture = "planets/elttelen08.tga"
  CloudTexture = "planetcloud.tga"
  LightMapTexture = "CityLights0.tga"
  LightLoopTexture = "PlanetLuminosity0.tga"
  Cloud0State = 1
  Cloud1State = 1
  GlowState = 1
  GlowColor = 111, 122, 76
})"},
                                           ModelCase{"LIFELESS", "mercury", R"(
[mercury]
{
  modelname = "planet_norm"
  IsSpecialPlanetInfo = 1
  Ambientcolor = 102, 70, 40
  Ambientradiusmultiplier = 30
  DiffuseTexture = "planets/mercury.tga"
  CloudTexture = "planetcloud.tga"
  LightMapTexture = "CityLights0.tga"
  LightLoopTexture = "PlanetLuminosity0.tga"
  GlowState = 1
  GlowColor = 156, 138, 103
  Cloud0State = 0
  Cloud1State = 0
})"},
                                           ModelCase{"DESERT", "t1", R"(
[t1]
{
  modelname = "planet_norm"
  IsSpecialPlanetInfo = 0
  DiffuseTexture = "planets/sivatag04.tga"
  CloudTexture = "planetcloud.tga"
  Ambientcolor = 161, 147, 139
  Ambientradiusmultiplier = 10
  LightMapTexture = "CityLights0.tga"
  LightLoopTexture = "PlanetLuminosity0.tga"
  Cloud0State = 0
  Cloud1State = 0
  GlowState = 1
  GlowColor = 50, 65, 80
})"},
                                           ModelCase{"ARCTIC", "europa", R"(
[europa]
{
  modelname = "planet_norm"
  IsSpecialPlanetInfo = 1
  DiffuseTexture = "planets/europa.tga"
  CloudTexture = "planetcloud.tga"
  Ambientcolor = 143, 125, 110
  Ambientradiusmultiplier = 10
  LightMapTexture = "CityLights0.tga"
  LightLoopTexture = "PlanetLuminosity0.tga"
  GlowState = 0
  GlowColor = 0, 0, 0
  Cloud0State = 0
  Cloud1State = 0
})"},
                                           ModelCase{"ROCKY", "t1", R"(
[t1]
{
  modelname = "planet_viz"
  IsSpecialPlanetInfo = 0
  DiffuseTexture = "planets/sziklas01.tga"
  Ambientcolor = 91, 82, 74
  Ambientradiusmultiplier = 10
  CloudTexture = "planetcloud.tga"
  LightMapTexture = "CityLights0.tga"
  LightLoopTexture = "PlanetLuminosity0.tga"
  Cloud0State = 1
  Cloud1State = 1
  GlowState = 1
  GlowColor = 88, 120, 110
})"}));

TEST(MissionPlanetTypes, GaiaSectionWithBothAmbientLines) {
    const std::string types = section(emptyMapText(), "Planet types", 0);
    EXPECT_EQ(section(types, "GAIA", 1), inf(R"(
[GAIA]
{
  ID = 11
  Base = "PlanetType"
  [human]
  {
    PopulationModifier = 125
    TerraformLevel = 5
    ColonisationInventionNeeded = "Gns_bas00"
  }
  [kariak]
  {
    PopulationModifier = 50
    TerraformLevel = 1
    TerraformWantedTarget = "FOREST"
    ColonisationInventionNeeded = "bio_adv08"
  }
  [darzok]
  {
    PopulationModifier = 20
    TerraformLevel = 1
    ColonisationInventionNeeded = "bio_adv08"
  }
  [PlanetModelInfo]
  {
    [t1]
    {
      modelname = "planet_viz"
      IsSpecialPlanetInfo = 0
      Ambientcolor = 25, 70, 50
      Ambientradiusmultiplier = 10
      DiffuseTexture = "planets/gaia01.tga"
      CloudTexture = "planetcloud.tga"
      Ambientcolor = 89, 120, 128
      Ambientradiusmultiplier = 10
      LightMapTexture = "CityLights0.tga"
      LightLoopTexture = "PlanetLuminosity0.tga"
      Cloud0State = 1
      Cloud1State = 1
      GlowState = 1
      GlowColor = 53, 124, 165
    }
  }
)" + nameBlockText("#iINF_12#", 1) + "\n}"));
}

TEST(MissionPlanetTypes, ThirteenTypesInOrderWithTheirModels) {
    const std::string types = section(emptyMapText(), "Planet types", 0);
    const struct {
        const char* name;
        int models;
    } expected[] = {{"LIFELESS", 17}, {"ACID", 3},   {"VOLCANIC", 5}, {"ROCKY", 8},  {"DESERT", 4},
                    {"ARCTIC", 5},    {"PLAINS", 3}, {"SWAMP", 2},    {"FOREST", 1}, {"OCEAN", 3},
                    {"TERRAN", 5},    {"GAIA", 1},   {"GAS_GIANT", 9}};
    std::size_t lastPos = 0;
    for (int id = 0; id < 13; ++id) {
        SCOPED_TRACE(expected[id].name);
        const std::string header = std::string("\r\n\t[") + expected[id].name + "]\r\n";
        const std::size_t pos = types.find(header);
        ASSERT_NE(pos, std::string::npos);
        EXPECT_GT(pos, lastPos);
        lastPos = pos;
        const std::string type = section(types, expected[id].name, 1);
        EXPECT_NE(
            type.find("{\r\n\tID = " + std::to_string(id) + "\r\n\tBase = \"PlanetType\"\r\n"),
            std::string::npos);
        const std::string models = section(type, "PlanetModelInfo", 1);
        int children = 0;  // model headers one level below PlanetModelInfo
        for (std::size_t p = models.find("\n\t["); p != std::string::npos;
             p = models.find("\n\t[", p + 1))
            ++children;
        EXPECT_EQ(children, expected[id].models);
    }
    const std::string firstType = section(types, "LIFELESS", 1);
    EXPECT_NE(firstType.find(inf(R"(
  [kariak]
  {
    PopulationModifier = 60
    TerraformLevel = 2
    TerraformWantedTarget = "ACID"
    ColonisationInventionNeeded = "bio_bas05"
  })")),
              std::string::npos);
}

TEST(MissionRaces, FourRacesWithTheirNameBlocks) {
    EXPECT_EQ(section(emptyMapText(), "Races", 0), inf(R"(
[Races]
{
  [NONE]
  {
    ID = 0
    Base = "Race"
    IsMainRace = 0
    PopulationBase = 0
  }
  [HUMAN]
  {
    ID = 1
    Base = "Race"
    IsMainRace = 1
    PopulationBase = 3000
)" + nameBlockText("Human", 2) + R"(
  }
  [KARIAK]
  {
    ID = 2
    Base = "Race"
    IsMainRace = 1
    PopulationBase = 2500
)" + nameBlockText("Kariak", 2) + R"(
  }
  [DARZOK]
  {
    ID = 3
    Base = "Race"
    IsMainRace = 1
    PopulationBase = 2500
    [Name]
    {
      english = "Darzok"
      german = "Darzok"
      dutch = "Darzok"
      french = "Darzok"
      italian = "Darzok"
      spanish = "Darzok"
      polish = "Darzok"
      extra1 = "Darzok"
      extra2 = "Darzok"
      extra3 = "Darzok"
      extra4 = "Darzok"
    }
  }
})"));
}

TEST(MissionEmpires, FixedEmpiresAroundThePlayers) {
    const std::string empires = section(emptyMapText(), "Empires", 0);
    EXPECT_EQ(section(empires, "NONE", 1), inf(R"(
[NONE]
{
  Race = "NONE"
  Base = "Empire"
  Logo = "gfx\\interface\\Ikonok\\Independent\\semleges_ikon.tga"
  LogoMdl = "gfx/interface/Ikonok/Independent/semleges.bmod"
  Maxfuel = 2
  Color = 128, 128, 128
  Flare = ""
  IsRealEmpire = 0
  IsRealEmpireOrIndependent = 0
  Money = 0
  [Invention states]
  {
  }
})"));
    EXPECT_EQ(section(empires, "Alien", 1), inf(R"(
[Alien]
{
  Race = "DARZOK"
  Base = "Empire"
  Logo = "gfx\\interface\\Ikonok\\Alien\\alien_ikon.tga"
  LogoMdl = "gfx/interface/Ikonok/Alien/Alien.bmod"
  MaxFuel = 2
  Color = 228, 0, 188
  Flare = ""
  CanSeeInfo = 0
  IsRealEmpire = 0
  IsRealEmpireOrIndependent = 1
  Money = 1000000
  SeenOnEmpireInfoScreen = 0
)" + nameBlockText("Alien empire", 1) + R"(
  [Invention states]
  {
    sh_bas21 = 5
    wmi_bas07 = 5
  }
})"));
    EXPECT_EQ(section(empires, "rndattackers", 1), inf(R"(
[rndattackers]
{
  Race = "HUMAN"
  Base = "Empire"
  Logo = "gfx\\interface\\Ikonok\\Independent\\semleges_ikon.tga"
  LogoMdl = "gfx/interface/Ikonok/Independent/semleges.bmod"
  MaxFuel = 2
  Color = 220, 210, 210
  Flare = ""
  IsRealEmpire = 1
  IsRealEmpireOrIndependent = 1
  IsRandomEmpire = 1
  Money = 200000
  SeenOnEmpireInfoScreen = 0
)" + nameBlockText("#iNEW_EMPIRE18#", 1) + R"(
  [AISettings]
  {
    ResearchPoints = 0
    ResearchList = "Game_inf/ResearchLists/HumanOccupancy.inf"
    [WaitTimeBeforeFirstAttack]
    {
      Easy = 100
      Medium = 50
      Difficult = 5
    }
  }
  [Invention states]
  {
  }
})"));
    EXPECT_EQ(section(empires, "INDEPENDENT", 1), inf(R"(
[INDEPENDENT]
{
  Race = "HUMAN"
  Base = "Empire"
  Logo = "gfx\\interface\\Ikonok\\Independent\\semleges_ikon.tga"
  LogoMdl = "gfx/interface/Ikonok/Independent/semleges.bmod"
  MaxFuel = 2
  Color = 93, 161, 197
  Flare = ""
  IsRealEmpire = 0
  IsRealEmpireOrIndependent = 1
  Money = 50000
  Neutral = "Empire1", "Empire2", "RndAttackers"
  SeenOnEmpireInfoScreen = 0
)" + nameBlockText("#iNEW_EMPIRE20#", 1) + R"(
  [Invention states]
  {
  }
})"));
}

TEST(MissionEmpires, PlayerSectionFromItsSetup) {
    MapProjectRecord map = mapOf({}, 4);
    EmpireSetup& e = map.empires[2];
    e.name = "Red Horde";
    e.aiMode = "Agressive";
    e.race = "Kariak";
    e.money = -5;
    e.team = "Team7";
    e.researchList = "Occupancy";
    e.maxSpyGroups = 3;
    e.maxShipGroups = 40;
    e.maxSpecialGroups = 9;
    const std::string empires = section(generate(map), "Empires", 0);
    EXPECT_EQ(section(empires, "Empire3", 1), inf(R"(
[Empire3]
{
  Base = "Empire"
  Logo = "gfx\\interface\\Ikonok\\Multiplayer3\\multiplayer_ikon.tga"
  LogoMdl = "gfx/interface/Ikonok/Multiplayer3/Multiplayer.bmod"
  MaxFuel = 2
  Color = 74, 74, 255
  Flare = ""
  IsRealEmpire = 1
  IsRealEmpireOrIndependent = 1
  Team = "Team7"
  Money = -5
  Race = "Kariak"
  MaxShipGroupNr = 40
  MaxSpyGroupNr = 3
  MaxSpecialGroupNr = 9
  CompletedResearchPoints = 0
  ResearchList = "Game_inf/ResearchLists/KariakOccupancy.inf"
  AIMode = "Agressive"
)" + nameBlockText("Red Horde", 1) + R"(
  [Invention states]
  {
  }
})"));
}

TEST(MissionEmpires, SectionOrderAndColoursPerCount) {
    const char* colours[] = {"246, 0, 0",    "64, 211, 64",  "74, 74, 255",  "214, 219, 45",
                             "52, 189, 186", "129, 43, 195", "158, 29, 120", "194, 144, 28"};
    for (int count : {2, 3, 4, 8}) {
        SCOPED_TRACE(count);
        const std::string empires = section(emptyMapText(count), "Empires", 0);
        const int players = count == 3 ? 0 : count;
        std::vector<std::string> order = {"NONE"};
        for (int k = 1; k <= players; ++k) order.push_back("Empire" + std::to_string(k));
        for (const char* s : {"Alien", "rndattackers", "INDEPENDENT"}) order.push_back(s);
        std::vector<std::string> found;
        for (std::size_t pos = empires.find("\n\t["); pos != std::string::npos;
             pos = empires.find("\n\t[", pos + 1))
            found.push_back(empires.substr(pos + 3, empires.find(']', pos) - pos - 3));
        EXPECT_EQ(found, order);
        for (int k = 1; k <= players; ++k)
            EXPECT_NE(section(empires, "Empire" + std::to_string(k), 1)
                          .find(std::string("\r\n\tColor = ") + colours[k - 1] + "\r\n"),
                      std::string::npos);
        EXPECT_NE(section(empires, "INDEPENDENT", 1)
                      .find("Neutral = \"Empire1\", \"Empire2\", \"RndAttackers\"\r\n"),
                  std::string::npos);
    }
}

TEST(MissionFile, OrderBracesAndLineEnds) {
    const std::string text = emptyMapText();
    std::size_t last = 0;
    for (const char* top : {"[Planet types]", "[Races]", "[Inventions]", "[Solar systems]",
                            "[Empires]", "[Heroes]"}) {
        const std::size_t pos = text.find(std::string("\n") + top + "\r\n");
        ASSERT_NE(pos, std::string::npos) << top;
        EXPECT_GT(pos, last) << top;
        last = pos;
    }
    EXPECT_NE(text.find("\n[Inventions]\r\n{\r\n}\r\n[Solar systems]\r\n"), std::string::npos);
    EXPECT_TRUE(text.ends_with("\n[Heroes]\r\n{\r\n}\r\n"));

    // Every line ends in CR LF, and the braces balance with the indentation.
    int depth = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        const std::string line = text.substr(start, end - start);
        ASSERT_EQ(line.find('\n'), std::string::npos);
        const std::size_t tabs = line.find_first_not_of('\t');
        const std::string body = line.substr(tabs);
        if (body == "}") --depth;
        ASSERT_GE(depth, 0);
        EXPECT_EQ(tabs, static_cast<std::size_t>(depth)) << line;
        if (body == "{") ++depth;
        start = end + 2;
    }
    EXPECT_EQ(depth, 0);
}

TEST(MissionFile, SameSeedSameBytes) {
    vk_test::ScratchDir dir;
    std::vector<SdfRecord> records = {sunRecord("Sol")};
    for (int i = 0; i < 20; ++i)
        records.push_back(object(sdf_tag::kMicroAsteroids, "MicroAsteroids01", i, i, i));
    writeDesignFile(dir.path("sol.sdf"), records);
    const MapProjectRecord map = mapOf({{"Sol", dir.path("sol.sdf")}});
    EXPECT_EQ(GenerateMissionInfText(map, 42u), GenerateMissionInfText(map, 42u));
    EXPECT_NE(GenerateMissionInfText(map, 42u), GenerateMissionInfText(map, 43u));
}

TEST(MissionFile, WritesTheFileAndKeepsItOnFailure) {
    vk_test::ScratchDir dir;
    writeDesignFile(dir.path("sol.sdf"), {sunRecord("Sol")});
    const std::string out = dir.path("mission.txt");
    MapProjectRecord map = mapOf({{"Sol", dir.path("sol.sdf")}});
    GenerateMissionInf(map, out, 5u);
    const std::string written = vk_test::readFile(out);
    EXPECT_EQ(written, GenerateMissionInfText(map, 5u));

    map.systems[1].systemName = "Vega";
    map.systems[1].designFile = dir.path("vega.sdf");  // missing
    try {
        GenerateMissionInf(map, out, 5u);
        FAIL() << "a missing design file must fail";
    } catch (const IoError& e) {
        EXPECT_EQ(e.file(), dir.path("vega.sdf"));
    }
    EXPECT_EQ(vk_test::readFile(out), written);
    // No temporary file is left beside the output.
    int files = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(out).parent_path()))
        ++files;
    EXPECT_EQ(files, 2);

    const std::string unreachable = dir.path("no-such-dir/mission.txt");
    try {
        GenerateMissionInf(mapOf({}), unreachable, 5u);
        FAIL() << "an output that cannot be created must fail";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find(unreachable), std::string::npos);
    }
}

TEST(MissionFile, BadDesignFilesNameTheFile) {
    vk_test::ScratchDir dir;
    const std::string empty = dir.path("empty.sdf");
    vk_test::writeFile(empty, "");
    const std::string partial = dir.path("partial.sdf");
    writeDesignFile(partial, {sunRecord("Sol"), object(sdf_tag::kPlanet, "Terra", 0, 0, 0)});
    std::filesystem::resize_file(partial, kSdfRecordSize + 100);
    for (const std::string& path : {empty, partial, dir.path("missing.sdf")}) {
        SCOPED_TRACE(path);
        try {
            GenerateMissionInfText(mapOf({{"Sol", path}}), 1u);
            FAIL() << "expected IoError";
        } catch (const IoError& e) {
            EXPECT_EQ(e.file(), path);
            EXPECT_NE(std::string(e.what()).find(path), std::string::npos);
        }
    }
}
