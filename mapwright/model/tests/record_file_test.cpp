#include "common/record_file.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/errors.h"
#include "common/safe_save.h"
#include "names/name_lists.h"
#include "names/name_records.h"
#include "test_support.h"

using namespace mw;
namespace fs = std::filesystem;

namespace {

class RecordFileTest : public ::testing::Test {
  protected:
    std::string path(const std::string& name) const { return (root / name).string(); }
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(root))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    std::string bytes(const std::string& name) const { return scratch.read(name); }

    vk_test::ScratchDir scratch{"mw-records"};
    fs::path root = scratch.root();
};

std::string errorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const IoError& e) {
        return e.what();
    }
    return "nothing thrown";
}

// Directories, FIFOs and devices, also behind a symbolic link, are refused by
// every reader and writer without blocking (a FIFO would block a plain open)
// and are left as they are.
TEST_F(RecordFileTest, OnlyRegularFilesAreReadOrWritten) {
    fs::create_directory(path("folder"));
#ifdef _WIN32
    // FIFOs and links are POSIX's: a folder and a device.
    const std::vector<std::string> names{path("folder"), "NUL"};
    const std::vector<std::string> left{"folder"};
#else
    ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", path("zero"));
    const std::vector<std::string> names{path("pipe"), path("folder"), path("zero"), "/dev/null"};
    const std::vector<std::string> left{"folder", "pipe", "zero"};
#endif
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const std::string open = name + ": open failed: not a regular file";
        EXPECT_EQ(errorOf([&] { RecordReader r(name, 4); }), open);
        EXPECT_EQ(errorOf([&] { countRecords(name, 4); }), open);
        EXPECT_EQ(errorOf([&] { AppendName(NameDirectory(), name, "Vega"); }), open);
        const std::string create = name + ": create failed: not a regular file";
        EXPECT_EQ(errorOf([&] { SafeSave w(name); }), create);
    }
    EXPECT_EQ(entries(), left);
}

// A save cut short by SIGINT or SIGTERM leaves the old file and no scratch or
// temporary file, and the process still ends by that signal.
TEST_F(RecordFileTest, InterruptedWritersRemoveTheirTemporaryFiles) {
#ifdef _WIN32
    GTEST_SKIP() << "signals sent by the test are POSIX's";
#else
    for (const int signal : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        fs::remove_all(root);
        fs::create_directories(root);
        scratch.write("list.dat", "old list");
        scratch.write("out.txt", "old text");
        const pid_t child = ::fork();
        if (child == 0) {
            SafeSave out(path("out.txt"));
            out.write("new", 3);
            NameListRewriter list(path("list.dat"));
            list.write("name");
            ::raise(signal);
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status));
        EXPECT_EQ(WTERMSIG(status), signal);
        EXPECT_EQ(entries(), (std::vector<std::string>{"list.dat", "out.txt"}));
        EXPECT_EQ(bytes("out.txt"), "old text");
        EXPECT_EQ(bytes("list.dat"), "old list");
    }
#endif
}

TEST_F(RecordFileTest, MessagesShowControlBytesAsEscapes) {
    const std::string name = path(std::string("bad\x1B[2J\tname", 12));
    EXPECT_EQ(errorOf([&] { RecordReader r(name, 4); }),
              path("bad\\x1B[2J\\tname") + ": open failed: No such file or directory");
    EXPECT_EQ(errorOf([&] { RecordReader r(std::string("a\0b", 3), 4); }),
              "a\\x00b: open failed: the name holds a NUL byte");
}

}  // namespace

namespace {

// A file name in any script reads in a message as the user wrote it, also
// where a byte of its UTF-8 form is one an 8-bit terminal takes as a control.
TEST_F(RecordFileTest, MessagesShowFileNamesInEveryScript) {
    for (const std::string name :
         {"mapy/Kraków/żółw.sdf", "χάρτες/ήλιος.sdf", "карты/солнце.sdf", "地图/太阳.sdf"}) {
        const std::string full = vk_test::utf8(root) + "/" + name;
        EXPECT_EQ(errorOf([&] { RecordReader r(full, 4); }).rfind(full + ": open failed: ", 0), 0u);
    }
}

TEST(PrintableBytesTest, KeepsCharactersAndEscapesWhatIsNone) {
    const struct {
        std::string bytes;
        std::string shown;
    } cases[] = {
        {"Vega \xC5lpha \xFF", "Vega \xC5lpha \xFF"},                  // the files' Latin-1
        {"\xC2\x85next \xC2\x9B[2J", "\\xC2\\x85next \\xC2\\x9B[2J"},  // 8-bit controls as UTF-8
        {"a\x9B[2J\x85", "a\\x9B[2J\\x85"},                            // and as bytes
        {"cut \xE5\x9C", "cut \xE5\\x9C"},                             // broken sequences
        {"\xC0\x80 \xED\xA0\x80 \xF4\x90\x80\x80", "\xC0\\x80 \xED\xA0\\x80 \xF4\\x90\\x80\\x80"},
        {"a\xE2\x80\xAE"
         "fds.exe\xE2\x80\xA8",
         "a\\u202Efds.exe\\u2028"},  // reorder, break a line
        {std::string("t\0\t\x7F", 4), "t\\x00\\t\\x7F"},
    };
    for (const auto& c : cases) EXPECT_EQ(printableBytes(c.bytes), c.shown) << c.shown;
}

}  // namespace
