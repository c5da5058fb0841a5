#include "tests/support/FakePlatform.h"

#include "tests/support/FakeDeviceAnswers.h"
#include "tests/support/SocketIo.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace fake {

namespace {

constexpr size_t kChunkSize = 1000;
// A send buffer of fixed, small size, so that the bytes counted as sent stay close to what the
// client took, rather than also what the kernel would queue for it, up to megabytes.
constexpr int kSendBufferBytes = 64 * 1024;

int OpenListener(uint16_t port, uint16_t& boundPort)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("fake platform: socket failed");
    const int yes = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = htons(port);
    socklen_t len = sizeof addr;
    if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(fd, 64) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        close(fd);
        throw std::runtime_error("fake platform: cannot listen on 127.0.0.1:" + std::to_string(port));
    }
    boundPort = ntohs(addr.sin_port);
    return fd;
}

std::string StatusLine(const Reply& reply)
{
    return "HTTP/1.1 " + std::to_string(reply.status) + " " + reply.reason + "\r\n";
}

std::string AnswerHead(const Reply& reply)
{
    std::string head = StatusLine(reply);
    for (const std::string& line : reply.headers)
        head += line + "\r\n";
    if (reply.chunked)
        head += "Transfer-Encoding: chunked\r\n";
    else if (!reply.endless)
        head += "Content-Length: " + std::to_string(reply.body.size()) + "\r\n";
    return head + "Connection: close\r\n\r\n";
}

// The body of an endless or trickled reply: pieces of the body (single bytes when trickled),
// over and over when endless. Stops when the client leaves.
void SendPacedBody(int fd, const Reply& reply, const StopCheck& stop, std::atomic<size_t>& sentCount)
{
    const bool trickled = reply.trickle.count() > 0;
    const size_t step = trickled ? 1 : reply.body.size();
    const size_t total = reply.endless ? kEndlessBodyLimit : reply.body.size();
    for (size_t sent = 0; sent < total && step > 0; sent += step) {
        if (trickled && !WaitFor(reply.trickle, stop))
            return;
        if (!SendAll(fd, reply.body.substr(sent % reply.body.size(), step), stop, sentCount))
            return;
    }
}

// `start`, then header lines one at a time, `interval` apart, until the client leaves or they
// reach kEndlessBodyLimit bytes.
void SendEndlessLines(int fd, const std::string& start, std::chrono::milliseconds interval, const StopCheck& stop,
                      std::atomic<size_t>& sentCount)
{
    if (!SendAll(fd, start, stop, sentCount))
        return;
    for (size_t n = 0, total = 0; total < kEndlessBodyLimit && WaitFor(interval, stop); ++n) {
        const std::string line = "X-Line-" + std::to_string(n) + ": more\r\n";
        if (!SendAll(fd, line, stop, sentCount))
            return;
        total += line.size();
    }
}

// The body in chunks, up to and with the last chunk; the trailer's end is the caller's.
std::string ChunkedBody(const std::string& body)
{
    std::string out;
    for (size_t pos = 0; pos < body.size(); pos += kChunkSize) {
        const std::string piece = body.substr(pos, kChunkSize);
        char size[16];
        snprintf(size, sizeof size, "%zx\r\n", piece.size());
        out += size + piece + "\r\n";
    }
    return out + "0\r\n";
}

} // namespace

std::vector<std::string> RecordedRequest::headers(const std::string& name) const
{
    std::vector<std::string> found;
    for (const std::string& line : headerLines) {
        const size_t colon = line.find(':');
        if (colon == name.size() && strncasecmp(line.c_str(), name.c_str(), colon) == 0)
            found.push_back(line);
    }
    return found;
}

Reply Reply::Json(const std::string& json, int status)
{
    Reply reply;
    reply.status = status;
    reply.reason = status == 200 ? "OK" : "Status";
    reply.headers.push_back("Content-Type: application/json");
    reply.body = json;
    return reply;
}

