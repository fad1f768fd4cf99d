#include "names/names_manager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/errors.h"
#include "common/file_faults.h"
#include "model_test_support.h"
#include "names/name_lists.h"
#include "names/name_records.h"
#include "scripted_prompts.h"
#include "test_support.h"

using namespace mw;
using model_test::ondRecord;
using Names = std::vector<std::string>;

namespace {

constexpr int kDarzok = 3;

class NamesManagerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        writeOndFile(scratch.path("main.ond"), {ondRecord("Sol", "U", 0), ondRecord("Vega", "U", 1),
                                                ondRecord("Kesh", "d", 0), ondRecord("Zor", "D", 1),
                                                ondRecord("Anka", "D", 1)});
        writeOndFile(scratch.path("other.ond"), {ondRecord("Rigel", "U", 1)});
        model.planets.at(model.AllocateIndex(ObjectKind::Planet)).name = "Anka";
        markPool();
    }
    // A pool that no rebuild would write, to tell whether OK rebuilt it.
    void markPool() {
        scratch.write("p_names.dat", "");
        AppendName(dir, kPoolFile, "untouched");
    }
    Names pool() { return readNameList(dir.pool()); }

    vk_test::ScratchDir scratch{"mw-names-manager"};
    NameDirectory dir{scratch.root()};
    NameSettings settings;
    SystemModel model;
    NamesManager manager{settings, dir, model};
};

}  // namespace

TEST_F(NamesManagerTest, ModesListTheirOwnNamesOfEveryStyle) {
    manager.Open(NamesMode::Systems);
    EXPECT_EQ(manager.caption(), "System name database");
    EXPECT_EQ(manager.ListNames(), (Names{"Kesh", "Sol"}));
    manager.Open(NamesMode::Planets);
    EXPECT_EQ(manager.caption(), "Planet name database");
    EXPECT_EQ(manager.ListNames(), (Names{"Anka", "Vega", "Zor"}));
    settings.managerFile.clear();
    EXPECT_EQ(manager.ListNames(), std::nullopt);
    settings.managerFile = "missing.ond";
    EXPECT_THROW(manager.ListNames(), IoError);
}

TEST_F(NamesManagerTest, OpenTakesTheModesSettingsAndLocateKeepsTheFieldOnCancel) {
    settings.planetDatabase = "other.ond";
    settings.planetStyle = 2;
    manager.Open(NamesMode::Planets);
    EXPECT_EQ(manager.file(), "other.ond");
    EXPECT_EQ(manager.styleIndex(), 2);
    EXPECT_EQ(settings.managerStyleLetter(), 'K');  // what "Clear map" refills from
    vk_test::ScriptedPrompts prompts;
    manager.Locate(prompts);
    EXPECT_EQ(manager.file(), "other.ond");
    prompts.file(scratch.path("main.ond"));
    manager.Locate(prompts);
    EXPECT_EQ(manager.file(), scratch.path("main.ond"));
    EXPECT_EQ(prompts.dialogs.size(), 2u);
}

// OK rebuilds the pool only when the system-name database's name, size or style changed.
struct ConfirmRow {
    const char* name;
    NamesMode mode;
    const char* file;  // the file field when OK is pressed
    int style;         // the style chosen in the list
    bool rebuilt;
    Names pool;  // after OK
};

class NamesManagerConfirm : public NamesManagerTest,
                            public ::testing::WithParamInterface<ConfirmRow> {};

TEST_P(NamesManagerConfirm, RebuildsOnlyWhatChanged) {
    const ConfirmRow& row = GetParam();
    manager.Open(row.mode);
    settings.managerFile = row.file;
    manager.SelectStyle(row.style);
    EXPECT_EQ(manager.Confirm(), row.rebuilt);
    EXPECT_EQ(pool(), row.pool);
    const bool planets = row.mode == NamesMode::Planets;
    EXPECT_EQ(planets ? settings.planetDatabase : settings.systemDatabase, row.file);
    EXPECT_EQ(planets ? settings.planetStyle : settings.systemStyle, row.style);
    if (planets) {
        EXPECT_EQ(settings.systemDatabase, "main.ond");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NamesManagerConfirm,
    ::testing::Values(
        ConfirmRow{"SystemsUnchanged", NamesMode::Systems, "main.ond", 0, false, {"untouched"}},
        ConfirmRow{"SystemsOtherStyle", NamesMode::Systems, "main.ond", kDarzok, true, {"Zor"}},
        ConfirmRow{"SystemsOtherFile", NamesMode::Systems, "other.ond", 0, true, {"Rigel"}},
        ConfirmRow{"PlanetsLikeSystems", NamesMode::Planets, "main.ond", 0, false, {"untouched"}},
        ConfirmRow{"PlanetsOtherFile", NamesMode::Planets, "other.ond", 0, true, {"Rigel"}},
        // Darzok planet names less the one on the map.
        ConfirmRow{"PlanetsDarzok", NamesMode::Planets, "main.ond", kDarzok, true, {"Zor"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(NamesManagerTest, PlanetModeWithOtherFileRebuildsEveryTime) {
    manager.Open(NamesMode::Planets);
    settings.managerFile = "other.ond";
    EXPECT_TRUE(manager.Confirm());
    markPool();
    manager.Open(NamesMode::Planets);
    EXPECT_TRUE(manager.Confirm());
    EXPECT_EQ(pool(), Names{"Rigel"});
}

// OK on a full disk: the pool cannot be written, so nothing is stored, and
// OK again, with room, rebuilds it rather than finding nothing changed.
TEST_F(NamesManagerTest, OkThatCannotWriteThePoolIsMadeAgain) {
    manager.Open(NamesMode::Systems);
    manager.SelectStyle(kDarzok);
    {
        const ScopedFileFault full({FileStep::Write, 1, 0, ENOSPC, true});
        EXPECT_THROW(manager.Confirm(), IoError);
    }
    EXPECT_EQ(settings.systemStyle, 0);
    EXPECT_EQ(pool(), Names{"untouched"});
    EXPECT_TRUE(manager.Confirm());
    EXPECT_EQ(pool(), Names{"Zor"});
}

TEST_F(NamesManagerTest, MissingSystemDatabaseStoresNothing) {
    settings.systemDatabase = "gone.ond";
    manager.Open(NamesMode::Planets);
    settings.managerFile = "other.ond";
    EXPECT_THROW(manager.Confirm(), IoError);
    EXPECT_EQ(settings.planetDatabase, "main.ond");
    EXPECT_EQ(pool(), Names{"untouched"});
}

TEST_F(NamesManagerTest, WatchListsAndCount) {
    model.planets.at(model.AllocateIndex(ObjectKind::Planet)).name = "Gone";
    model.MarkDeleted(ObjectKind::Planet, 2);
    model.planets.at(model.AllocateIndex(ObjectKind::Planet)).name = "Third";
    EnsureNameFiles(dir);
    WriteUsedNames(dir, kUsedListFile, model);
    EXPECT_EQ(WatchNames(WatchList::PlanetsInEditor, dir, model), (Names{"Anka", "Third"}));
    EXPECT_EQ(WatchNames(WatchList::UsedList, dir, model), (Names{"Anka", "Third"}));
    EXPECT_EQ(WatchNames(WatchList::Pool, dir, model), Names{"untouched"});
    EXPECT_EQ(names_text::recordCountText(0), "0 record(s)");
    std::filesystem::remove(dir.usedList());
    EXPECT_THROW(WatchNames(WatchList::UsedList, dir, model), IoError);
}
