#include "platform/core/AtomicFile.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class FileTest : public ::testing::Test
{
protected:
    CString Path(const char* name) const { return FromUtf8(m_folder.PathOf(name)); }
    std::string Content(const char* name) const { return m_folder.Read(name); }

    size_t EntryCount() const
    {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(m_dir), {}));
    }

    TempFolder m_folder;
    const std::string& m_dir = m_folder.Path();
};

template <class F>
void ExpectFileException(F f)
{
    try {
        f();
        ADD_FAILURE() << "no CFileException";
    } catch (CFileException* e) {
        e->Delete();
    }
}

} // namespace

TEST_F(FileTest, openReadsOnlyExistingFilesAndNeverAFolder)
{
    CFile file;
    CFileException error(CFileException::none, 0, CString());
    EXPECT_FALSE(file.Open(Path("missing"), CFile::modeRead | CFile::typeBinary, &error));
    EXPECT_EQ(error.m_lOsError, ENOENT);
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_FALSE(file.Open(FromUtf8(m_dir), CFile::modeRead | CFile::typeBinary));
    EXPECT_FALSE(file.Open(FromUtf8(m_dir), CFile::modeCreate | CFile::modeWrite));
    EXPECT_EQ(file.m_hFile, CFile::hFileNull);
}

TEST_F(FileTest, openTakesRegularFilesAndLinksToThemOnlyAndNeverWaits)
{
    // No writer will ever come: an open that waited for one would never return.
    ASSERT_EQ(mkfifo((m_dir + "/fifo").c_str(), 0600), 0);
    ASSERT_EQ(symlink("/dev/null", (m_dir + "/device").c_str()), 0);
    std::ofstream(m_dir + "/plain") << "abc";
    ASSERT_EQ(symlink("plain", (m_dir + "/link").c_str()), 0);
    for (const char* name : {"fifo", "device"}) {
        CFile file;
        CFileException error(CFileException::none, 0, CString());
        EXPECT_FALSE(file.Open(Path(name), CFile::modeRead | CFile::typeBinary, &error)) << name;
        EXPECT_NE(error.m_lOsError, 0) << name;
        EXPECT_NE(error.m_lOsError, ENOENT) << name;
        EXPECT_FALSE(file.Open(Path(name), CFile::modeCreate | CFile::modeWrite)) << name;
    }
    CFile file;
    ASSERT_TRUE(file.Open(Path("link"), CFile::modeRead | CFile::typeBinary));
    char buffer[4] = {};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 3u);
}