Reply Reply::Redirect(const std::string& location, int status)
{
    Reply reply;
    reply.status = status;
    reply.reason = "Found";
    reply.headers.push_back("Location: " + location);
    reply.body = "moved";
    return reply;
}

Reply Reply::Raw(const std::string& bytes)
{
    Reply reply;
    reply.raw = bytes;
    return reply;
}

Reply Reply::Silence()
{
    Reply reply;
    reply.silent = true;
    return reply;
}

Reply Reply::Endless(const std::string& piece)
{
    Reply reply;
    reply.body = piece;
    reply.endless = true;
    return reply;
}

Reply Reply::Trickled(const std::string& body, std::chrono::milliseconds interval)
{
    Reply reply;
    reply.body = body;
    reply.trickle = interval;
    return reply;
}

Reply Reply::TrickledHead(std::chrono::milliseconds interval)
{
    Reply reply;
    reply.endlessHead = true;
    reply.trickle = interval;
    return reply;
}

Reply Reply::EndlessTrailers(const std::string& body)
{
    Reply reply;
    reply.body = body;
    reply.chunked = true;
    reply.endlessTrailers = true;
    return reply;
}

FakePlatform::FakePlatform(uint16_t port)
{
    m_listenFd = OpenListener(port, m_port);
    m_acceptThread = std::thread([this] { acceptLoop(); });
}

FakePlatform::~FakePlatform()
{
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    shutdown(m_listenFd, SHUT_RDWR);
    m_acceptThread.join();
    close(m_listenFd);
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_activeConnections == 0; });
}

std::string FakePlatform::proxyUrl() const
{
    return "http://127.0.0.1:" + std::to_string(m_port);
}

void FakePlatform::scriptReply(Reply reply)
{
    std::lock_guard lock(m_mutex);
    m_script.push_back(std::move(reply));
}

void FakePlatform::setDevice(const std::string& id, bool online, int relay, const std::string& apiKey)
{
    std::lock_guard lock(m_mutex);
    m_devices[id] = DeviceState{online, relay, apiKey};
}

std::optional<DeviceState> FakePlatform::device(const std::string& id) const
{
    std::lock_guard lock(m_mutex);
    const auto it = m_devices.find(id);
    return it == m_devices.end() ? std::nullopt : std::optional<DeviceState>(it->second);
}

std::vector<RecordedRequest> FakePlatform::requests() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

size_t FakePlatform::requestCount() const
{
    std::lock_guard lock(m_mutex);
    return m_requests.size();
}

bool FakePlatform::waitForRequests(size_t count, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [&] { return m_requests.size() >= count; });
}

void FakePlatform::clearRequests()
{
    std::lock_guard lock(m_mutex);
    m_requests.clear();
    m_bytesSent = 0;
}

bool FakePlatform::waitUntilIdle(std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, timeout, [this] { return m_activeConnections == 0; });
}

bool FakePlatform::stopping() const
{
    std::lock_guard lock(m_mutex);
    return m_stopping;
}

void FakePlatform::acceptLoop()
{
    for (;;) {
        const int fd = accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        std::lock_guard lock(m_mutex);
        if (m_stopping) {
            if (fd >= 0)
                close(fd);
            return;
        }
        if (fd < 0)
            continue;
        ++m_activeConnections;
        // Detached, so that a long run does not pile up finished threads; the destructor
        // waits for the count of active ones to reach 0.
        std::thread([this, fd] {
            serve(fd);
            std::lock_guard lock(m_mutex);
            --m_activeConnections;
            m_changed.notify_all();
        }).detach();
    }
}

