// fake-platform: the cloud platform's stand-in as a program of its own, for watching the
// console against it.
//
//   fake-platform PORT [ID:ONLINE:RELAY[:APIKEY]]...
//
// e.g. `fake-platform 8080 42:1:0 43:0:1`, then start the console with
// http_proxy=http://127.0.0.1:8080 (and no no_proxy). Runs until interrupted.
#include "tests/support/FakePlatform.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool AddDevice(fake::FakePlatform& platform, const std::string& spec)
{
    const size_t a = spec.find(':');
    const size_t b = a == std::string::npos ? a : spec.find(':', a + 1);
    if (a == 0 || b == std::string::npos)
        return false;
    const size_t c = spec.find(':', b + 1);
    const std::string online = spec.substr(a + 1, b - a - 1);
    const std::string relay = spec.substr(b + 1, c == std::string::npos ? c : c - b - 1);
    platform.setDevice(spec.substr(0, a), online == "1", std::atoi(relay.c_str()),
                       c == std::string::npos ? std::string() : spec.substr(c + 1));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PORT [ID:ONLINE:RELAY[:APIKEY]]...\n", argv[0]);
        return 2;
    }
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    try {
        fake::FakePlatform platform(static_cast<uint16_t>(std::atoi(argv[1])));
        for (int i = 2; i < argc; ++i) {
            if (!AddDevice(platform, argv[i])) {
                std::fprintf(stderr, "bad device \"%s\": expected ID:ONLINE:RELAY[:APIKEY]\n", argv[i]);
                return 2;
            }
        }
        std::printf("fake platform on 127.0.0.1:%u; run the console with http_proxy=%s\n",
                    static_cast<unsigned>(platform.port()), platform.proxyUrl().c_str());
        std::fflush(stdout);
        int received = 0;
        sigwait(&signals, &received);
        std::printf("%zu requests served\n", platform.requestCount());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
