#include "registry/AccountFile.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/WinApp.h"
#include "registry/Account.h"
#include "registry/AccountFormat.h"
#include "registry/UserListLock.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Any name without "/" or NUL stays inside the folder once ".cfg" follows it: "." and ".." are
// the files "..cfg" and "...cfg", and the empty name, which the login accepts, is ".cfg".
bool IsPlainFileName(const CString& strName)
{
    return strName.str().find_first_of(std::wstring(L"/\0", 2)) == std::wstring::npos;
}

// Errors of an open that say no account file can be there. Any other (no permission, a
// folder in its place) means a file may exist that we cannot read, which a later save must
// not replace.
bool MeansNoFile(int osError)
{
    return osError == ENOENT || osError == ENOTDIR || osError == ENAMETOOLONG || osError == ELOOP || osError == EINVAL;
}

AccountLoadResult ReadWhole(const CString& strPath, std::string& bytes)
{
    CFile file;
    CFileException error(CFileException::none, 0, CString());
    if (!file.Open(strPath, CFile::modeRead | CFile::typeBinary, &error))
        return MeansNoFile(error.m_lOsError) ? AccountLoadResult::NoFile : AccountLoadResult::ReadFailed;
    try {
        const ULONGLONG length = file.GetLength();
        if (length >= UINT_MAX)
            return AccountLoadResult::ReadFailed;
        bytes.resize(static_cast<size_t>(length));
        // A file that shrank under us is as unreadable as one with a bad sector.
        if (file.Read(bytes.data(), static_cast<UINT>(length)) != length)
            return AccountLoadResult::ReadFailed;
        file.Close();
        return AccountLoadResult::Loaded;
    } catch (CFileException* e) {
        e->Delete();
        return AccountLoadResult::ReadFailed;
    }
}

bool WriteAndCommit(CAtomicFile& file, const std::string& bytes)
{
    try {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Commit();
        return true;
    } catch (CFileException* e) {
        e->Delete();
        return false;
    }
}

// What this process last read from or wrote to an account file. A save keeps the file as it
// is beside it first when it no longer holds those bytes (another program or console rewrote
// it since), or when they did not read back whole (a damaged file): a save would drop them.
struct KnownFile
{
    CString strPath;
    std::string bytes;
    bool bWhole;
};

std::optional<KnownFile>& LastKnown()
{
    static std::optional<KnownFile> known;
    return known;
}

// "<name>.cfg.bak", or "<name>~" where the folder cannot hold that name, so that no account's
// copy fails for the length of its name alone. Not "<name>.bak": the account "x.cfg" would
// share it with the copy of the account "x".
CString CopyPathFor(const CString& strPath)
{
    const std::string path = PathToBytes(strPath);
    const size_t nameStart = path.rfind('/') + 1;
    const long maxName = ::pathconf(path.substr(0, nameStart).c_str(), _PC_NAME_MAX);
    if (maxName < 0 || path.size() - nameStart + 4 <= static_cast<size_t>(maxName))
        return strPath + L".bak";
    return strPath.Left(strPath.GetLength() - 4) + L"~";
}

// Compared piece by piece, so that the usual answer, yes, takes no room of its own.
bool HoldsExactly(CFile& file, const std::string& bytes)
{
    if (file.GetLength() != bytes.size())
        return false;
    char piece[65536];
    for (size_t done = 0; done < bytes.size();) {
        // Never more than is known: the file may grow while it is read.
        const UINT count = file.Read(piece, static_cast<UINT>(std::min(sizeof piece, bytes.size() - done)));
        if (count == 0 || std::memcmp(piece, bytes.data() + done, count) != 0)
            return false;
        done += count;
    }
    return true;
}

// Called while file holds the account file's lock, so that of two consoles saving in turn
// each keeps the other's version.
bool KeepChangedFile(const CString& strPath, const CAtomicFile& file)
{
    const std::optional<KnownFile>& known = LastKnown();
    if (!known || known->strPath != strPath)
        return true;
    CFile current;
    CFileException error(CFileException::none, 0, CString());
    if (!current.Open(strPath, CFile::modeRead | CFile::typeBinary, &error))
        return MeansNoFile(error.m_lOsError);
    try {
        if (known->bWhole && HoldsExactly(current, known->bytes))
            return true;
    } catch (CFileException* e) {
        e->Delete();
        return false;
    }
    std::string bytes;
    CAtomicFile copy;
    return ReadWhole(strPath, bytes) == AccountLoadResult::Loaded && copy.OpenCopy(CopyPathFor(strPath), file) &&
        WriteAndCommit(copy, bytes);
}

bool WriteAccountFile(const CString& strPath, std::string bytes)
{
    CAtomicFile file;
    if (strPath.IsEmpty() || !file.Open(strPath) || !KeepChangedFile(strPath, file) || !WriteAndCommit(file, bytes))
        return false;
    LastKnown() = KnownFile{strPath, std::move(bytes), true};
    return true;
}

} // namespace

CString AccountFilePath(const CString& strAccount)
{
    const CWinApp* pApp = AfxGetApp();
    if (!pApp || !IsPlainFileName(strAccount))
        return CString();
    // The help-file path is the executable's path with a four-character extension; less the
    // file name and that extension, it is the folder with its trailing separator.
    const CString strHelp(pApp->m_pszHelpFilePath);
    const int nFolder = strHelp.GetLength() - CString(pApp->m_pszExeName).GetLength() - 4;
    if (nFolder < 0)
        return CString();
    return strHelp.Left(nFolder) + strAccount + L".cfg";
}

bool AccountFileExists(const CString& strAccount)
{
    const CString strPath = AccountFilePath(strAccount);
    struct stat st;
    return !strPath.IsEmpty() && ::stat(PathToBytes(strPath).c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool SaveAccountFile(const CString& strAccount)
{
    return WriteAccountFile(AccountFilePath(strAccount), FormatAccountFile(g_strPassword, g_arrDevGroup));
}

bool CreateAccountFile(const CString& strAccount, const CString& strPassword)
{
    return WriteAccountFile(AccountFilePath(strAccount), FormatAccountFile(strPassword, CArray<DEVGROUP, DEVGROUP>()));
}

AccountLoadResult LoadAccountFile(const CString& strAccount)
{
    LastKnown().reset();
    std::string bytes;
    const CString strPath = AccountFilePath(strAccount);
    if (strPath.IsEmpty())
        return AccountLoadResult::NoFile;
    const AccountLoadResult read = ReadWhole(strPath, bytes);
    if (read != AccountLoadResult::Loaded) {
        // No file is nothing: one that appears before the first save is kept as a changed one.
        if (read == AccountLoadResult::NoFile)
            LastKnown() = KnownFile{strPath, std::string(), true};
        return read;
    }

    CString strPassword;
    CArray<DEVGROUP, DEVGROUP> arrDevGroup;
    const bool bWhole = ParseAccountFile(bytes.data(), bytes.size(), strPassword, arrDevGroup);
    LastKnown() = KnownFile{strPath, std::move(bytes), bWhole};
    {
        CUserListLock lock;
        g_arrDevGroup = std::move(arrDevGroup);
    }
    g_strPassword = strPassword;
    return AccountLoadResult::Loaded;
}
