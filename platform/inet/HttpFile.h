#pragma once

#include "platform/core/String.h"
#include "platform/inet/HttpRequestPlan.h"
#include "platform/inet/InternetTypes.h"

#include <memory>
#include <string>

class CCurlTransfer;

// A request and, once sent, its answer's body. Reads raise CInternetException on a failure
// of the transfer.
class CInternetFile
{
public:
    virtual ~CInternetFile();
    CInternetFile(const CInternetFile&) = delete;
    CInternetFile& operator=(const CInternetFile&) = delete;

    // Up to nCount bytes of the body; 0 at its end (or when nCount is 0).
    UINT Read(void* lpBuf, UINT nCount);
    // Ends the exchange; the rest of the answer is not downloaded.
    virtual void Close();

protected:
    CInternetFile() = default;
    std::unique_ptr<CCurlTransfer> m_pTransfer;
};

class CHttpFile : public CInternetFile
{
public:
    explicit CHttpFile(HttpRequestPlan plan);
    ~CHttpFile() override;

    // Adds each line of pstrHeaders (lines may end in CR LF) whose header name, compared
    // without regard to case, is not yet on the request. Only HTTP_ADDREQ_FLAG_ADD_IF_NEW is
    // known. FALSE when a line was not added.
    BOOL AddRequestHeaders(LPCTSTR pstrHeaders, DWORD dwFlags = HTTP_ADDREQ_FLAG_ADD_IF_NEW);
    // Sends the request with dwOptionalLen bytes of body and waits for the answer's head.
    BOOL SendRequest(const void* lpOptional = nullptr, DWORD dwOptionalLen = 0);
    // FALSE when no status has been received.
    BOOL QueryInfoStatusCode(DWORD& dwStatusCode) const;

private:
    bool HasHeader(const std::string& name) const;

    HttpRequestPlan m_plan;
};
