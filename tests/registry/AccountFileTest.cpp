#include "registry/AccountFile.h"
#include "platform/core/WinApp.h"
#include "registry/Account.h"
#include "tests/support/AccountData.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The executable's folder is a temporary folder of its own; the account globals start empty.
class AccountFileTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_app.SetExecutablePath(FromUtf8(m_folder.PathOf("quorvane")));
        g_arrDevGroup.RemoveAll();
        g_strPassword.Empty();
    }

    CWinApp m_app;
    TempFolder m_folder;
    const std::string& m_dir = m_folder.Path();
};

} // namespace

TEST_F(AccountFileTest, pathIsTheExecutablesFolderAndTheAccountName)
{
    EXPECT_EQ(AccountFilePath(L"张三"), FromUtf8(m_dir + "/张三.cfg"));
    EXPECT_EQ(AccountFilePath(L"a b\\c"), FromUtf8(m_dir + "/a b\\c.cfg"));
}

TEST_F(AccountFileTest, aFolderNamedInGbkHoldsItsAccounts)
{
    // "中文" as an archive made on the original platform names it.
    const std::string folder = "\xD6\xD0\xCE\xC4";
    std::filesystem::create_directory(m_folder.PathOf(folder));
    m_folder.Write(folder + "/acc.cfg", "pw\r\n{u}\r\n");
    m_app.SetExecutablePath(PathFromBytes(m_folder.PathOf(folder + "/quorvane")));

    EXPECT_TRUE(AccountFileExists(L"acc"));
    ASSERT_EQ(LoadAccountFile(L"acc"), AccountLoadResult::Loaded);
    EXPECT_EQ(g_strPassword, L"pw");
    g_arrDevGroup.Add(MakeUser(L"v", 1));
    ASSERT_TRUE(SaveAccountFile(L"acc"));
    ASSERT_TRUE(CreateAccountFile(L"new", L"pw"));
    EXPECT_EQ(m_folder.Read(folder + "/acc.cfg"), "pw\r\n{u}\r\n{v}\r\n" + Gbk(DeviceLine("v", 0)));
    EXPECT_EQ(m_folder.Read(folder + "/new.cfg"), "pw\r\n");
    EXPECT_EQ(m_folder.Listing(), folder + ";");
}

TEST_F(AccountFileTest, namesThatLeadOutOfTheFolderAreNeverFiles)
{
    std::filesystem::create_directory(m_folder.PathOf("sub"));
    m_folder.Write("sub/x.cfg", "pw\r\n");
    for (const CString& name : {CString(L"sub/x"), CString(L"../x"), CString(L"x\0y", 3)}) {
        EXPECT_TRUE(AccountFilePath(name).IsEmpty()) << name;
        EXPECT_FALSE(AccountFileExists(name)) << name;
        EXPECT_EQ(LoadAccountFile(name), AccountLoadResult::NoFile) << name;
        EXPECT_FALSE(CreateAccountFile(name, L"pw")) << name;
        EXPECT_FALSE(SaveAccountFile(name)) << name;
    }
    EXPECT_EQ(m_folder.Listing(), "sub;");
    EXPECT_FALSE(std::filesystem::exists(m_dir + "/../x.cfg"));
}

TEST_F(AccountFileTest, dotAndDotDotAreOrdinaryAccounts)
{
    m_folder.Write("...cfg", "up\r\n{u}\r\n");
    ASSERT_EQ(LoadAccountFile(L".."), AccountLoadResult::Loaded);
    EXPECT_EQ(g_strPassword, L"up");
    ASSERT_EQ(g_arrDevGroup.GetSize(), 1);
    EXPECT_TRUE(SaveAccountFile(L".."));
    EXPECT_EQ(m_folder.Read("...cfg"), "up\r\n{u}\r\n");

    EXPECT_FALSE(AccountFileExists(L"."));
    ASSERT_TRUE(CreateAccountFile(L".", L"dot"));
    EXPECT_TRUE(AccountFileExists(L"."));
    EXPECT_EQ(m_folder.Read("..cfg"), "dot\r\n");
    EXPECT_EQ(AccountFilePath(L"."), FromUtf8(m_dir + "/..cfg"));
    EXPECT_EQ(m_folder.Listing().size(), std::string("..cfg;...cfg;").size());
}

