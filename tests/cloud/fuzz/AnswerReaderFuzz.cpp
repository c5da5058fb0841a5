// Arbitrary bytes as a platform answer, decoded the way a GET decodes a body, then read by
// both queries' rules; and the same bytes parsed directly and walked by the lookups.
#include "cloud/AnswerReader.h"
#include "cloud/JsonLookup.h"
#include "platform/core/CodePage.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const int count = MultiByteToWideChar(CP_ACP, 0, bytes.c_str(), -1, nullptr, 0);
    std::wstring text(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.c_str(), -1, text.data(), count);
    text.resize(count > 0 ? static_cast<size_t>(count) - 1 : 0);
    const CString answer(text);

    int value = 0;
    ReadDeviceOnline(answer, &value);
    ReadStatusCurrentValue(answer, &value);

    if (cJSON* root = cJSON_Parse(bytes.c_str())) {
        const cJSON* members = root->child;
        JsonMemberIntEquals(members, "errno", 0);
        if (const cJSON* dataNode = JsonFindMember(members, "data"))
            JsonGetMemberInt(dataNode->child, "online", &value);
        cJSON_Delete(root);
    }
    return 0;
}
