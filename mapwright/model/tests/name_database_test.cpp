// The shipped default name database and the text lists it is built from.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "names/name_records.h"
#include "names/name_styles.h"
#include "test_support.h"

using namespace mw;

namespace {

std::string fileBytes(const std::string& path) {
    EXPECT_TRUE(std::filesystem::exists(path)) << path;
    return vk_test::readFile(path);
}

const std::string kCommitted = std::string(VK_SOURCE_DIR) + "/data/main.ond";

}  // namespace

TEST(DefaultNameDatabase, CommittedFileIsWhatTheBuildMakes) {
    const std::string built = fileBytes(std::string(VK_BIN_DIR) + "/main.ond");
    ASSERT_FALSE(built.empty());
    EXPECT_TRUE(built == fileBytes(kCommitted))
        << "data/main.ond differs from the database built from data/names; copy the built one";
}

TEST(DefaultNameDatabase, EveryStyleHasEnoughDistinctNames) {
    EXPECT_EQ(fileBytes(kCommitted).size() % TOndRecord::kSize, 0u);
    std::map<std::pair<char, bool>, std::set<std::string>> groups;
    for (const TOndRecord& r : readOndFile(kCommitted)) {
        ASSERT_EQ(r.style.size(), 1u);
        const char letter = r.style.view()[0];
        ASSERT_GE(styleIndexOfLetter(letter), 0) << r.name.str();
        ASSERT_FALSE(r.name.empty());
        if (r.isPlanet()) {  // stored whole in a planet record
            EXPECT_LE(r.name.size(), 15u) << r.name.str();
        }
        const std::pair<char, bool> group{letter, r.isPlanet()};
        EXPECT_TRUE(groups[group].insert(r.name.str()).second) << "duplicate " << r.name.str();
    }
    for (const auto& s : kNameStyles) {
        const std::pair<char, bool> systems{s.letter, false}, planets{s.letter, true};
        EXPECT_GE(groups[systems].size(), 100u) << s.caption << " systems";
        EXPECT_GE(groups[planets].size(), 300u) << s.caption << " planets";
    }
}
