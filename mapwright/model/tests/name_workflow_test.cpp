#include "names/name_workflow.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
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

class NameWorkflowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings.systemDatabase = (root / "main.ond").string();
        settings.managerFile = settings.systemDatabase;
        flow_.emplace(model, settings, random, NameDirectory(root));
    }

    void database(const std::vector<TOndRecord>& records) {
        writeOndFile(settings.systemDatabase, records);
    }
    std::vector<std::string> pool() { return readNameList((root / "p_names.dat").string()); }
    std::vector<std::string> used() { return readNameList((root / "list.dat").string()); }
    PlacedPlanet place() { return flow().placePlanet(1000, -2000, {100, 300}, "Sol"); }

    vk_test::ScratchDir scratch{"mw-flow"};
    fs::path root = scratch.root();
    SystemModel model;
    NameSettings settings;
    EditorRandom random{7};
    std::optional<NameWorkflow> flow_;
    NameWorkflow& flow() { return *flow_; }
};

}  // namespace

TEST_F(NameWorkflowTest, NoPlanetNamesOfStyleUGivesGeneratedNames) {
    database({ondRecord("Hx", "H", 1), ondRecord("Hy", "H", 1), ondRecord("Hz", "H", 1)});
    flow().designerCreated();
    EXPECT_EQ(model.currentSystemName, "Unnamed");
    EXPECT_TRUE(pool().empty());
    const PlacedPlanet p = place();
    EXPECT_EQ(p.index, 1);
    EXPECT_EQ(model.planets.at(1).name, "Planet1");
    EXPECT_EQ(p.notice, "Ran out of predefined planet names! Generating one...");
    EXPECT_EQ(used(), std::vector<std::string>{"Planet1"});
}

