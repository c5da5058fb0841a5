#include "tests/support/SocketIo.h"

#include <cerrno>
#include <cstdlib>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace fake {

namespace {

constexpr int kPollStepMs = 20;

bool WaitReady(int fd, short events, const StopCheck& stop)
{
    for (;;) {
        if (stop())
            return false;
        pollfd p{fd, events, 0};
        const int n = poll(&p, 1, kPollStepMs);
        if (n > 0)
            return true;
        if (n < 0 && errno != EINTR)
            return false;
    }
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    const size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

void ParseHead(RecordedRequest& request, const std::string& head)
{
    size_t pos = head.find("\r\n");
    request.requestLine = head.substr(0, pos);
    for (pos += 2; pos < head.size();) {
        const size_t end = head.find("\r\n", pos);
        request.headerLines.push_back(head.substr(pos, end - pos));
        pos = end + 2;
    }
    const size_t sp1 = request.requestLine.find(' ');
    const size_t sp2 = request.requestLine.rfind(' ');
    request.method = request.requestLine.substr(0, sp1);
    request.target = sp2 > sp1 ? request.requestLine.substr(sp1 + 1, sp2 - sp1 - 1) : std::string();
    request.path = request.target;
    const size_t scheme = request.target.find("://");
    if (scheme != std::string::npos) {
        const size_t slash = request.target.find('/', scheme + 3);
        request.path = slash == std::string::npos ? "/" : request.target.substr(slash);
        request.host = request.target.substr(scheme + 3, slash - (scheme + 3));
    }
}

} // namespace

std::optional<RecordedRequest> ReadRequest(int fd, const StopCheck& stop)
{
    std::string data;
    size_t headEnd = std::string::npos;
    size_t bodyLength = 0;
    char buffer[4096];
    for (;;) {
        if (headEnd == std::string::npos && (headEnd = data.find("\r\n\r\n")) != std::string::npos) {
            RecordedRequest probe;
            ParseHead(probe, data.substr(0, headEnd + 2));
            const std::vector<std::string> lengths = probe.headers("Content-Length");
            if (!lengths.empty())
                bodyLength =
                    std::strtoul(Trimmed(lengths.front().substr(lengths.front().find(':') + 1)).c_str(), nullptr, 10);
        }
        if (headEnd != std::string::npos && data.size() >= headEnd + 4 + bodyLength)
            break;
        if (!WaitReady(fd, POLLIN, stop))
            return std::nullopt;
        const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
        if (n <= 0)
            return std::nullopt;
        data.append(buffer, static_cast<size_t>(n));
    }
    RecordedRequest request;
    request.raw = data.substr(0, headEnd + 4 + bodyLength);
    ParseHead(request, data.substr(0, headEnd + 2));
    request.body = data.substr(headEnd + 4, bodyLength);
    return request;
}

bool SendAll(int fd, const std::string& bytes, const StopCheck& stop, std::atomic<size_t>& sentCount)
{
    for (size_t sent = 0; sent < bytes.size();) {
        if (!WaitReady(fd, POLLOUT, stop))
            return false;
        const ssize_t n = send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno != EINTR && errno != EAGAIN)
            return false;
        if (n > 0) {
            sent += static_cast<size_t>(n);
            sentCount += static_cast<size_t>(n);
        }
    }
    return true;
}

void WaitUntilPeerCloses(int fd, const StopCheck& stop)
{
    char buffer[256];
    while (WaitReady(fd, POLLIN, stop)) {
        if (recv(fd, buffer, sizeof buffer, 0) <= 0)
            return;
    }
}

bool WaitFor(std::chrono::milliseconds delay, const StopCheck& stop)
{
    const auto end = std::chrono::steady_clock::now() + delay;
    while (std::chrono::steady_clock::now() < end) {
        if (stop())
            return false;
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(
            std::chrono::milliseconds(kPollStepMs), end - std::chrono::steady_clock::now()));
    }
    return !stop();
}

void ResetConnection(int fd)
{
    const linger hard{1, 0};
    setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
}

} // namespace fake
