#include "platform/ui/WinAppEx.h"

#include "platform/core/Exceptions.h"
#include "platform/ui/Icon.h"
#include "platform/ui/MessageBox.h"

namespace {
const wchar_t* const kCommandFailedText = L"命令失败。";
const wchar_t* const kInternalFailureText = L"出现内部应用程序错误。";
} // namespace

HICON CWinAppEx::LoadIcon(UINT nIDResource) const
{
    return AfxLoadIconResource(nIDResource);
}

LRESULT CWinAppEx::ProcessWndProcException(CException* e, const MSG* pMsg)
{
    TCHAR szText[512];
    CString text;
    if (e->GetErrorMessage(szText, sizeof szText / sizeof szText[0]))
        text = szText;
    else if (pMsg && pMsg->message == WM_COMMAND && pMsg->lParam == 0)
        text = kCommandFailedText;
    else
        text = kInternalFailureText;
    AfxMessageBox(text, MB_OK | MB_ICONSTOP);
    return 0;
}

CWinAppEx* AfxGetAppEx()
{
    return dynamic_cast<CWinAppEx*>(AfxGetApp());
}