TEST_F(NameWorkflowTest, CreationDrawsSystemNameAndExcludesNamesInUse) {
    settings.systemStyle = 2;  // Kariak
    database({ondRecord("Kesh", "K", 0), ondRecord("Sol", "U", 0), ondRecord("Vega", "U", 1),
              ondRecord("Rigel", "U", 1)});
    bool opened = false;
    flow().designerCreated([&] {
        opened = true;
        model.planets.at(model.AllocateIndex(ObjectKind::Planet)).name = "Vega";  // as if read
    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(model.currentSystemName, "Kesh");
    EXPECT_EQ(pool(), std::vector<std::string>{"Rigel"});
}

TEST_F(NameWorkflowTest, PlacementFillsTheRecordAndTakesTheNameFromThePool) {
    database({ondRecord("Vega", "U", 1)});
    flow().designerCreated();
    const std::string sun(50, 's');
    const PlacedPlanet p = flow().placePlanet(-810, 1623, {246, 248}, sun);
    EXPECT_FALSE(p.notice);
    const PlanetRecord& r = model.planets.at(p.index);
    EXPECT_EQ(r.name, "Vega");
    EXPECT_EQ(r.orbitsAround.str(), sun.substr(0, 45));
    EXPECT_EQ(r.number, 1);
    EXPECT_EQ(r.type, "swamp");
    EXPECT_EQ(r.x, -810);
    EXPECT_EQ(r.y, 1623);
    EXPECT_EQ(r.marker.y, 248);
    EXPECT_TRUE(model.IsLive(ObjectKind::Planet, 1));
    EXPECT_TRUE(pool().empty());
    EXPECT_EQ(used(), std::vector<std::string>{"Vega"});
}

TEST_F(NameWorkflowTest, LongPoolNameIsStoredCutAndStaysInThePool) {
    const std::string name20 = "Abcdefghijklmnopqrst";
    database({ondRecord(name20, "U", 1)});
    flow().designerCreated();
    place();
    EXPECT_EQ(model.planets.at(1).name.str(), name20.substr(0, 15));
    EXPECT_EQ(pool(), std::vector<std::string>{name20});
    place();  // drawn again
    EXPECT_EQ(model.planets.at(2).name.str(), name20.substr(0, 15));
}

TEST_F(NameWorkflowTest, DeletionReturnsOnlyRealNamesToThePool) {
    database({});
    flow().designerCreated();
    for (int i = 0; i < 3; ++i) place();  // Planet1..Planet3
    flow().deletePlanet(3);
    EXPECT_TRUE(pool().empty());
    EXPECT_EQ(used(), (std::vector<std::string>{"Planet1", "Planet2"}));

    PlanetDialogValues v;
    v.name = "Planet9";
    flow().confirmPlanetDialog(2, v);
    EXPECT_EQ(used(), (std::vector<std::string>{"Planet1", "Planet9"}));
    flow().deletePlanet(2);
    flow().deletePlanet(2);  // a second delete changes nothing
    EXPECT_EQ(pool(), std::vector<std::string>{"Planet9"});
    EXPECT_EQ(used(), std::vector<std::string>{"Planet1"});

    v.name = "";  // a planet whose name was emptied gives nothing back
    flow().confirmPlanetDialog(1, v);
    flow().deletePlanet(1);
    EXPECT_EQ(pool(), std::vector<std::string>{"Planet9"});
}

TEST_F(NameWorkflowTest, TwoPlanetsWithOneName) {
    database({});
    flow().designerCreated();
    place();
    place();
    PlanetDialogValues v;
    v.name = "Twin";
    flow().confirmPlanetDialog(1, v);
    flow().confirmPlanetDialog(2, v);
    EXPECT_EQ(used(), (std::vector<std::string>{"Twin", "Twin"}));
    flow().deletePlanet(1);
    EXPECT_TRUE(used().empty());                          // gone for both ...
    EXPECT_EQ(pool(), std::vector<std::string>{"Twin"});  // returned though planet 2 keeps it
    place();                                              // draws it again
    EXPECT_EQ(used(), (std::vector<std::string>{"Twin", "Twin"}));  // the list is whole again
}

TEST_F(NameWorkflowTest, DialogStoresCutNamesAndRenamesInFull) {
    database({ondRecord("Vega", "U", 1)});
    flow().designerCreated();
    place();
    PlanetDialogValues v{"Altair and beyond", "gas_giant", "jupiter", "Sol", 1200,
                         "Empire1",           "human",     50};
    flow().confirmPlanetDialog(1, v);
    const PlanetRecord& r = model.planets.at(1);
    EXPECT_EQ(r.name, "Altair and beyo");
    EXPECT_EQ(r.type, "gas_giant");
    EXPECT_EQ(r.population, 50);
    EXPECT_EQ(used(), std::vector<std::string>{"Altair and beyond"});
    EXPECT_TRUE(pool().empty());  // the pool is not touched
}

TEST_F(NameWorkflowTest, MissingDatabaseStopsCreationAfterTheDraw) {
    fs::create_directories(root);
    bool opened = false;
    model.currentSystemName = "Before";
    EXPECT_THROW(flow().designerCreated([&] { opened = true; }), IoError);
    EXPECT_FALSE(opened);
    EXPECT_FALSE(fs::exists(settings.systemDatabase));
    EXPECT_EQ(model.currentSystemName, "Before");
    EXPECT_TRUE(fs::exists(root / "p_names.dat"));  // the step before the draw is done

    // Opening a system file afterwards creates the missing database empty.
    flow().systemOpened();
    EXPECT_TRUE(fs::exists(settings.systemDatabase));
    EXPECT_TRUE(pool().empty());
}

TEST_F(NameWorkflowTest, ClearMapRefillsFromTheManagersChoiceWithEveryName) {
    database({ondRecord("Vega", "U", 1), ondRecord("Zhaar", "D", 1), ondRecord("Oum", "D", 1)});
    flow().designerCreated();
    place();  // takes Vega
    settings.managerStyleCaption = "Darzok";
    flow().clearMap();
    EXPECT_EQ(model.count(ObjectKind::Planet), 0);
    EXPECT_FALSE(model.IsLive(ObjectKind::Planet, 1));
    EXPECT_EQ(pool(), (std::vector<std::string>{"Zhaar", "Oum"}));

    settings.managerStyleCaption = "";  // nothing selected: "U", names in use not left out
    flow().clearMap();
    EXPECT_EQ(pool(), std::vector<std::string>{"Vega"});
}

TEST_F(NameWorkflowTest, FullTableRefusesWithoutTouchingTheFiles) {
    database({ondRecord("Vega", "U", 1)});
    flow().designerCreated();
    while (model.count(ObjectKind::Planet) < kTableCapacity)
        model.AllocateIndex(ObjectKind::Planet);
    EXPECT_THROW(place(), TableFullError);
    EXPECT_EQ(pool(), std::vector<std::string>{"Vega"});
}

TEST_F(NameWorkflowTest, EmptyDirectoryMeansTheCurrentDirectory) {
    const fs::path back = fs::current_path();
    fs::current_path(root);
    NameWorkflow here(model, settings, random);
    database({ondRecord("Vega", "U", 1)});
    here.designerCreated();
    here.placePlanet(1, 1, {1, 1}, "Sol");
    fs::current_path(back);
    EXPECT_EQ(used(), std::vector<std::string>{"Vega"});
}
