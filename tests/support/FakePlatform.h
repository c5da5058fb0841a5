#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace fake {

// One request as it arrived, byte for byte, with its parts picked out.
struct RecordedRequest
{
    std::string raw;         // request line, header lines, blank line, body
    std::string requestLine; // without its CR LF
    std::string method;
    std::string target;                   // as sent: absolute form when it came through a proxy
    std::string path;                     // target without scheme and host: "/devices/42"
    std::string host;                     // the target's host[:port]; "" when it names none
    std::vector<std::string> headerLines; // in order, without CR LF
    std::string body;

    // Every header line whose name equals `name`, ignoring case.
    std::vector<std::string> headers(const std::string& name) const;
};

// One scripted answer. The default is "200 OK" with an empty body and a Content-Length.
struct Reply
{
    int status = 200;
    std::string reason = "OK";
    std::vector<std::string> headers; // extra header lines, without CR LF
    std::string body;
    std::string forMethod;                     // answer only a request of this method; "": any
    bool chunked = false;                      // send the body in chunks instead of with a length
    std::chrono::milliseconds delay{0};        // wait before answering
    bool silent = false;                       // never answer; hold the connection until it closes
    std::optional<size_t> resetAfterBodyBytes; // send this much of the body, then reset
    std::optional<std::string> raw;            // send exactly these bytes instead of an answer
    bool endless = false;                      // send the body over and over, without a length
    std::chrono::milliseconds trickle{0};      // send the body one byte at a time, this far apart
    bool endlessHead = false;                  // after the status line, header lines `trickle` apart, forever
    bool endlessTrailers = false;              // after the chunked body, trailer lines back to back, forever

    static Reply Json(const std::string& json, int status = 200);
    static Reply Redirect(const std::string& location, int status = 302);
    static Reply Raw(const std::string& bytes);
    static Reply Silence();
    // A 200 answer whose body repeats `piece` until the client leaves. So that a client that
    // keeps all it is sent fails its test instead of filling the machine's memory, the fake
    // gives up after kEndlessBodyLimit bytes.
    static Reply Endless(const std::string& piece);
    static Reply Trickled(const std::string& body, std::chrono::milliseconds interval);
    static Reply TrickledHead(std::chrono::milliseconds interval);
    // A chunked 200 answer whose body ends and whose trailer never does; the fake gives up
    // after kEndlessBodyLimit bytes of it.
    static Reply EndlessTrailers(const std::string& body);
};

constexpr size_t kEndlessBodyLimit = size_t(64) << 20;

struct DeviceState
{
    bool online = false;
    int relay = 0;
    std::string apiKey; // empty: any key is accepted
};

// A stand-in for the cloud platform's HTTP API on 127.0.0.1, for tests and for watching the
// console against. Clients reach it as their HTTP proxy (see ProxyEnvironment), so requests
// arrive in absolute form, whatever host they name. Each request is answered by the first
// scripted reply for its method, if any, else by the simulated devices:
//   GET  /devices/<id>                      -> {"errno":0,"error":"succ","data":{... "online":true ...}}
//   GET  /devices/<id>/datastreams/status   -> {"errno":0,"error":"succ","data":{... "current_value":1 ...}}
//   POST /cmds?qos=1&timeout=10&device_id=<id> with "s,-1,90,300" (relay 1) or "s,0,90,300" (relay 0)
// An unknown device, a wrong api-key, an offline device for a command, or an unknown command
// body get a non-zero "errno". Every connection is closed after its answer. Thread-safe.
class FakePlatform
{
public:
    // Listens on 127.0.0.1:port; 0 picks a free port. Throws std::runtime_error on failure.
    explicit FakePlatform(uint16_t port = 0);
    ~FakePlatform();
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    uint16_t port() const { return m_port; }
    // "http://127.0.0.1:<port>", for http_proxy.
    std::string proxyUrl() const;

    // Queues answers for the next requests, in order.
    void scriptReply(Reply reply);
    void setDevice(const std::string& id, bool online, int relay, const std::string& apiKey = "");
    std::optional<DeviceState> device(const std::string& id) const;

    std::vector<RecordedRequest> requests() const;
    size_t requestCount() const;
    // Waits until at least `count` requests have been recorded.
    bool waitForRequests(size_t count, std::chrono::milliseconds timeout) const;
    // Forgets the requests recorded and the bytes sent so far.
    void clearRequests();
    // Bytes sent on every connection; once idle, all that the answers came to before their
    // clients left.
    size_t bytesSent() const { return m_bytesSent; }
    // Waits until every connection accepted so far has been answered and closed, which for an
    // answer without end means that the client has left.
    bool waitUntilIdle(std::chrono::milliseconds timeout) const;

private:
    void acceptLoop();
    void serve(int fd);
    Reply answerFromDevices(const RecordedRequest& request);
    bool stopping() const;

    int m_listenFd = -1;
    uint16_t m_port = 0;
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    bool m_stopping = false;
    std::deque<Reply> m_script;
    std::map<std::string, DeviceState> m_devices;
    std::vector<RecordedRequest> m_requests;
    size_t m_activeConnections = 0;
    std::atomic<size_t> m_bytesSent{0};
    std::thread m_acceptThread;
};

// Points libcurl's proxy variables at a fake platform (or any URL) for its lifetime and puts
// the previous values back afterwards. Not for use while other threads start exchanges.
class ProxyEnvironment
{
public:
    explicit ProxyEnvironment(const std::string& proxyUrl);
    ~ProxyEnvironment();
    ProxyEnvironment(const ProxyEnvironment&) = delete;
    ProxyEnvironment& operator=(const ProxyEnvironment&) = delete;

private:
    std::map<std::string, std::optional<std::string>> m_saved;
};

// "http://127.0.0.1:<port>" for a loopback port on which nothing listens: connecting to it is
// refused.
std::string RefusingUrl();

} // namespace fake
