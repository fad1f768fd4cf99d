// Every kind of write the model makes, failed by the file layer at each of
// its steps: the user's file keeps its old bytes, no temporary file is left
// behind, and the message names the user's file.
#include "common/file_faults.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/safe_save.h"
#include "fault_points.h"
#include "map/project_file.h"
#include "mission/mission_generator.h"
#include "model_test_support.h"
#include "names/name_lists.h"
#include "names/name_picking.h"
#include "names/name_records.h"
#include "system/system_file.h"
#include "test_support.h"

using namespace mw;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> leftovers(const fs::path& folder) {
    std::vector<std::string> found;
    for (const auto& e : fs::directory_iterator(folder))
        if (e.path().filename().string().find(".tmp-") != std::string::npos)
            found.push_back(e.path().filename().string());
    return found;
}

// A list file's bytes as the format describes them, built without the model.
std::string listBytes(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) {
        std::string record(121, '\0');
        record[0] = static_cast<char>(n.size());
        record.replace(1, n.size(), n);
        out += record;
    }
    return out;
}

TEST(FileFaultsTest, EveryKindOfWriteKeepsTheOldFileAtEveryFault) {
    vk_test::ScratchDir scratch("mw-faults");
    const fs::path root = scratch.root();
    const NameDirectory dir(root);
    auto tables = std::make_unique<SystemModel>();
    const int planet = tables->AllocateIndex(ObjectKind::Planet);
    tables->planets.at(planet).name = "Vega";
    tables->planets.at(planet).marker = {30, 40};
    model_test::writeDesignFile(scratch.path("alpha.sdf"), {model_test::sunRecord("Alpha")});
    const MapProjectRecord map = model_test::mapOf({{"Alpha", scratch.path("alpha.sdf")}});
    writeOndFile(scratch.path("db.ond"), {model_test::ondRecord("Rigel", "U", 1)});
    const std::string oldList = listBytes({"Vega", "Deneb", "Vega"});

    struct Kind {
        const char* what;
        const char* file;
        std::string old;
        std::function<void()> write;
    };
    const std::vector<Kind> kinds = {
        {"design file", "vega.sdf", "old design",
         [&] { SaveSystem(scratch.path("vega.sdf"), "Vega", "Sun", "B1", "0.7", *tables); }},
        {"project file", "map.vmpf", "old project",
         [&] { WriteProjectFile(scratch.path("map.vmpf"), map); }},
        {"mission text", "mission.txt", "old mission",
         [&] { GenerateMissionInf(map, scratch.path("mission.txt"), 7); }},
        {"name database", "names.ond", "old names",
         [&] { writeOndFile(scratch.path("names.ond"), {model_test::ondRecord("Sol", "U", 0)}); }},
        {"pool refill", "p_names.dat", oldList,
         [&] {
             RefillPlanetPool(dir, {scratch.path("db.ond"), 'U', false, false}, *tables);
         }},
        {"name given back", "p_names.dat", oldList, [&] { AppendName(dir, "p_names.dat", "Sol"); }},
        {"name taken", "p_names.dat", oldList, [&] { RemoveName(dir, "p_names.dat", "Vega"); }},
        {"name renamed", "list.dat", oldList,
         [&] { RenameInList(dir, "list.dat", "Deneb", "Altair"); }},
        {"used names", "list.dat", oldList, [&] { WriteUsedNames(dir, "list.dat", *tables); }},
    };
    for (const Kind& k : kinds) {
        SCOPED_TRACE(k.what);
        const std::string target = scratch.path(k.file);
        scratch.write(k.file, k.old);
        file_faults::ResetCounts();
        k.write();
        const FileCounts counts = file_faults::Counts();
        const std::string written = scratch.read(k.file);
        ASSERT_NE(written, k.old);

        for (const FileFault& fault : model_test::faultPoints(counts)) {
            SCOPED_TRACE(model_test::describe(fault));
            scratch.write(k.file, k.old);
            std::string message;
            {
                const ScopedFileFault armed(fault);
                try {
                    k.write();
                } catch (const IoError& e) {
                    message = e.what();
                }
                EXPECT_TRUE(armed.fired());
            }
            EXPECT_EQ(message.rfind(target + ": ", 0), 0u) << message;
            EXPECT_NE(message.find(std::strerror(fault.error)), std::string::npos) << message;
            EXPECT_EQ(scratch.read(k.file), k.old);
            EXPECT_EQ(leftovers(root), std::vector<std::string>{});
        }
        // A folder that cannot be synced does not undo a save that is in place.
        const ScopedFileFault folder({FileStep::SyncFolder, 1, 0, EIO, true});
        scratch.write(k.file, k.old);
        EXPECT_NO_THROW(k.write());
        EXPECT_TRUE(folder.fired());
        EXPECT_EQ(scratch.read(k.file), written);
    }
}

TEST(FileFaultsTest, NameListsThatCannotBeCreatedAreReportedByName) {
    vk_test::ScratchDir scratch("mw-faults");
    for (const std::int64_t call : {1, 2}) {
        const ScopedFileFault armed({FileStep::Create, call, 0, EIO, false});
        try {
            EnsureNameFiles(NameDirectory(scratch.root()));
            ADD_FAILURE() << "no error";
        } catch (const IoError& e) {
            EXPECT_EQ(std::string(e.what()), scratch.path(call == 1 ? "p_names.dat" : "list.dat") +
                                                 ": create failed: " + std::strerror(EIO));
        }
        EXPECT_EQ(scratch.exists("list.dat"), false);
    }
}

// A save replaces the file with one that has the old file's permission bits
// and, where the process may give it, its group; a new file gets the usual mode.
TEST(FileFaultsTest, ASaveKeepsTheFilesModeAndGroup) {
#ifdef _WIN32
    GTEST_SKIP() << "permission bits and groups are POSIX's; on Windows a file takes the access "
                    "rules of its folder";
#else
    vk_test::ScratchDir scratch("mw-faults");
    const std::string file = scratch.path("vega.sdf");
    for (const mode_t mode : {0600, 0640, 0444, 0755}) {
        scratch.write("vega.sdf", "old");
        ASSERT_EQ(::chmod(file.c_str(), mode), 0);
        SaveFileBytes(file, "new");
        struct stat st {};
        ASSERT_EQ(::stat(file.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_EQ(scratch.read("vega.sdf"), "new");
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    SaveFileBytes(scratch.path("fresh.sdf"), "new");
    struct stat fresh {};
    ASSERT_EQ(::stat(scratch.path("fresh.sdf").c_str(), &fresh), 0);
    EXPECT_EQ(fresh.st_mode & 07777, 0666 & ~mask);

    // Another group: any as root, else one of the user's other groups.
    gid_t other = 0;
    if (::geteuid() == 0) {
        other = 4242;
    } else {
        gid_t groups[64];
        const int n = ::getgroups(64, groups);
        for (int i = 0; i < n; ++i)
            if (groups[i] != ::getegid()) other = groups[i];
    }
    if (other == 0) GTEST_SKIP() << "no second group to give the file";
    ASSERT_EQ(::chown(file.c_str(), static_cast<uid_t>(-1), other), 0);
    SaveFileBytes(file, "newer");
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_gid, other);
#endif
}

}  // namespace
