#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <csignal>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "common/editor_random.h"
#include "common/errors.h"
#include "names/name_lists.h"
#include "names/name_picking.h"
#include "names/name_records.h"
#include "names/name_styles.h"
#include "test_support.h"

using namespace mw;
namespace fs = std::filesystem;

namespace {

class NameFilesTest : public ::testing::Test {
  protected:
    void SetUp() override { dir = NameDirectory(root); }

    std::string path(const std::string& name) const { return (root / name).string(); }
    void writeList(const std::string& name, const std::vector<std::string>& names) {
        EnsureNameFiles(dir);
        scratch.write(name, "");
        for (const auto& n : names) AppendName(dir, name, n);
    }
    std::vector<std::string> list(const std::string& name) { return readNameList(path(name)); }
    std::string bytes(const std::string& name) { return scratch.read(name); }

    vk_test::ScratchDir scratch{"mw-names"};
    fs::path root = scratch.root();
    NameDirectory dir;
};

}  // namespace

TEST(NameRecords, StoredLayout) {
    TOndRecord r;
    r.name = "Vega";
    r.style = "h";
    r.planetFlag = 7;
    std::uint8_t buf[TOndRecord::kSize];
    r.encode(buf);
    EXPECT_EQ(buf[0], 4);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buf + 1), 4), "Vega");
    EXPECT_EQ(buf[126], 1);
    EXPECT_EQ(buf[127], 'h');
    EXPECT_EQ(buf[128], 7);
    const TOndRecord back = TOndRecord::decode(buf);
    EXPECT_TRUE(back.isPlanet());
    EXPECT_TRUE(back.hasStyle('H'));
    EXPECT_FALSE(back.hasStyle('U'));

    buf[126] = 0;  // an empty style matches no letter
    EXPECT_FALSE(TOndRecord::decode(buf).hasStyle('H'));

    std::uint8_t entry[TPoolEntry::kSize];
    TPoolEntry{FixedString<120>(std::string(130, 'x'))}.encode(entry);
    EXPECT_EQ(entry[0], 120);
}

TEST(NameStyles, LettersFromCaptionsAndIndices) {
    const std::vector<std::pair<std::string, char>> captions = {
        {"Uniform", 'U'}, {"Human", 'H'},  {"Kariak", 'K'}, {"Darzok", 'D'},
        {"", 'U'},        {"darzok", 'U'}, {"Elvish", 'U'}};
    for (const auto& [caption, letter] : captions)
        EXPECT_EQ(styleLetterOfCaption(caption), letter) << caption;
    EXPECT_EQ(styleLetterOfIndex(3), 'D');
    EXPECT_EQ(styleLetterOfIndex(4), 'U');
    EXPECT_EQ(styleIndexOfLetter('k'), 2);
}

TEST(EditorRandom, FixedSeedRepeatsAndStaysInRange) {
    EditorRandom a(42), b(42);
    std::set<int> seen;
    for (int i = 0; i < 400; ++i) {
        a.reseedFromClock();  // a fixed seed is not disturbed by the clock
        const int v = a.uniform(7);
        EXPECT_EQ(v, b.uniform(7));
        ASSERT_GE(v, 0);
        ASSERT_LT(v, 7);
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_EQ(a.uniform(0), 0);
    EXPECT_EQ(a.uniform(-3), 0);
    EXPECT_EQ(a.uniform(1), 0);
}

TEST_F(NameFilesTest, EnsureCreatesOnlyMissingFiles) {
    scratch.write("list.dat", std::string(121, 'q'));
    EnsureNameFiles(dir);
    EXPECT_EQ(fs::file_size(path("p_names.dat")), 0u);
    EXPECT_EQ(fs::file_size(path("list.dat")), 121u);  // existing one untouched
}

TEST_F(NameFilesTest, CountAndReadIgnoreTrailingFragment) {
    writeList("list.dat", {"A", "B"});
    scratch.write("list.dat", scratch.read("list.dat") + "xyz");
    EXPECT_EQ(CountNames(dir, "list.dat"), 2u);
    EXPECT_EQ(list("list.dat"), (std::vector<std::string>{"A", "B"}));
    EXPECT_THROW(CountNames(dir, "missing.dat"), IoError);
}

TEST_F(NameFilesTest, AppendNeedsAnExistingFile) {
    try {
        AppendName(dir, "nowhere.dat", "Vega");
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find("nowhere.dat"), std::string::npos);
    }
    EXPECT_FALSE(fs::exists(path("nowhere.dat")));
}

