#pragma once

#include "platform/inet/HttpRequestPlan.h"

#include <chrono>
#include <string>
#include <string_view>

typedef void CURL;
typedef void CURLM;

// One exchange over libcurl, driven from the calling thread. The answer's body is taken in
// one piece at a time: while the reader has not consumed a piece, the transfer is paused,
// so an answer is never downloaded further than it is read. Waits poll in short steps so
// that the calling thread's stop signal ends the exchange promptly, and so does the total
// time-out, counted from the send. Redirects to the same server are followed here, not by
// libcurl. An answer in a transfer coding other than chunked, or whose head and trailer lines
// run past a bound, is invalid. Failures raise CInternetException.
class CCurlTransfer
{
public:
    explicit CCurlTransfer(const HttpRequestPlan& plan);
    ~CCurlTransfer();
    CCurlTransfer(const CCurlTransfer&) = delete;
    CCurlTransfer& operator=(const CCurlTransfer&) = delete;

    // Sends the request and waits until the head of the answer that is not followed further
    // has arrived.
    void Send();
    // The final answer's status, or 0 when none has been read.
    long StatusCode() const;
    // Copies up to nCount body bytes; 0 at the end of the body.
    size_t Read(char* pBuffer, size_t nCount);

private:
    static size_t OnBody(char* data, size_t size, size_t count, void* self);
    static size_t OnHeader(char* data, size_t size, size_t count, void* self);
    static int OnProgress(void* self, long long, long long, long long, long long);

    bool HasUnreadBody() const { return m_readPos < m_piece.size(); }
    void Start();
    // Notes what the exchange needs of one line of an answer's head or trailer; false when the
    // line makes the answer invalid.
    bool TakeHeaderLine(std::string_view line);
    // Sets m_redirect when the answer whose head has just ended is a redirect to follow.
    void NoteRedirectAtHeadEnd();
    void StartOver(const std::string& url);
    // Runs the transfer until there is body to read, a redirect to follow, or it has ended.
    void PumpUntilBodyOrEnd();
    void CheckWaitLimits();
    // The error of a transfer that ended without success.
    DWORD Failure() const;
    [[noreturn]] void FailWith(DWORD dwError);

    CURL* m_easy = nullptr;
    CURLM* m_multi = nullptr;
    struct curl_slist* m_headers = nullptr;
    std::string m_url;
    bool m_bFollowRedirects;
    DWORD m_receiveTimeoutMs;
    DWORD m_totalTimeoutMs;
    std::chrono::steady_clock::time_point m_deadline;
    std::string m_piece;
    size_t m_readPos = 0;
    bool m_paused = false;
    bool m_connected = false;
    bool m_ended = false;
    int m_result = 0;
    size_t m_headBytes = 0;
    bool m_invalidAnswer = false;
    // Of the current answer's head: its first Location, whether it named a transfer coding, and
    // whether it has ended.
    std::string m_location;
    bool m_bTransferCoded = false;
    bool m_bHeadEnded = false;
    // A redirect's URL, once its head is in, until it is followed.
    std::string m_redirect;
    std::chrono::steady_clock::time_point m_lastActivity;
};