TEST_F(FileTest, createTruncatesAndReadGetsWhatWasWritten)
{
    {
        CFile file;
        ASSERT_TRUE(file.Open(Path("f"), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        file.Write("0123456789", 10);
        file.Close();
        ASSERT_TRUE(file.Open(Path("f"), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary));
        file.Write("ab\0c", 4);
    }
    CFile file;
    ASSERT_TRUE(file.Open(Path("f"), CFile::modeRead | CFile::typeBinary));
    EXPECT_EQ(file.GetLength(), 4u);
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 4u);
    EXPECT_EQ(std::string(buffer, 4), std::string("ab\0c", 4));
}

TEST_F(FileTest, failingReadsAndWritesRaise)
{
    CFile file;
    ASSERT_TRUE(file.Open(Path("f"), CFile::modeCreate | CFile::modeWrite));
    char buffer[4];
    ExpectFileException([&] { file.Read(buffer, sizeof buffer); });
    file.Close();
    ASSERT_TRUE(file.Open(Path("f"), CFile::modeRead));
    ExpectFileException([&] { file.Write("x", 1); });
}

TEST_F(FileTest, atomicReplacementKeepsTheOldContentUntilCommit)
{
    std::ofstream(m_dir + "/target") << "old";
    chmod((m_dir + "/target").c_str(), 0640);
    {
        CAtomicFile file;
        ASSERT_TRUE(file.Open(Path("target")));
        file.Write("new", 3);
        EXPECT_EQ(Content("target"), "old");
    }
    EXPECT_EQ(Content("target"), "old");
    EXPECT_EQ(EntryCount(), 1u);

    CAtomicFile file;
    ASSERT_TRUE(file.Open(Path("target")));
    file.Write("new content", 11);
    file.Commit();
    EXPECT_EQ(Content("target"), "new content");
    EXPECT_EQ(EntryCount(), 1u);
    struct stat st;
    ASSERT_EQ(stat((m_dir + "/target").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(FileTest, atomicReplacementThatCannotRenameRaisesAndCleansUp)
{
    std::filesystem::create_directory(m_dir + "/target");
    CAtomicFile file;
    ASSERT_TRUE(file.Open(Path("target")));
    file.Write("new", 3);
    ExpectFileException([&] { file.Commit(); });
    EXPECT_TRUE(std::filesystem::is_directory(m_dir + "/target"));
    EXPECT_EQ(EntryCount(), 1u);

    CAtomicFile nowhere;
    EXPECT_FALSE(nowhere.Open(Path("missing/target")));

    // Where no lock can be had, another replacement may swap the temporary file for its own,
    // which is then neither renamed over the target nor removed.
    std::ofstream(m_dir + "/plain") << "old";
    CAtomicFile swapped;
    ASSERT_TRUE(swapped.Open(Path("plain")));
    swapped.Write("new", 3);
    for (const auto& entry : std::filesystem::directory_iterator(m_dir)) {
        if (entry.path().extension() == ".tmp") {
            std::filesystem::remove(entry.path());
            std::ofstream(entry.path()) << "other";
        }
    }
    ExpectFileException([&] { swapped.Commit(); });
    EXPECT_EQ(Content("plain"), "old");
    EXPECT_EQ(EntryCount(), 3u);
}

TEST_F(FileTest, aKilledReplacementLeavesOneOwnerOnlyFileThatTheNextTakesOver)
{
    std::ofstream(m_dir + "/target") << "old";
    for (int kill = 0; kill < 3; ++kill) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            CAtomicFile file;
            if (file.Open(Path("target")))
                file.Write("secret", 6);
            raise(SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status));
    }
    EXPECT_EQ(Content("target"), "old");
    ASSERT_EQ(EntryCount(), 3u);
    for (const auto& entry : std::filesystem::directory_iterator(m_dir)) {
        struct stat st;
        ASSERT_EQ(stat(entry.path().c_str(), &st), 0);
        // The temporary file, and the empty lock file.
        if (entry.path().filename() != "target") {
            EXPECT_TRUE((st.st_mode & 0777) == 0600u || st.st_size == 0) << entry.path();
        }
    }

    CAtomicFile file;
    ASSERT_TRUE(file.Open(Path("target")));
    file.Write("new", 3);
    file.Commit();
    EXPECT_EQ(Content("target"), "new");
    EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(FileTest, everyNameTheFolderCanHoldCanBeReplaced)
{
    for (size_t length : {200u, 249u, 255u}) {
        const std::string name(length, 'n');
        std::ofstream(m_dir + "/" + name) << "old";
        CAtomicFile file;
        ASSERT_TRUE(file.Open(Path(name.c_str()))) << length;
        file.Write("new", 3);
        file.Commit();
        EXPECT_EQ(Content(name.c_str()), "new") << length;
    }
    EXPECT_EQ(EntryCount(), 3u);
}

TEST_F(FileTest, replacementGoesThroughLinksAndKeepsOnlyReadAndWriteBits)
{
    std::filesystem::create_directory(m_dir + "/real");
    std::ofstream(m_dir + "/real/target") << "old";
    ASSERT_EQ(chmod((m_dir + "/real/target").c_str(), 07750), 0);
    ASSERT_EQ(symlink("real/target", (m_dir + "/hop").c_str()), 0);
    ASSERT_EQ(symlink("hop", (m_dir + "/link").c_str()), 0);
    ASSERT_EQ(symlink("real/later", (m_dir + "/dangling").c_str()), 0);

    for (const char* name : {"link", "dangling"}) {
        CAtomicFile file;
        ASSERT_TRUE(file.Open(Path(name))) << name;
        file.Write("new", 3);
        file.Commit();
    }

    EXPECT_EQ(Content("real/target"), "new");
    EXPECT_EQ(Content("real/later"), "new");
    for (const char* name : {"hop", "link", "dangling"})
        EXPECT_TRUE(std::filesystem::is_symlink(m_dir + "/" + name)) << name;
    struct stat st;
    ASSERT_EQ(stat((m_dir + "/real/target").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(EntryCount(), 4u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir + "/real"), {}), 2);
}

TEST_F(FileTest, replacementsOfOneFileTakeTurnsAndEachLeavesItWhole)
{
    const std::string contents[] = {std::string(50000, 'a'), std::string(70000, 'b')};
    std::ofstream(m_dir + "/target") << contents[0];
    ASSERT_EQ(chmod((m_dir + "/target").c_str(), 0644), 0);
    std::atomic<int> failed{0};
    auto replace = [&](const std::string& content) {
        for (int i = 0; i < 50; ++i) {
            CAtomicFile file;
            if (!file.Open(Path("target"))) {
                ++failed;
                continue;
            }
            try {
                file.Write(content.data(), static_cast<UINT>(content.size()));
                file.Commit();
            } catch (CFileException* e) {
                e->Delete();
                ++failed;
            }
            const std::string now = Content("target");
            if (now != contents[0] && now != contents[1])
                ++failed;
        }
    };
    std::thread other(replace, contents[1]);
    replace(contents[0]);
    other.join();
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(EntryCount(), 1u);
    struct stat st;
    ASSERT_EQ(stat((m_dir + "/target").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);

    // One under way, the next gives up after its wait rather than overlap.
    CAtomicFile first;
    ASSERT_TRUE(first.Open(Path("target")));
    CAtomicFile second;
    EXPECT_FALSE(second.Open(Path("target"), std::chrono::milliseconds(100)));
    first.Write("first", 5);
    first.Commit();
    EXPECT_EQ(Content("target"), "first");
}

// Each row replaces a file of uid 1001, group 2000, mode 0660 as another user.
TEST_F(FileTest, replacementByAnotherUserKeepsOwnerAndGroupAsFarAsItMay)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to act as other users";
    struct Row
    {
        uid_t uid;
        std::vector<gid_t> groups;
        const char* folder;
        uid_t expectedUid;
        gid_t expectedGid;
        mode_t expectedMode;
    } rows[] = {
        {0, {0}, "0777", 1001, 2000, 0660},
        {1002, {1002, 2000}, "0777", 1002, 2000, 0660},
        // Not of the group: it gets no more than everybody else.
        {1003, {1003}, "0777", 1003, 1003, 0600},
        // A folder it may write in but not read.
        {1002, {1002, 2000}, "0333", 1002, 2000, 0660},
    };
    ASSERT_EQ(chmod(m_dir.c_str(), 0755), 0);
    for (const Row& row : rows) {
        const std::string folder = m_dir + "/" + row.folder;
        std::filesystem::create_directory(folder);
        ASSERT_EQ(chmod(folder.c_str(), std::stoi(row.folder, nullptr, 8)), 0);
        std::ofstream(folder + "/target") << "old";
        ASSERT_EQ(chown((folder + "/target").c_str(), 1001, 2000), 0);
        ASSERT_EQ(chmod((folder + "/target").c_str(), 0660), 0);
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            const gid_t gid = row.groups[0];
            CAtomicFile file;
            if (setgroups(row.groups.size(), row.groups.data()) != 0 || setresgid(gid, gid, gid) != 0 ||
                setresuid(row.uid, row.uid, row.uid) != 0 || !file.Open(FromUtf8(folder + "/target")))
                _exit(1);
            try {
                file.Write("new", 3);
                file.Commit();
                _exit(0);
            } catch (CFileException*) {
                _exit(1);
            }
        }
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_EQ(status, 0) << row.uid << " in " << row.folder;
        struct stat st;
        ASSERT_EQ(stat((folder + "/target").c_str(), &st), 0);
        EXPECT_EQ(st.st_uid, row.expectedUid) << row.uid;
        EXPECT_EQ(st.st_gid, row.expectedGid) << row.uid;
        EXPECT_EQ(st.st_mode & 07777, row.expectedMode) << row.uid;
    }
}
