// Where the editor finds its shipped files and which folder it works in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "folders/shipped_files.h"
#include "folders/working_folder.h"
#include "test_support.h"

using namespace mw;
namespace fs = std::filesystem;

namespace {

TEST(ShippedFilesTest, BesideTheExecutableFirstThenTheInstalledDataFolder) {
    vk_test::ScratchDir scratch("mw-shipped");
    const fs::path bin = scratch.root() / "usr" / "bin";
    const fs::path share = scratch.root() / "usr" / "share" / "mapwright";
    scratch.write("usr/bin/pln.bmp", "beside");
    scratch.write("usr/share/mapwright/pln.bmp", "installed");
    scratch.write("usr/share/mapwright/help/intro.html", "installed");
    fs::create_directories(bin / "help" / "readme.html");  // a folder is no file

    const ShippedFiles files = ShippedFiles::ForExecutable(bin);
    ASSERT_EQ(files.folders().size(), 2u);
    EXPECT_EQ(files.folders()[1], share);
    EXPECT_EQ(files.find("pln.bmp"), bin / "pln.bmp");
    EXPECT_EQ(files.find(HelpPageFor("intro.hlp")), share / "help" / "intro.html");
    EXPECT_EQ(files.find(HelpPageFor("readme.hlp")), std::nullopt);
    EXPECT_EQ(files.locate("haj.bmp"), bin / "haj.bmp");
}

TEST(ShippedFilesTest, NamesEveryPictureHelpPageAndTheNameDatabase) {
    const std::vector<std::string> names = ShippedFileNames();
    // Compared as paths: on Windows the names are written with '\\'.
    for (const char* name :
         {"pln.bmp", "del.bmp", "banner.bmp", "mapwright.png", "help/tutorial2.html", "main.ond"})
        EXPECT_NE(std::find_if(names.begin(), names.end(),
                               [&](const std::string& n) { return fs::path(n) == name; }),
                  names.end())
            << name;
    EXPECT_EQ(names.size(), 8u + 2u + 5u + 1u);
}

TEST(UserFoldersTest, DataAndStateHomesFollowTheBaseDirectoryRules) {
    // Absolute on this system: "/home/a", or "C:/home/a" on Windows.
    const std::string drive = fs::current_path().root_name().string();
    const std::string homeA = drive + "/home/a", dataA = drive + "/data/a";
    struct Case {
        const char* home;
        const char* xdg;  // XDG_DATA_HOME and XDG_STATE_HOME alike
        fs::path dataHome;
        fs::path stateFolder;
    };
    const fs::path share = homeA + "/.local/share", state = homeA + "/.local/state/mapwright";
    for (const Case& c :
         {Case{homeA.c_str(), nullptr, share, state}, Case{homeA.c_str(), "", share, state},
          Case{homeA.c_str(), "relative/data", share, state},
          Case{homeA.c_str(), dataA.c_str(), dataA, dataA + "/mapwright"},
          Case{nullptr, dataA.c_str(), dataA, dataA + "/mapwright"},
          Case{nullptr, nullptr, "", ""}}) {
        const UserFolders user = UserFoldersFrom(c.home, c.xdg, c.xdg);
        EXPECT_EQ(user.dataHome, c.dataHome)
            << (c.home ? c.home : "(unset)") << " " << (c.xdg ? c.xdg : "(unset)");
        EXPECT_EQ(StateFolder(user), c.stateFolder)
            << (c.home ? c.home : "(unset)") << " " << (c.xdg ? c.xdg : "(unset)");
    }
}

#ifdef _WIN32
// As a Windows user's programs start, without HOME or any XDG variable: the
// files go where Windows keeps a user's program files, not into a ".local"
// of the profile folder.
TEST(UserFoldersTest, WindowsUsesTheApplicationDataFolders) {
    const auto value = [](const char* name) {
        const char* v = std::getenv(name);
        return std::string(v ? v : "");
    };
    std::map<std::string, std::string> saved;
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "APPDATA", "LOCALAPPDATA"})
        saved[name] = value(name);
    for (const char* name : {"HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        vk_test::setEnvironment(name, "");
    ASSERT_FALSE(saved["APPDATA"].empty() || saved["LOCALAPPDATA"].empty());
    UserFolders user = UserFoldersOfProcess();
    EXPECT_EQ(user.dataHome, fs::path(saved["APPDATA"]));
    EXPECT_EQ(StateFolder(user), fs::path(saved["LOCALAPPDATA"]) / "mapwright");
    // Without them too, as a service may be started.
    vk_test::setEnvironment("APPDATA", "");
    vk_test::setEnvironment("LOCALAPPDATA", "");
    user = UserFoldersOfProcess();
    for (const auto& [name, text] : saved) vk_test::setEnvironment(name, text);
    EXPECT_EQ(user.dataHome, user.home / "AppData" / "Roaming");
    EXPECT_EQ(user.stateHome, user.home / "AppData" / "Local");
    EXPECT_FALSE(user.home.empty());
}
#endif

class WorkingFolderTest : public ::testing::Test {
  protected:
    WorkingFolderTest() {
        shipped = scratch.write("usr/share/mapwright/main.ond", "shipped names");
        fs::create_directories(home / "maps");
    }
    WorkingFolder choose(const fs::path& current) {
        return ChooseWorkingFolder(current, user, fs::path(shipped));
    }

    vk_test::ScratchDir scratch{"mw-working"};
    // "/", or the drive's root on Windows.
    fs::path root = scratch.root().root_path();
    fs::path home = scratch.root() / "home";
    UserFolders user{home, home / ".local" / "share", home / ".local" / "state"};
    fs::path data = home / ".local" / "share" / "mapwright";
    std::string shipped;
};

TEST_F(WorkingFolderTest, DesktopStartsOnlyFromRootOrAHomeWithoutNameDatabase) {
    EXPECT_TRUE(IsDesktopStart(root, home));
    EXPECT_TRUE(IsDesktopStart(home, home));
    EXPECT_FALSE(IsDesktopStart(home / "maps", home));
    EXPECT_FALSE(IsDesktopStart(home, ""));
    scratch.write("home/main.ond", "mine");
    EXPECT_FALSE(IsDesktopStart(home, home));
}

TEST_F(WorkingFolderTest, AHomeReachedThroughALinkIsTheHome) {
    if (!vk_test::canMakeSymlinks(scratch.root()))
        GTEST_SKIP() << "symbolic links cannot be made here (Wine, or a Windows user without "
                        "the right to)";
    fs::create_symlink(home, scratch.root() / "home-link");
    EXPECT_TRUE(IsDesktopStart(scratch.root() / "home-link", home));
}

TEST_F(WorkingFolderTest, TheDataFolderIsMadeWithACopyOfTheShippedNameDatabase) {
    const WorkingFolder first = choose(home);
    EXPECT_TRUE(first.desktopStart);
    EXPECT_EQ(first.folder, data);
    EXPECT_EQ(first.problem, "");
    EXPECT_EQ(vk_test::readFile(data / "main.ond"), "shipped names");
    EXPECT_EQ(WorkingFolderStatus(first), "Working folder: " + data.string());

    // The user's own database stays; an empty one (left when none was found) is replaced.
    vk_test::writeFile(data / "main.ond", "my names");
    choose(home);
    EXPECT_EQ(vk_test::readFile(data / "main.ond"), "my names");
    vk_test::writeFile(data / "main.ond", "");
    choose(root);
    EXPECT_EQ(vk_test::readFile(data / "main.ond"), "shipped names");
}

TEST_F(WorkingFolderTest, AChosenFolderIsUsedAsItIs) {
    const WorkingFolder working = choose(home / "maps");
    EXPECT_FALSE(working.desktopStart);
    EXPECT_EQ(working.folder, home / "maps");
    EXPECT_FALSE(fs::exists(data));
}

TEST_F(WorkingFolderTest, WhatCannotBePreparedIsSaid) {
    // No shipped database: the data folder is used, and the model starts an empty one.
    WorkingFolder working = ChooseWorkingFolder(home, user, std::nullopt);
    EXPECT_EQ(working.folder, data);
    EXPECT_NE(WorkingFolderStatus(working).find("(no shipped main.ond was found"),
              std::string::npos);

    // The data folder cannot be made: the editor stays in the current directory.
    scratch.write("blocked", "a file, not a folder");
    user.dataHome = scratch.root() / "blocked";
    working = choose(home);
    EXPECT_EQ(working.folder, home);
    EXPECT_NE(working.problem.find((scratch.root() / "blocked" / "mapwright").string() +
                                   " cannot be made"),
              std::string::npos)
        << working.problem;

    user = UserFoldersFrom(nullptr, nullptr);
    EXPECT_EQ(choose(root).folder, root);
}

}  // namespace
