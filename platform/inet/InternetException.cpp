#include "platform/inet/InternetException.h"

namespace {

// Every text the Internet layer shows the operator.
LPCTSTR InternetErrorText(DWORD dwError)
{
    switch (dwError) {
    case ERROR_INTERNET_TIMEOUT: return L"操作超时。";
    case ERROR_INTERNET_INTERNAL_ERROR: return L"发生了内部错误。";
    case ERROR_INTERNET_INVALID_URL: return L"URL 无效。";
    case ERROR_INTERNET_NAME_NOT_RESOLVED: return L"无法解析服务器名称或地址。";
    case ERROR_INTERNET_OPERATION_CANCELLED: return L"操作已取消。";
    case ERROR_INTERNET_INCORRECT_HANDLE_STATE: return L"请求的操作无法执行，因为所提供的句柄状态不正确。";
    case ERROR_INTERNET_CANNOT_CONNECT: return L"无法与服务器建立连接。";
    case ERROR_INTERNET_CONNECTION_ABORTED: return L"与服务器的连接意外终止。";
    case ERROR_INTERNET_CONNECTION_RESET: return L"与服务器的连接已被重置。";
    case ERROR_HTTP_INVALID_SERVER_RESPONSE: return L"服务器返回了无效或无法识别的响应。";
    case ERROR_HTTP_REDIRECT_FAILED: return L"重定向失败。";
    default: return nullptr;
    }
}

} // namespace

BOOL CInternetException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT*) const
{
    LPCTSTR text = InternetErrorText(m_dwError);
    return CopyMessage(text ? CString(text) : CString(), lpszError, nMaxError);
}

void AfxThrowInternetException(DWORD dwError)
{
    throw new CInternetException(dwError);
}