TEST_F(NameFilesTest, RemoveAndRenameRewriteExactMatches) {
    const std::string longName(130, 'z');
    struct Case {
        const char* what;
        std::function<void()> op;
        std::vector<std::string> expected;
    } cases[] = {
        {"remove", [&] { RemoveName(dir, "list.dat", "Vega"); }, {"vega", "Rigel", "Vega "}},
        {"remove absent",
         [&] { RemoveName(dir, "list.dat", "Deneb"); },
         {"Vega", "vega", "Rigel", "Vega", "Vega "}},
        {"rename",
         [&] { RenameInList(dir, "list.dat", "Vega", "Altair"); },
         {"Altair", "vega", "Rigel", "Altair", "Vega "}},
        {"rename long",
         [&] { RenameInList(dir, "list.dat", "Rigel", longName); },
         {"Vega", "vega", longName.substr(0, 120), "Vega", "Vega "}},
    };
    for (const auto& c : cases) {
        writeList("list.dat", {"Vega", "vega", "Rigel", "Vega", "Vega "});
        c.op();
        EXPECT_EQ(list("list.dat"), c.expected) << c.what;
        EXPECT_FALSE(fs::exists(path("temp.dat"))) << c.what;
    }
    EXPECT_THROW(RemoveName(dir, "missing.dat", "Vega"), IoError);
}

TEST_F(NameFilesTest, WriteUsedNamesListsUndeletedPlanetsUpToTheCount) {
    SystemModel m;
    for (const char* n : {"Vega", "Rigel", "Deneb"}) {
        const int i = m.AllocateIndex(ObjectKind::Planet);
        m.planets.at(i).name = n;
    }
    m.planets.at(4).name = "Beyond";  // above the count: not listed
    m.MarkDeleted(ObjectKind::Planet, 2);
    EnsureNameFiles(dir);
    WriteUsedNames(dir, "list.dat", m);
    EXPECT_EQ(list("list.dat"), (std::vector<std::string>{"Vega", "Deneb"}));
}

// A rewrite that runs into a real limit (the file size limit stands in for a
// full disk) leaves the original list as it was and no temporary file.
TEST_F(NameFilesTest, FailedRewriteKeepsTheOriginal) {
#ifdef _WIN32
    GTEST_SKIP() << "a file size limit is POSIX's; on Windows the injected write failures of "
                    "FileFaultsTest stand for a full disk";
#else
    std::vector<std::string> names;
    names.reserve(40);
    for (int i = 0; i < 40; ++i) names.push_back("Name" + std::to_string(i));

    SystemModel model;
    for (const auto& n : names) model.planets.at(model.AllocateIndex(ObjectKind::Planet)).name = n;
    const std::string ond = path("db.ond");
    std::vector<TOndRecord> recs;
    recs.reserve(names.size());
    for (const auto& n : names) recs.push_back({FixedString<125>(n), FixedString<1>("U"), 1});
    writeOndFile(ond, recs);

    struct Case {
        const char* what;
        const char* file;
        std::function<void()> op;
    } cases[] = {
        {"remove", "list.dat", [&] { RemoveName(dir, "list.dat", "Name3"); }},
        {"rename", "list.dat", [&] { RenameInList(dir, "list.dat", "Name3", "X"); }},
        {"append", "p_names.dat", [&] { AppendName(dir, "p_names.dat", "X"); }},
        {"used names", "list.dat", [&] { WriteUsedNames(dir, "list.dat", model); }},
        {"refill", "p_names.dat",
         [&] {
             RefillPlanetPool(dir, PoolRefill{ond, 'U', false, false}, model);
         }},
    };
    for (const auto& c : cases) {
        // The list is larger than the limit, so only writing fails.
        writeList(c.file, names);
        const std::string big = bytes(c.file);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit old{};
        ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit small = old;
        small.rlim_cur = 3 * TPoolEntry::kSize;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        std::string message;
        try {
            c.op();
        } catch (const IoError& e) {
            message = e.what();
        }
        ::setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, SIG_DFL);
        EXPECT_EQ(message.rfind(path(c.file) + ": write failed: ", 0), 0u) << c.what << message;
        EXPECT_EQ(bytes(c.file), big) << c.what;
        for (const auto& e : fs::directory_iterator(root))
            EXPECT_EQ(e.path().filename().string().find(".tmp-"), std::string::npos) << c.what;
    }
#endif
}
