#include "cloud/AnswerReader.h"
#include "cloud/ApiConstants.h"
#include "cloud/JsonLookup.h"

#include <gtest/gtest.h>

namespace {

// The value read for "online", or nothing when the answer is unusable.
std::optional<int> Online(const CString& answer)
{
    int value = -12345;
    if (!ReadDeviceOnline(answer, &value))
        return std::nullopt;
    return value != 0;
}

TEST(AnswerReaderTest, onlineValueCountsOnlyAsZeroOrNot)
{
    EXPECT_EQ(Online(L"{\"errno\":0,\"data\":{\"online\":true}}"), 1);
    EXPECT_EQ(Online(L"{\"errno\":0,\"data\":{\"online\":1.9}}"), 1);
    EXPECT_EQ(Online(L"{\"errno\":0,\"data\":{\"online\":-1}}"), 1);
    for (LPCTSTR value : {L"false", L"0", L"0.5", L"\"1\"", L"null", L"[1]", L"{\"a\":1}"})
        EXPECT_EQ(Online(CString(L"{\"errno\":0,\"data\":{\"online\":") + value + L"}}"), 0) << value;
}

TEST(AnswerReaderTest, errnoDecidesByItsFirstOccurrenceAnywhereAmongTheMembers)
{
    EXPECT_EQ(Online(L"{\"data\":{\"online\":1},\"errno\":0}"), 1);
    EXPECT_EQ(Online(L"{\"errno\":1,\"errno\":0,\"data\":{\"online\":1}}"), std::nullopt);
    EXPECT_EQ(Online(L"{\"errno\":\"7\",\"data\":{\"online\":1}}"), 1);
    EXPECT_EQ(Online(L"{\"errno\":null,\"data\":{\"online\":1}}"), 1);
    EXPECT_EQ(Online(L"{\"data\":{\"online\":1}}"), std::nullopt);
    EXPECT_EQ(Online(L"{\"errno\":3,\"error\":\"device not exist\"}"), std::nullopt);
}

TEST(AnswerReaderTest, membersAreFoundOnlyByExactNameAndOnlyInData)
{
    EXPECT_EQ(Online(L"{\"errno\":0,\"Data\":{\"online\":1}}"), std::nullopt);
    EXPECT_EQ(Online(L"{\"errno\":0,\"online\":1}"), std::nullopt);
    EXPECT_EQ(Online(L"{\"errno\":0,\"data\":{\"x\":{\"online\":1}}}"), std::nullopt);
    EXPECT_EQ(Online(L"{\"errno\":0,\"data\":{}}"), std::nullopt);
    EXPECT_EQ(Online(L"{\"errno\":0,\"data\":[1,{\"online\":1}]}"), std::nullopt);
    EXPECT_EQ(Online(L"[{\"errno\":0},0]"), std::nullopt);
    EXPECT_EQ(Online(L"42"), std::nullopt);
    EXPECT_EQ(Online(L""), std::nullopt);
    EXPECT_EQ(Online(L"{\"errno\":0,"), std::nullopt);
    EXPECT_EQ(Online(L"{\"errno\":0,\"data\":{\"online\":1}} trailing text"), 1);
}

// An answer of exactly `size` bytes that reads as usable when parsed.
CString AnswerOfSize(size_t size, const char* member)
{
    std::string head = std::string("{\"errno\":0,\"data\":{\"") + member + "\":1},\"pad\":\"";
    const std::string tail = "\"}";
    head.append(size - head.size() - tail.size(), 'p');
    return FromUtf8(head + tail);
}

TEST(AnswerReaderTest, answerMustFitItsBuffer)
{
    int value = 0;
    EXPECT_TRUE(ReadDeviceOnline(AnswerOfSize(DEVICE_ANSWER_BUFFER_SIZE - 1, "online"), &value));
    EXPECT_FALSE(ReadDeviceOnline(AnswerOfSize(DEVICE_ANSWER_BUFFER_SIZE, "online"), &value));
    EXPECT_TRUE(ReadStatusCurrentValue(AnswerOfSize(STATUS_ANSWER_BUFFER_SIZE - 1, "current_value"), &value));
    EXPECT_FALSE(ReadStatusCurrentValue(AnswerOfSize(STATUS_ANSWER_BUFFER_SIZE, "current_value"), &value));
    // 1023 characters, but 1024 bytes: a two-byte character counts twice.
    CString wide = AnswerOfSize(STATUS_ANSWER_BUFFER_SIZE - 1, "current_value");
    EXPECT_FALSE(ReadStatusCurrentValue(wide.Left(wide.GetLength() - 3) + L"通\"}", &value));
}

TEST(AnswerReaderTest, statusReadsCurrentValue)
{
    int value = -1;
    EXPECT_TRUE(ReadStatusCurrentValue(L"{\"errno\":0,\"data\":{\"id\":\"status\",\"current_value\":0}}", &value));
    EXPECT_EQ(value, 0);
    EXPECT_FALSE(ReadStatusCurrentValue(L"{\"errno\":0,\"data\":{\"online\":1}}", &value));
}

TEST(JsonLookupTest, unnamedNodesNeverMatchAndMissingNamesLeaveValueAlone)
{
    cJSON* root = cJSON_Parse("[1,2,{\"a\":3}]");
    ASSERT_NE(root, nullptr);
    int value = 99;
    EXPECT_FALSE(JsonGetMemberInt(root->child, "a", &value));
    EXPECT_EQ(value, 99);
    EXPECT_EQ(JsonFindMember(root->child, ""), nullptr);
    EXPECT_FALSE(JsonMemberIntEquals(nullptr, "a", 0));
    cJSON_Delete(root);

    root = cJSON_Parse("{\"a\":5,\"a\":6,\"A\":7}");
    EXPECT_TRUE(JsonGetMemberInt(root->child, "a", &value));
    EXPECT_EQ(value, 5);
    EXPECT_TRUE(JsonMemberIntEquals(root->child, "A", 7));
    EXPECT_FALSE(JsonMemberIntEquals(root->child, "a", 6));
    cJSON_Delete(root);
}

} // namespace
