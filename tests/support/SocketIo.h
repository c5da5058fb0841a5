#pragma once

#include "tests/support/FakePlatform.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace fake {

// Socket helpers of the fake platform. Every wait polls in short steps and gives up once
// `stop` says the server is shutting down.
using StopCheck = std::function<bool()>;

// Reads one request: head up to the blank line, then Content-Length bytes of body. Nothing
// when the peer closes first or the server stops.
std::optional<RecordedRequest> ReadRequest(int fd, const StopCheck& stop);
// Adds each byte the socket takes to `sentCount`.
bool SendAll(int fd, const std::string& bytes, const StopCheck& stop, std::atomic<size_t>& sentCount);
void WaitUntilPeerCloses(int fd, const StopCheck& stop);
// False when the server stopped during the wait.
bool WaitFor(std::chrono::milliseconds delay, const StopCheck& stop);
// Closes with a reset (RST) instead of an orderly end.
void ResetConnection(int fd);

} // namespace fake
