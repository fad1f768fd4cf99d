#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "cfile.h"
#include "core_test_support.h"
#include "exceptions.h"

namespace {

class FileTest : public CoreScratchDir {
  protected:
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator(m_dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

std::string fileError(const std::string& name, const std::string& detail) {
    return "File Error: " + name + "\nDetail: " + detail;
}

TEST_F(FileTest, OpenFailuresCarryTheirDetail) {
    const std::string missing = path("missing.inf");
    EXPECT_EQ(thrownMessage<cFileOpenException>([&] { cFile f(missing, cFile::kRead); }),
              fileError(missing, std::strerror(ENOENT)));

    writeBytes(path("a.inf"), "abc");
    cFile open(path("a.inf"), cFile::kRead);
    EXPECT_EQ(thrownMessage<cFileOpenException>([&] { open.open(path("a.inf"), cFile::kRead); }),
              fileError(path("a.inf"), "cFile was already open"));

    writeBytes(path("empty.inf"), "");
    cFile whole;
    EXPECT_EQ(thrownMessage<cFileOpenException>(
                  [&] { whole.open(path("empty.inf"), cFile::kWholeFile); }),
              fileError(path("empty.inf"), "???"));
    EXPECT_EQ(whole.mode(), 0);
    EXPECT_FALSE(whole.isOpen());
    // The failed whole-file open leaves the object reusable.
    whole.open(path("a.inf"), cFile::kWholeFile);
    EXPECT_EQ(whole.mode(), cFile::kWholeFileHeld);

    // Whole-file mode reports a missing file as a plain file error.
    std::string message =
        thrownMessage<cFileException>([&] { cFile f(missing, cFile::kWholeFile); });
    EXPECT_EQ(message, fileError(missing, std::strerror(ENOENT)));
}

TEST_F(FileTest, ModeFlags) {
    const std::string p = path("m.inf");
    writeBytes(p, "old");
    EXPECT_EQ(
        thrownMessage<cFileOpenException>([&] { cFile f(p, cFile::kWrite | cFile::kExclusive); }),
        fileError(p, std::strerror(EEXIST)));
    EXPECT_EQ(thrownMessage<cFileOpenException>(
                  [&] { cFile f(path("none.inf"), cFile::kWrite | cFile::kNoCreate); }),
              fileError(path("none.inf"), std::strerror(ENOENT)));

    {
        cFile f(p, cFile::kWrite | cFile::kAppend);
        f.write("+1", 2);
    }
    EXPECT_EQ(readBytes(p), "old+1");
    {
        cFile f(p, cFile::kWrite | cFile::kNoTruncate);
        f.write("N", 1);
    }
    EXPECT_EQ(readBytes(p), "Nld+1");
    {
        cFile f(p, cFile::kWrite);
        f.write("x", 1);
    }
    EXPECT_EQ(readBytes(p), "x");

    // serialize reads when the mode has read, writes otherwise.
    {
        cFile f(p, cFile::kRead | cFile::kWrite | cFile::kNoTruncate);
        char c = 0;
        EXPECT_EQ(f.serialize(&c, 1), 1u);
        EXPECT_EQ(c, 'x');
    }
    {
        cFile f(p, cFile::kWrite);
        char out[] = "yz";
        EXPECT_EQ(f.serialize(out, 2), 2u);
    }
    EXPECT_EQ(readBytes(p), "yz");
    EXPECT_TRUE(cFile::exists(p));
    EXPECT_FALSE(cFile::exists(path("none.inf")));
}

TEST_F(FileTest, ReadingNothingThrows) {
    writeBytes(path("z.inf"), "");
    writeBytes(path("one.inf"), "1");
    cFile empty(path("z.inf"), cFile::kRead);
    char buffer[8];
    EXPECT_EQ(thrownMessage<cFileException>([&] { empty.read(buffer, 0); }),
              fileError(path("z.inf"), "Unknown error"));

    cFile one(path("one.inf"), cFile::kRead);
    EXPECT_EQ(one.read(buffer, 8), 1u);  // short read at the end is a count, not an error
    EXPECT_TRUE(one.eof());
    EXPECT_EQ(thrownMessage<cFileException>([&] { one.read(buffer, 1); }),
              fileError(path("one.inf"), "Unknown error"));

    cFile whole(path("one.inf"), cFile::kWholeFile);
    EXPECT_EQ(whole.read(buffer, 8), 1u);
    EXPECT_TRUE(whole.eof());
    thrownMessage<cFileException>([&] { whole.read(buffer, 1); });
}

// Nothing but regular files is opened, and nothing blocks on the way: a FIFO
// without a writer would hang a plain open.
TEST_F(FileTest, RefusesWhatIsNotARegularFile) {
    std::filesystem::create_directory(path("dir.inf"));
    std::vector<std::string> names = {path("dir.inf"), vk_test::nullDevice()};
    if (vk_test::makeFifo(path("pipe.inf"))) names.push_back(path("pipe.inf"));
    if (vk_test::canMakeSymlinks(path(""))) {
        std::filesystem::create_symlink(vk_test::nullDevice(), path("null.inf"));
        names.push_back(path("null.inf"));
    }
    if (vk_test::kOnWindows) names.insert(names.end(), {"CON", "\\\\.\\pipe\\vk-no-server"});
    for (const std::string& name : names) {
        for (int mode : {cFile::kRead, cFile::kWholeFile, cFile::kWrite | cFile::kNoTruncate}) {
            for (bool backup : {false, true}) {
                SCOPED_TRACE(name + " mode " + std::to_string(mode) + (backup ? " backup" : ""));
                EXPECT_EQ(thrownMessage<cFileOpenException>([&] { cFile f(name, mode, backup); }),
                          fileError(name, "not a regular file"));
            }
        }
        EXPECT_FALSE(cFile::exists(name));
    }
    EXPECT_FALSE(present(path("pipe.inf.back")));
}
// Buffered reads and writes must agree with the file position callers see.
TEST_F(FileTest, BufferingKeepsPositionsExact) {
    const std::string p = path("big.bin");
    std::string data;
    for (int i = 0; i < 300000; ++i) data.push_back(static_cast<char>('a' + i % 26));
    {
        cFile f(p, cFile::kWrite);
        for (char c : data.substr(0, 1000)) f.write(&c, 1);
        f.write(data.data() + 1000, data.size() - 1000);
        EXPECT_EQ(f.tell(), static_cast<std::int64_t>(data.size()));
        EXPECT_EQ(f.length(), static_cast<std::int64_t>(data.size()));
        f.seek(4, cFile::Origin::Start);
        f.write("XYZW", 4);
        f.seek(0, cFile::Origin::End);
        f.write("!", 1);
    }
    data.replace(4, 4, "XYZW");
    data += "!";
    EXPECT_EQ(readBytes(p), data);

    cFile f(p, cFile::kRead);
    char c;
    f.read(&c, 1);
    EXPECT_EQ(c, 'a');
    EXPECT_EQ(f.tell(), 1);
    f.seek(2, cFile::Origin::Current);
    EXPECT_EQ(f.tell(), 3);
    std::string rest(data.size() - 3, '\0');
    EXPECT_EQ(f.read(rest.data(), rest.size()), rest.size());
    EXPECT_EQ(rest, data.substr(3));
    EXPECT_TRUE(f.eof());
}

TEST_F(FileTest, ReadStringInBothModes) {
    std::string content = std::string("alpha") + '\0' + std::string(70000, 'q') + '\0' + "tail";
    writeBytes(path("s.bin"), content);
    for (int mode : {cFile::kRead, cFile::kWholeFile}) {
        SCOPED_TRACE(mode);
        cFile f(path("s.bin"), mode);
        EXPECT_EQ(f.readString(), "alpha");
        EXPECT_EQ(f.tell(), 6);
        EXPECT_EQ(f.readString(), std::string(70000, 'q'));
        EXPECT_EQ(f.tell(), 70007);
        EXPECT_EQ(f.readString(), "");  // no NUL before the end
    }
}

TEST_F(FileTest, WholeFileSeekClamps) {
    writeBytes(path("w.inf"), "0123456789");
    cFile f(path("w.inf"), cFile::kWholeFile);
    EXPECT_EQ(f.length(), 10);
    f.seek(42, cFile::Origin::Start);
    EXPECT_EQ(f.tell(), 9);
    f.seek(-100, cFile::Origin::Current);
    EXPECT_EQ(f.tell(), 0);
    f.seek(3, cFile::Origin::Current);
    char c;
    f.read(&c, 1);
    EXPECT_EQ(c, '3');
    f.close();
    EXPECT_EQ(f.mode(), 0);
    EXPECT_FALSE(f.isOpen());
}

struct BackupCase {
    const char* name;
    bool oldBackup;
    bool backupFlag;
    int mode;
    const char* expectFile;
    const char* expectBackup;  // null: no backup file
};

class BackupTest : public CoreScratchDir, public ::testing::WithParamInterface<BackupCase> {};

TEST_P(BackupTest, BackupHoldsTheReplacedContent) {
    const BackupCase& c = GetParam();
    const std::string p = path("a.inf");
    writeBytes(p, "old");
    if (c.oldBackup) writeBytes(p + ".back", "older");
    {
        cFile f(p, c.mode, c.backupFlag);
        f.write("new", 3);
    }
    EXPECT_EQ(readBytes(p), c.expectFile);
    if (c.expectBackup) {
        EXPECT_EQ(readBytes(p + ".back"), c.expectBackup);
    } else {
        EXPECT_FALSE(present(p + ".back"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rules, BackupTest,
    ::testing::Values(BackupCase{"Fresh", false, true, cFile::kWrite, "new", "old"},
                      // An older backup is replaced, never left in the way of this one.
                      BackupCase{"ReplacesOld", true, true, cFile::kWrite, "new", "old"},
                      BackupCase{"NoFlag", false, false, cFile::kWrite, "new", nullptr},
                      BackupCase{"AppendKeeps", false, true, cFile::kWrite | cFile::kAppend,
                                 "oldnew", nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(FileTest, NoBackupForNewFileOrRead) {
    {
        cFile f(path("n.inf"), cFile::kWrite, true);
        f.write("n", 1);
    }
    EXPECT_FALSE(present(path("n.inf.back")));
    { cFile f(path("n.inf"), cFile::kRead, true); }
    EXPECT_FALSE(present(path("n.inf.back")));
}

TEST_F(FileTest, FailedBackupLeavesTheFileUntouched) {
    const std::string p = path("a.inf");
    writeBytes(p, "precious");
    // A non-empty directory in the backup's place cannot be replaced.
    std::filesystem::create_directory(p + ".back");
    writeBytes(p + ".back/x", "x");
    cFile f(p, cFile::kWrite, true);
    f.write("new", 3);
    std::string message = thrownMessage<cFileException>([&] { f.close(); });
    EXPECT_EQ(
        message.rfind(fileError(p, "cannot keep the previous content as " + p + ".back: "), 0), 0u)
        << message;
    EXPECT_EQ(readBytes(p), "precious");
    EXPECT_EQ(entries(), (std::vector<std::string>{"a.inf", "a.inf.back"}));
}

// A replacing write that fails or is abandoned leaves no trace.
TEST_F(FileTest, AbandonedReplacementLeavesNothingBehind) {
    const std::string p = path("a.inf");
    writeBytes(p, "old");
    try {
        cFile f(p, cFile::kWrite, true);
        f.write("partial", 7);
        throw 1;  // leaves the scope by an exception: nothing may be put in place
    } catch (int) {
    }
    EXPECT_EQ(readBytes(p), "old");
    EXPECT_EQ(entries(), std::vector<std::string>{"a.inf"});
}

// A symbolic link is replaced by the new file; what it points to keeps its content.
TEST_F(FileTest, ReplacesASymlinkInsteadOfWritingThroughIt) {
    if (!vk_test::canMakeSymlinks(path(""))) GTEST_SKIP() << "no symbolic links can be made here";
    writeBytes(path("target.inf"), "old");
    std::filesystem::create_symlink("target.inf", path("link.inf"));
    {
        cFile f(path("link.inf"), cFile::kWrite, true);
        f.write("new", 3);
        f.close();
    }
    EXPECT_FALSE(std::filesystem::is_symlink(path("link.inf")));
    EXPECT_EQ(readBytes(path("link.inf")), "new");
    EXPECT_EQ(readBytes(path("target.inf")), "old");
    EXPECT_EQ(readBytes(path("link.inf.back")), "old");
}

// Where hard links are refused the backup is a copy; its bytes must be exact.
TEST_F(FileTest, BackupCopyHoldsTheExactContent) {
    std::string content(200000, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7);
    writeBytes(path("big.inf"), content);
    ASSERT_EQ(copyFileContent(path("big.inf"), path("copy.inf")), 0);
    EXPECT_EQ(readBytes(path("copy.inf")), content);
    EXPECT_EQ(copyFileContent(path("big.inf"), path("copy.inf")), EEXIST);
    if (!vk_test::makeFifo(path("pipe"))) return;  // no FIFOs here
    EXPECT_NE(copyFileContent(path("pipe"), path("from-pipe")), 0);
    EXPECT_FALSE(present(path("from-pipe")));
}

}  // namespace