TEST_F(AccountFileTest, everyNameWhoseFileCanExistIsCreatedSavedAndLoaded)
{
    for (int length : {245, 251}) {
        const CString name(L'x', length);
        ASSERT_TRUE(CreateAccountFile(name, L"pw")) << length;
        // Damaged since: the save keeps it under a name the folder can hold.
        m_folder.Write(std::string(length, 'x') + ".cfg", "pw\r\n{u");
        ASSERT_EQ(LoadAccountFile(name), AccountLoadResult::Loaded) << length;
        g_arrDevGroup.Add(MakeUser(L"u", 1));
        EXPECT_TRUE(SaveAccountFile(name)) << length;
        EXPECT_EQ(LoadAccountFile(name), AccountLoadResult::Loaded) << length;
        EXPECT_EQ(g_arrDevGroup.GetSize(), 1) << length;
    }
    const std::string x245(245, 'x'), x251(251, 'x');
    EXPECT_EQ(m_folder.Listing(), x245 + ".cfg;" + x245 + ".cfg.bak;" + x251 + ".cfg;" + x251 + "~;");
    EXPECT_EQ(m_folder.Read(x251 + "~"), "pw\r\n{u");

    // One byte more and the file name is over the folder's limit.
    EXPECT_EQ(LoadAccountFile(CString(L'x', 252)), AccountLoadResult::NoFile);
    EXPECT_EQ(LoadAccountFile(CString(L'x', 300)), AccountLoadResult::NoFile);
    EXPECT_FALSE(SaveAccountFile(CString(L'x', 300)));
}

