#include "tests/support/FakeDeviceAnswers.h"

#include <cstdio>

namespace fake {

namespace {

const std::string kDevicesPrefix = "/devices/";
const std::string kStatusSuffix = "/datastreams/status";
const std::string kCommandPrefix = "/cmds?qos=1&timeout=10&device_id=";

bool EndsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string Quoted(const std::string& text)
{
    std::string out = "\"";
    for (char ch : text) {
        if (ch == '"' || ch == '\\')
            out += '\\';
        out += ch;
    }
    return out + "\"";
}

} // namespace

DeviceRoute RouteOf(const std::string& method, const std::string& path)
{
    if (method == "GET" && path.rfind(kDevicesPrefix, 0) == 0) {
        std::string id = path.substr(kDevicesPrefix.size());
        if (EndsWith(id, kStatusSuffix)) {
            id.erase(id.size() - kStatusSuffix.size());
            return {DeviceRoute::StatusQuery, id};
        }
        return {DeviceRoute::DeviceQuery, id};
    }
    if (method == "POST" && path.rfind(kCommandPrefix, 0) == 0)
        return {DeviceRoute::Command, path.substr(kCommandPrefix.size())};
    return {};
}

std::optional<int> RelayOfCommand(const std::string& body)
{
    if (body == "s,-1,90,300")
        return 1;
    if (body == "s,0,90,300")
        return 0;
    return std::nullopt;
}

std::string ErrorJson(int errorNumber, const std::string& error)
{
    return "{\"errno\":" + std::to_string(errorNumber) + ",\"error\":" + Quoted(error) + "}";
}

std::string DeviceJson(const std::string& id, const DeviceState& state)
{
    return "{\"errno\":0,\"error\":\"succ\",\"data\":{\"id\":" + Quoted(id) + ",\"title\":" + Quoted("relay-" + id) +
        ",\"desc\":\"\",\"tags\":[\"relay\"],\"protocol\":\"HTTP\",\"private\":true,\"location\":{\"lon\":116.3,"
        "\"lat\":39.98},\"create_time\":\"2023-05-12 09:41:27\",\"online\":" +
        (state.online ? "true" : "false") + ",\"auth_info\":" + Quoted(id + "-auth") + "}}";
}

std::string StatusJson(const DeviceState& state)
{
    return "{\"errno\":0,\"error\":\"succ\",\"data\":{\"id\":\"status\",\"create_time\":\"2023-05-12 09:41:27\","
           "\"update_at\":\"2024-03-01 10:00:00\",\"current_value\":" +
        std::to_string(state.relay) + "}}";
}

std::string CommandJson(const std::string& id, size_t sequence)
{
    char uuid[40];
    std::snprintf(uuid, sizeof uuid, "%08zx-0000-4000-8000-%012zx", std::hash<std::string>{}(id)&0xffffffffu, sequence);
    return "{\"errno\":0,\"error\":\"succ\",\"data\":{\"cmd_uuid\":\"" + std::string(uuid) + "\"}}";
}

} // namespace fake