void FakePlatform::serve(int fd)
{
    setsockopt(fd, SOL_SOCKET, SO_SNDBUF, &kSendBufferBytes, sizeof kSendBufferBytes);
    const auto stop = [this] { return stopping(); };
    std::optional<RecordedRequest> request = ReadRequest(fd, stop);
    if (!request) {
        close(fd);
        return;
    }
    Reply reply;
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(*request);
        m_changed.notify_all();
        const auto scripted = std::find_if(m_script.begin(), m_script.end(), [&](const Reply& candidate) {
            return candidate.forMethod.empty() || candidate.forMethod == request->method;
        });
        if (scripted != m_script.end()) {
            reply = std::move(*scripted);
            m_script.erase(scripted);
        } else {
            reply = answerFromDevices(*request);
        }
    }

    if (reply.silent) {
        WaitUntilPeerCloses(fd, stop);
    } else if (WaitFor(reply.delay, stop)) {
        if (reply.raw) {
            SendAll(fd, *reply.raw, stop, m_bytesSent);
        } else if (reply.endlessHead) {
            SendEndlessLines(fd, StatusLine(reply), reply.trickle, stop, m_bytesSent);
        } else if (reply.endlessTrailers) {
            SendEndlessLines(fd, AnswerHead(reply) + ChunkedBody(reply.body), reply.trickle, stop, m_bytesSent);
        } else if (reply.endless || reply.trickle.count() > 0) {
            if (SendAll(fd, AnswerHead(reply), stop, m_bytesSent))
                SendPacedBody(fd, reply, stop, m_bytesSent);
            shutdown(fd, SHUT_WR);
        } else if (reply.resetAfterBodyBytes) {
            SendAll(fd, AnswerHead(reply) + reply.body.substr(0, *reply.resetAfterBodyBytes), stop, m_bytesSent);
            ResetConnection(fd);
        } else {
            SendAll(fd, AnswerHead(reply) + (reply.chunked ? ChunkedBody(reply.body) + "\r\n" : reply.body), stop,
                    m_bytesSent);
            shutdown(fd, SHUT_WR);
        }
    }
    close(fd);
}

// Called with m_mutex held.
Reply FakePlatform::answerFromDevices(const RecordedRequest& request)
{
    const std::vector<std::string> keys = request.headers("api-key");
    const std::string key = keys.empty() ? std::string() : keys.front().substr(keys.front().find(':') + 1);
    const DeviceRoute route = RouteOf(request.method, request.path);
    if (route.kind == DeviceRoute::None)
        return Reply::Json(ErrorJson(1, "not found"), 404);
    const auto it = m_devices.find(route.deviceId);
    if (it == m_devices.end())
        return Reply::Json(ErrorJson(3, "device not exist"));
    DeviceState& state = it->second;
    if (!state.apiKey.empty() && state.apiKey != key)
        return Reply::Json(ErrorJson(2, "auth failed"));
    switch (route.kind) {
    case DeviceRoute::DeviceQuery: return Reply::Json(DeviceJson(route.deviceId, state));
    case DeviceRoute::StatusQuery: return Reply::Json(StatusJson(state));
    default: break;
    }
    const std::optional<int> relay = RelayOfCommand(request.body);
    if (!relay)
        return Reply::Json(ErrorJson(4, "invalid command"));
    if (!state.online)
        return Reply::Json(ErrorJson(10, "device not online"));
    state.relay = *relay;
    return Reply::Json(CommandJson(route.deviceId, m_requests.size()));
}

ProxyEnvironment::ProxyEnvironment(const std::string& proxyUrl)
{
    for (const char* name : {"http_proxy", "no_proxy", "NO_PROXY"}) {
        const char* value = getenv(name);
        m_saved[name] = value ? std::optional<std::string>(value) : std::nullopt;
        unsetenv(name);
    }
    setenv("http_proxy", proxyUrl.c_str(), 1);
}

ProxyEnvironment::~ProxyEnvironment()
{
    for (const auto& [name, value] : m_saved) {
        if (value)
            setenv(name.c_str(), value->c_str(), 1);
        else
            unsetenv(name.c_str());
    }
}

std::string RefusingUrl()
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t len = sizeof addr;
    bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
    close(fd);
    return "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port));
}

} // namespace fake
