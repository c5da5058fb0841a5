#include "registry/AccountFile.h"

#include "platform/core/AtomicFile.h"
#include "platform/core/WinApp.h"
#include "registry/Account.h"
#include "registry/AccountFormat.h"
#include "registry/UserListLock.h"

#include <cerrno>
#include <climits>
#include <optional>
#include <string>
#include <sys/stat.h>

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

bool WriteWhole(const CString& strPath, const std::string& bytes)
{
    CAtomicFile file;
    if (strPath.IsEmpty() || !file.Open(strPath))
        return false;
    try {
        file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
        file.Commit();
        return true;
    } catch (CFileException* e) {
        e->Delete();
        return false;
    }
}

// The bytes of the last file loaded when they are more than the account read from them (a
// damaged file, or one another program rewrote): a save would drop the rest, so the first one
// keeps them beside the file.
struct UnreadFile
{
    CString strAccount;
    std::string bytes;
};

std::optional<UnreadFile>& PendingBackup()
{
    static std::optional<UnreadFile> pending;
    return pending;
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
    const CString strPath = AccountFilePath(strAccount);
    if (strPath.IsEmpty())
        return false;
    std::optional<UnreadFile>& pending = PendingBackup();
    if (pending && pending->strAccount == strAccount) {
        if (!WriteWhole(strPath + L".bak", pending->bytes))
            return false;
        pending.reset();
    }
    return WriteWhole(strPath, FormatAccountFile(g_strPassword, g_arrDevGroup));
}

bool CreateAccountFile(const CString& strAccount, const CString& strPassword)
{
    return WriteWhole(AccountFilePath(strAccount), FormatAccountFile(strPassword, CArray<DEVGROUP, DEVGROUP>()));
}

AccountLoadResult LoadAccountFile(const CString& strAccount)
{
    PendingBackup().reset();
    const CString strPath = AccountFilePath(strAccount);
    if (strPath.IsEmpty())
        return AccountLoadResult::NoFile;
    CFile file;
    CFileException error(CFileException::none, 0, CString());
    if (!file.Open(strPath, CFile::modeRead | CFile::typeBinary, &error))
        return MeansNoFile(error.m_lOsError) ? AccountLoadResult::NoFile : AccountLoadResult::ReadFailed;
    std::string bytes;
    try {
        const ULONGLONG length = file.GetLength();
        if (length >= UINT_MAX)
            return AccountLoadResult::ReadFailed;
        bytes.resize(static_cast<size_t>(length));
        // A file that shrank under us is as unreadable as one with a bad sector.
        if (file.Read(bytes.data(), static_cast<UINT>(length)) != length)
            return AccountLoadResult::ReadFailed;
        file.Close();
    } catch (CFileException* e) {
        e->Delete();
        return AccountLoadResult::ReadFailed;
    }

    CString strPassword;
    CArray<DEVGROUP, DEVGROUP> arrDevGroup;
    if (!ParseAccountFile(bytes.data(), bytes.size(), strPassword, arrDevGroup))
        PendingBackup() = UnreadFile{strAccount, std::move(bytes)};
    {
        CUserListLock lock;
        g_arrDevGroup = std::move(arrDevGroup);
    }
    g_strPassword = strPassword;
    return AccountLoadResult::Loaded;
}
