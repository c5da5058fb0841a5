#include "platform/core/AtomicFile.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

class FileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/quorvane-file-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(m_dir); }

    CString Path(const char* name) const { return FromUtf8(m_dir + "/" + name); }

    std::string Content(const char* name) const
    {
        std::ifstream in(m_dir + "/" + name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    size_t EntryCount() const
    {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(m_dir), {}));
    }

    std::string m_dir;
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
}
