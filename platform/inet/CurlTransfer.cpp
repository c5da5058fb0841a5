#include "platform/inet/CurlTransfer.h"

#include "platform/core/StopSignal.h"
#include "platform/inet/InternetException.h"
#include "platform/inet/InternetLibrary.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <optional>
#include <utility>

namespace {

// How long one wait for the network may last before the stop signal and the time-outs are
// looked at again.
constexpr int kPollStepMs = 50;
constexpr int kMaxRedirects = 10;
// libcurl bounds one answer's head by this much but keeps trailer lines without end; here it
// bounds the head and trailer lines of all the answers of one exchange, followed redirects
// included.
constexpr size_t kMaxHeadBytes = 300 * 1024;

DWORD ErrorFromCurl(int result)
{
    switch (result) {
    case CURLE_OPERATION_TIMEDOUT: return ERROR_INTERNET_TIMEOUT;
    case CURLE_URL_MALFORMAT: return ERROR_INTERNET_INVALID_URL;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT: return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_ABORTED_BY_CALLBACK: return ERROR_INTERNET_OPERATION_CANCELLED;
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE: return ERROR_INTERNET_CONNECTION_ABORTED;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR: return ERROR_INTERNET_CONNECTION_RESET;
    // Only http URLs are made, so an unsupported protocol is an answer without a status line.
    case CURLE_UNSUPPORTED_PROTOCOL:
    case CURLE_WEIRD_SERVER_REPLY: return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    default: return ERROR_INTERNET_INTERNAL_ERROR;
    }
}

// libcurl leaves out a header line with nothing after its colon; "Name;" is how it is told to
// send such a line, as "Name:". Blanks after the colon are never sent, so a line of only
// blanks there goes out the same way rather than not at all.
std::string CurlHeaderLine(const std::string& line)
{
    const size_t colon = line.find(':');
    if (colon == std::string::npos || line.find_first_not_of(" \t", colon + 1) != std::string::npos)
        return line;
    return line.substr(0, colon) + ';';
}

// "scheme://host:port" of an absolute URL, the port spelled out and the rest in lower case;
// "" when libcurl cannot read the URL.
std::string ServerOf(const char* pszUrl)
{
    CURLU* pUrl = curl_url();
    std::string server;
    char *scheme = nullptr, *host = nullptr, *port = nullptr;
    if (pUrl && curl_url_set(pUrl, CURLUPART_URL, pszUrl, 0) == CURLUE_OK &&
        curl_url_get(pUrl, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
        curl_url_get(pUrl, CURLUPART_HOST, &host, 0) == CURLUE_OK &&
        curl_url_get(pUrl, CURLUPART_PORT, &port, CURLU_DEFAULT_PORT) == CURLUE_OK) {
        server = std::string(scheme) + "://" + host + ":" + port;
        std::transform(server.begin(), server.end(), server.begin(),
                       [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    }
    curl_free(scheme);
    curl_free(host);
    curl_free(port);
    curl_url_cleanup(pUrl);
    return server;
}

// The value of a header line named `name` in any case, without the blanks and line end around
// it; nothing for a line of another name.
std::optional<std::string_view> HeaderValue(std::string_view line, std::string_view name)
{
    if (line.size() <= name.size() || line[name.size()] != ':' ||
        strncasecmp(line.data(), name.data(), name.size()) != 0)
        return std::nullopt;
    const std::string_view value = line.substr(name.size() + 1);
    const size_t first = value.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos)
        return std::string_view();
    return value.substr(first, value.find_last_not_of(" \t\r\n") - first + 1);
}

// A redirect's target resolved against the URL it answered, as libcurl resolves the targets it
// follows; "" when either cannot be read.
std::string ResolvedTarget(const std::string& base, const std::string& location)
{
    CURLU* pUrl = curl_url();
    char* resolved = nullptr;
    std::string target;
    if (pUrl && curl_url_set(pUrl, CURLUPART_URL, base.c_str(), 0) == CURLUE_OK &&
        curl_url_set(pUrl, CURLUPART_URL, location.c_str(), CURLU_URLENCODE | CURLU_ALLOW_SPACE | CURLU_PATH_AS_IS) ==
            CURLUE_OK &&
        curl_url_get(pUrl, CURLUPART_URL, &resolved, 0) == CURLUE_OK)
        target = resolved;
    curl_free(resolved);
    curl_url_cleanup(pUrl);
    return target;
}

// The statuses that the platform's Internet library follows; any other is the answer itself.
bool IsFollowedRedirect(long status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

CCurlTransfer::CCurlTransfer(const HttpRequestPlan& plan)
    : m_url(plan.url),
      m_bFollowRedirects(plan.followRedirects),
      m_receiveTimeoutMs(plan.receiveTimeoutMs),
      m_totalTimeoutMs(plan.totalTimeoutMs)
{
    if (!AfxInternetInitialize())
        AfxThrowInternetException(ERROR_INTERNET_INTERNAL_ERROR);
    m_easy = curl_easy_init();
    m_multi = curl_multi_init();
    if (!m_easy || !m_multi) {
        curl_easy_cleanup(m_easy);
        curl_multi_cleanup(m_multi);
        AfxThrowInternetException(ERROR_INTERNET_INTERNAL_ERROR);
    }

    // The request carries no Accept or Expect line unless the caller added one.
    bool hasAccept = false, hasExpect = false;
    for (const std::string& line : plan.headerLines) {
        m_headers = curl_slist_append(m_headers, CurlHeaderLine(line).c_str());
        hasAccept = hasAccept || strncasecmp(line.c_str(), "Accept:", 7) == 0;
        hasExpect = hasExpect || strncasecmp(line.c_str(), "Expect:", 7) == 0;
    }
    if (!hasAccept)
        m_headers = curl_slist_append(m_headers, "Accept:");
    if (!hasExpect)
        m_headers = curl_slist_append(m_headers, "Expect:");

    curl_easy_setopt(m_easy, CURLOPT_URL, m_url.c_str());
    curl_easy_setopt(m_easy, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(m_easy, CURLOPT_PATH_AS_IS, 1L);
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(m_easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(m_easy, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(m_easy, CURLOPT_USERAGENT, plan.userAgent.c_str());
    curl_easy_setopt(m_easy, CURLOPT_HTTPHEADER, m_headers);
    curl_easy_setopt(m_easy, CURLOPT_HTTP_VERSION, plan.http11 ? CURL_HTTP_VERSION_1_1 : CURL_HTTP_VERSION_1_0);
    curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(plan.connectTimeoutMs));
    // A name lookup runs on a thread of libcurl's, which an ended exchange would otherwise wait
    // for as long as the resolver takes; left behind, that thread frees its own copy when done.
    curl_easy_setopt(m_easy, CURLOPT_QUICK_EXIT, 1L);
    if (plan.post) {
        curl_easy_setopt(m_easy, CURLOPT_POSTFIELDSIZE, static_cast<long>(plan.body.size()));
        curl_easy_setopt(m_easy, CURLOPT_COPYPOSTFIELDS, plan.body.data());
    }
    curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, &CCurlTransfer::OnBody);
    curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(m_easy, CURLOPT_HEADERFUNCTION, &CCurlTransfer::OnHeader);
    curl_easy_setopt(m_easy, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(m_easy, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(m_easy, CURLOPT_XFERINFOFUNCTION, &CCurlTransfer::OnProgress);
    curl_easy_setopt(m_easy, CURLOPT_XFERINFODATA, this);
}

CCurlTransfer::~CCurlTransfer()
{
    curl_multi_remove_handle(m_multi, m_easy);
    curl_easy_cleanup(m_easy);
    curl_multi_cleanup(m_multi);
    curl_slist_free_all(m_headers);
}

void CCurlTransfer::Send()
{
    m_deadline = m_totalTimeoutMs ? std::chrono::steady_clock::now() + std::chrono::milliseconds(m_totalTimeoutMs)
                                  : std::chrono::steady_clock::time_point::max();
    Start();
    PumpUntilBodyOrEnd();
    for (int nRedirects = 0; !m_redirect.empty(); ++nRedirects) {
        if (nRedirects == kMaxRedirects)
            FailWith(ERROR_HTTP_REDIRECT_FAILED);
        StartOver(std::exchange(m_redirect, std::string()));
        PumpUntilBodyOrEnd();
    }
    // A failure before any of the body arrived is a failure of the send; one in the middle of
    // the body is reported by the read that reaches it.
    if (m_ended && m_result != CURLE_OK && !HasUnreadBody())
        FailWith(Failure());
}

void CCurlTransfer::Start()
{
    if (curl_multi_add_handle(m_multi, m_easy) != CURLM_OK)
        FailWith(ERROR_INTERNET_INTERNAL_ERROR);
    m_lastActivity = std::chrono::steady_clock::now();
}

// libcurl is not left to follow redirects itself, as it would to any server, with every
// header line of the request. A redirect is followed as soon as its head is in, whatever its
// body does: libcurl tells its own target only once the whole answer has come.
void CCurlTransfer::NoteRedirectAtHeadEnd()
{
    if (!m_bFollowRedirects || !IsFollowedRedirect(StatusCode()) || m_location.empty())
        return;
    const std::string target = ResolvedTarget(m_url, m_location);
    const std::string server = ServerOf(m_url.c_str());
    if (!server.empty() && ServerOf(target.c_str()) == server)
        m_redirect = target;
}

// The same request, from a fresh handle, to another URL; what is left of the last answer is
// dropped with its connection.
void CCurlTransfer::StartOver(const std::string& url)
{
    CURL* easy = curl_easy_duphandle(m_easy);
    if (!easy)
        FailWith(ERROR_INTERNET_INTERNAL_ERROR);
    curl_multi_remove_handle(m_multi, m_easy);
    curl_easy_cleanup(m_easy);
    m_easy = easy;
    m_url = url;
    curl_easy_setopt(m_easy, CURLOPT_URL, m_url.c_str());
    m_piece.clear();
    m_readPos = 0;
    m_paused = m_connected = m_ended = m_bHeadEnded = false;
    m_result = 0;
    Start();
}

long CCurlTransfer::StatusCode() const
{
    long status = 0;
    curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &status);
    return status;
}

size_t CCurlTransfer::Read(char* pBuffer, size_t nCount)
{
    if (nCount == 0)
        return 0;
    if (!HasUnreadBody() && !m_ended) {
        if (m_paused) {
            m_paused = false;
            curl_easy_pause(m_easy, CURLPAUSE_CONT);
        }
        PumpUntilBodyOrEnd();
    }
    if (HasUnreadBody()) {
        const size_t n = std::min(nCount, m_piece.size() - m_readPos);
        std::memcpy(pBuffer, m_piece.data() + m_readPos, n);
        m_readPos += n;
        return n;
    }
    if (m_result != CURLE_OK)
        FailWith(Failure());
    return 0;
}

size_t CCurlTransfer::OnBody(char* data, size_t size, size_t count, void* self)
{
    auto* transfer = static_cast<CCurlTransfer*>(self);
    if (transfer->HasUnreadBody()) {
        transfer->m_paused = true;
        return CURL_WRITEFUNC_PAUSE;
    }
    transfer->m_piece.assign(data, size * count);
    transfer->m_readPos = 0;
    transfer->m_lastActivity = std::chrono::steady_clock::now();
    return size * count;
}

size_t CCurlTransfer::OnHeader(char* data, size_t size, size_t count, void* self)
{
    auto* transfer = static_cast<CCurlTransfer*>(self);
    transfer->m_lastActivity = std::chrono::steady_clock::now();
    const size_t n = size * count;
    transfer->m_headBytes += n;
    if (transfer->m_headBytes > kMaxHeadBytes || !transfer->TakeHeaderLine(std::string_view(data, n))) {
        transfer->m_invalidAnswer = true;
        return 0; // ends the transfer
    }
    return n;
}

bool CCurlTransfer::TakeHeaderLine(std::string_view line)
{
    // What comes after the final head are trailer lines, which libcurl does not act upon.
    if (m_bHeadEnded)
        return true;
    // A status line begins the head of another answer, as after "100 Continue".
    if (line.size() >= 5 && strncasecmp(line.data(), "HTTP/", 5) == 0) {
        m_location.clear();
        m_bTransferCoded = false;
        return true;
    }
    if (line == "\r\n" || line == "\n") {
        m_bHeadEnded = StatusCode() >= 200;
        if (m_bHeadEnded)
            NoteRedirectAtHeadEnd();
        return true;
    }
    if (const auto coding = HeaderValue(line, "Transfer-Encoding")) {
        // No TE line is sent, so chunked, once, is the only coding an answer may come in.
        // libcurl would undo any other, and hold all it made of it until the reader takes it.
        const bool bChunked = coding->size() == 7 && strncasecmp(coding->data(), "chunked", 7) == 0;
        const bool bValid = bChunked && !m_bTransferCoded;
        m_bTransferCoded = true;
        return bValid;
    }
    if (const auto location = HeaderValue(line, "Location"); location && m_location.empty())
        m_location = *location;
    return true;
}

int CCurlTransfer::OnProgress(void*, long long, long long, long long, long long)
{
    return AfxIsThreadStopRequested() ? 1 : 0;
}

void CCurlTransfer::PumpUntilBodyOrEnd()
{
    for (;;) {
        // Checked before the network is asked again, so that an answer trickled in steady
        // small pieces cannot outlast the total time-out.
        CheckWaitLimits();
        int running = 0;
        if (curl_multi_perform(m_multi, &running) != CURLM_OK)
            FailWith(ERROR_INTERNET_INTERNAL_ERROR);
        int queued = 0;
        while (CURLMsg* msg = curl_multi_info_read(m_multi, &queued)) {
            if (msg->msg == CURLMSG_DONE) {
                m_ended = true;
                m_result = msg->data.result;
            }
        }
        if (HasUnreadBody() || m_ended || !m_redirect.empty())
            return;
        curl_multi_poll(m_multi, nullptr, 0, kPollStepMs, nullptr);
    }
}

void CCurlTransfer::CheckWaitLimits()
{
    if (AfxIsThreadStopRequested())
        FailWith(ERROR_INTERNET_OPERATION_CANCELLED);
    const auto now = std::chrono::steady_clock::now();
    if (now >= m_deadline)
        FailWith(ERROR_INTERNET_TIMEOUT);
    // Connecting, the name lookup included, is bounded by libcurl's connect time-out; the
    // receive time-out counts the silence after that.
    if (!m_connected) {
        curl_off_t connectTime = 0;
        curl_easy_getinfo(m_easy, CURLINFO_CONNECT_TIME_T, &connectTime);
        if (connectTime <= 0)
            return;
        m_connected = true;
        m_lastActivity = now;
    }
    if (now - m_lastActivity > std::chrono::milliseconds(m_receiveTimeoutMs))
        FailWith(ERROR_INTERNET_TIMEOUT);
}

DWORD CCurlTransfer::Failure() const
{
    return m_invalidAnswer ? ERROR_HTTP_INVALID_SERVER_RESPONSE : ErrorFromCurl(m_result);
}

void CCurlTransfer::FailWith(DWORD dwError)
{
    m_ended = true;
    m_result = CURLE_ABORTED_BY_CALLBACK;
    AfxThrowInternetException(dwError);
}
