#pragma once

#include "tests/support/FakePlatform.h"

#include <optional>
#include <string>

namespace fake {

// What a request asks of the simulated devices.
struct DeviceRoute
{
    enum Kind { None, DeviceQuery, StatusQuery, Command } kind = None;
    std::string deviceId;
};

DeviceRoute RouteOf(const std::string& method, const std::string& path);
// 1 for "s,-1,90,300", 0 for "s,0,90,300", nothing for any other body.
std::optional<int> RelayOfCommand(const std::string& body);

// Answers in the platform's shape, with the members a real platform sends besides the ones
// the console reads.
std::string ErrorJson(int errorNumber, const std::string& error);
std::string DeviceJson(const std::string& id, const DeviceState& state);
std::string StatusJson(const DeviceState& state);
std::string CommandJson(const std::string& id, size_t sequence);

} // namespace fake