TEST_F(AccountFileTest, onlyARegularFileOrALinkToOneIsRead)
{
    ASSERT_EQ(mkfifo(m_folder.PathOf("fifo.cfg").c_str(), 0600), 0);
    // A writer is there, so that a reader that opened the FIFO would find it empty instead of
    // waiting for ever.
    const int writer = open(m_folder.PathOf("fifo.cfg").c_str(), O_RDWR | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    ASSERT_EQ(symlink("/dev/null", m_folder.PathOf("device.cfg").c_str()), 0);
    m_folder.Write("real", "pw\r\n{u}\r\n");
    ASSERT_EQ(symlink("real", m_folder.PathOf("link.cfg").c_str()), 0);

    g_strPassword = L"keep";
    EXPECT_EQ(LoadAccountFile(L"fifo"), AccountLoadResult::ReadFailed);
    EXPECT_EQ(LoadAccountFile(L"device"), AccountLoadResult::ReadFailed);
    EXPECT_EQ(g_strPassword, L"keep");
    close(writer);

    ASSERT_EQ(LoadAccountFile(L"link"), AccountLoadResult::Loaded);
    EXPECT_EQ(g_strPassword, L"pw");
    EXPECT_EQ(g_arrDevGroup.GetSize(), 1);
}

TEST_F(AccountFileTest, creationWritesThePasswordLineAloneAndLoadsBack)
{
    ASSERT_TRUE(CreateAccountFile(L"alice", L"中文pw"));
    EXPECT_EQ(m_folder.Read("alice.cfg"), "\xD6\xD0\xCE\xC4pw\r\n");
    EXPECT_TRUE(AccountFileExists(L"alice"));
    g_arrDevGroup.Add(MakeUser(L"stale", 1));
    ASSERT_EQ(LoadAccountFile(L"alice"), AccountLoadResult::Loaded);
    EXPECT_EQ(g_strPassword, L"中文pw");
    EXPECT_EQ(g_arrDevGroup.GetSize(), 0);
    EXPECT_EQ(m_folder.Listing(), "alice.cfg;");
}

TEST_F(AccountFileTest, saveRewritesTheWholeFileAndLoadReadsItBack)
{
    m_folder.Write("bob.cfg", "old\r\n{old user}\r\n");
    g_strPassword = L"";
    g_arrDevGroup.Add(MakeUser(L"u", 2));
    ASSERT_TRUE(SaveAccountFile(L"bob"));
    EXPECT_EQ(m_folder.Read("bob.cfg"), "\r\n{u}\r\n" + Gbk(DeviceLine("u", 0) + DeviceLine("u", 1)));

    g_strPassword = L"x";
    g_arrDevGroup.RemoveAll();
    ASSERT_EQ(LoadAccountFile(L"bob"), AccountLoadResult::Loaded);
    EXPECT_EQ(g_strPassword, L"");
    CArray<DEVGROUP, DEVGROUP> expected;
    expected.Add(MakeUser(L"u", 2));
    EXPECT_TRUE(SameGroups(g_arrDevGroup, expected));
}

TEST_F(AccountFileTest, aMissingOrUnreadableFileTouchesNothing)
{
    g_strPassword = L"keep";
    g_arrDevGroup.Add(MakeUser(L"keep", 1));
    EXPECT_EQ(LoadAccountFile(L"nobody"), AccountLoadResult::NoFile);
    std::filesystem::create_directory(m_folder.PathOf("folder.cfg"));
    EXPECT_EQ(LoadAccountFile(L"folder"), AccountLoadResult::ReadFailed);
    EXPECT_EQ(g_strPassword, L"keep");
    EXPECT_EQ(g_arrDevGroup.GetSize(), 1);
}

TEST_F(AccountFileTest, aFailedSaveLeavesThePreviousFileWhole)
{
    const std::string old = "old\r\n{u}\r\na|b|c|d|e|1\r\n";
    m_folder.Write("carol.cfg", old);
    g_strPassword = L"new";
    g_arrDevGroup.Add(MakeUser(L"many", 2000));

    // The file-size limit makes the write fail part-way, as a full disk would.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool saved1 = SaveAccountFile(L"carol");
    const bool created = CreateAccountFile(L"carol", CString(L'p', 5000));
    setrlimit(RLIMIT_FSIZE, &saved);

    EXPECT_FALSE(saved1);
    EXPECT_FALSE(created);
    EXPECT_EQ(m_folder.Read("carol.cfg"), old);
    EXPECT_EQ(m_folder.Listing(), "carol.cfg;");
}

TEST_F(AccountFileTest, aSaveThatCannotReplaceTheFileFails)
{
    std::filesystem::create_directory(m_folder.PathOf("dave.cfg"));
    EXPECT_FALSE(SaveAccountFile(L"dave"));
    EXPECT_TRUE(std::filesystem::is_directory(m_folder.PathOf("dave.cfg")));
    EXPECT_EQ(m_folder.Listing(), "dave.cfg;");

    m_app.SetExecutablePath(FromUtf8(m_dir + "/missing/quorvane"));
    EXPECT_FALSE(SaveAccountFile(L"dave"));
    EXPECT_FALSE(CreateAccountFile(L"dave", L"pw"));
}

TEST(AccountFileWithoutApp, hasNoPath)
{
    ASSERT_EQ(AfxGetApp(), nullptr);
    EXPECT_TRUE(AccountFilePath(L"alice").IsEmpty());
    EXPECT_FALSE(SaveAccountFile(L"alice"));
    EXPECT_EQ(LoadAccountFile(L"alice"), AccountLoadResult::NoFile);
}

TEST_F(AccountFileTest, aFileReadOnlyInPartIsKeptAsItWasBeforeTheFirstSave)
{
    const std::string kDamaged[] = {
        // Re-saved as UTF-8 by a text editor.
        "\xE5\xAF\x86\xE7\xA0\x81\r\n{\xE5\xBC\xA0\xE4\xB8\x89}\r\nid|key|dev|\xE7\x81\xAF|\xE6\xA5\xBC|1\r\n{b}\r\n",
        "pw\r\n{a}\r\n1|2|3|4|5|6\r\n{b\r\n7|8|9|10|11|12\r\n",
        std::string("pw\r\n{a}\r\n1|2|3|4|5|6\r\n\0{b}\r\n7|8|9|10|11|12\r\n", 44),
        // The lead byte takes the only "}" as its second byte.
        "pw\r\n{a\x81}\r\n1|2|3|4|5|6\r\n",
    };
    for (const std::string& bytes : kDamaged) {
        m_folder.Write("acc.cfg", bytes);
        ASSERT_EQ(LoadAccountFile(L"acc"), AccountLoadResult::Loaded);
        g_arrDevGroup.Add(MakeUser(L"new", 1));
        ASSERT_TRUE(SaveAccountFile(L"acc"));
        EXPECT_EQ(m_folder.Read("acc.cfg.bak"), bytes);
        EXPECT_NE(m_folder.Read("acc.cfg"), bytes);
        EXPECT_EQ(m_folder.Listing().size(), std::string("acc.cfg;acc.cfg.bak;").size());

        // Only the first save: what it wrote reads back whole.
        std::filesystem::remove(m_folder.PathOf("acc.cfg.bak"));
        ASSERT_TRUE(SaveAccountFile(L"acc"));
        EXPECT_EQ(m_folder.Listing(), "acc.cfg;");
    }
}

TEST_F(AccountFileTest, aFileThatReadsBackWholeGetsNoCopy)
{
    const std::string bytes = "\xD6\xD0\r\n{u}\r\n{v}\r\n1|2|3|4|5|6\r\n";
    m_folder.Write("acc.cfg", bytes);
    ASSERT_EQ(LoadAccountFile(L"acc"), AccountLoadResult::Loaded);
    ASSERT_TRUE(SaveAccountFile(L"acc"));
    EXPECT_EQ(m_folder.Read("acc.cfg"), bytes);
    EXPECT_EQ(m_folder.Listing(), "acc.cfg;");

    // A damaged file of another account leaves this one's save alone.
    m_folder.Write("other.cfg", "pw\r\n{x");
    ASSERT_EQ(LoadAccountFile(L"other"), AccountLoadResult::Loaded);
    ASSERT_TRUE(SaveAccountFile(L"acc"));
    EXPECT_FALSE(std::filesystem::exists(m_folder.PathOf("acc.cfg.bak")));
}

TEST_F(AccountFileTest, aFileRewrittenSinceTheLoadIsKeptAsACopyOnlyItsOwnerCanRead)
{
    m_folder.Write("acc.cfg", "pw\r\n{u}\r\n");
    ASSERT_EQ(chmod(m_folder.PathOf("acc.cfg").c_str(), 0600), 0);
    ASSERT_EQ(LoadAccountFile(L"acc"), AccountLoadResult::Loaded);
    const std::string edited = "pw\r\n{u}\r\n{added in an editor}\r\n";
    m_folder.Write("acc.cfg", edited);
    m_folder.Write("elsewhere", "keep");
    ASSERT_EQ(symlink("elsewhere", m_folder.PathOf("acc.cfg.bak").c_str()), 0);
    ASSERT_TRUE(SaveAccountFile(L"acc"));
    EXPECT_EQ(m_folder.Read("acc.cfg.bak"), edited);
    EXPECT_EQ(m_folder.Read("elsewhere"), "keep");
    struct stat st;
    ASSERT_EQ(lstat(m_folder.PathOf("acc.cfg.bak").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    // What the save wrote is what the next one finds.
    std::filesystem::remove(m_folder.PathOf("acc.cfg.bak"));
    ASSERT_TRUE(SaveAccountFile(L"acc"));
    EXPECT_EQ(m_folder.Listing(), "acc.cfg;elsewhere;");
}

TEST_F(AccountFileTest, noSaveWithoutTheCopyOfAFileReadOnlyInPart)
{
    const std::string bytes = "pw\r\n{a}\r\n1|2|3|4|5|6\r\n{b\r\n";
    m_folder.Write("acc.cfg", bytes);
    ASSERT_EQ(LoadAccountFile(L"acc"), AccountLoadResult::Loaded);
    std::filesystem::create_directory(m_folder.PathOf("acc.cfg.bak"));
    EXPECT_FALSE(SaveAccountFile(L"acc"));
    EXPECT_EQ(m_folder.Read("acc.cfg"), bytes);
}
