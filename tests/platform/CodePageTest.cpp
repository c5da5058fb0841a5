#include "platform/core/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

std::string ToAnsi(const wchar_t* text)
{
    char buffer[256];
    const int n = WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
    return n > 0 ? std::string(buffer, static_cast<size_t>(n - 1)) : std::string("<failed>");
}

std::wstring FromAnsi(const char* bytes)
{
    wchar_t buffer[256];
    const int n = MultiByteToWideChar(CP_ACP, 0, bytes, -1, buffer, 256);
    return n > 0 ? std::wstring(buffer, static_cast<size_t>(n - 1)) : std::wstring(L"<failed>");
}

} // namespace

TEST(CodePage, ansiIsGbkWithItsTrailBytesInTheAsciiRange)
{
    EXPECT_EQ(ToAnsi(L"中文"), "\xD6\xD0\xCE\xC4");
    EXPECT_EQ(ToAnsi(L"\u4E84\u4E85\u4E87"), "\x81{\x81|\x81}");
    EXPECT_EQ(FromAnsi("\x81{\x81|\x81}"), L"\u4E84\u4E85\u4E87");
    EXPECT_EQ(FromAnsi("abc"), L"abc");
}

TEST(CodePage, unrepresentableCharactersBecomeTheDefaultCharacter)
{
    BOOL usedDefault = FALSE;
    char buffer[16];
    const int n =
        WideCharToMultiByte(CP_ACP, 0, L"a\u0E01\U0001F600b", -1, buffer, sizeof buffer, nullptr, &usedDefault);
    ASSERT_EQ(n, 5);
    EXPECT_STREQ(buffer, "a??b");
    EXPECT_TRUE(usedDefault);
}

TEST(CodePage, invalidBytesBecomeReplacementCharactersAndDecodingGoesOn)
{
    EXPECT_EQ(FromAnsi("a\xFF"
                       "b"),
              L"a\uFFFDb");
    // A lead byte cut off by the end of the data.
    EXPECT_EQ(FromAnsi("ab\xD6"), L"ab\uFFFD");
}

TEST(CodePage, strictDecodingFailsOnInvalidBytes)
{
    wchar_t wide[8];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS,
                                  "a\xFF"
                                  "b",
                                  3, wide, 8),
              0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "ab\xD6", 3, wide, 8), 0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "a\xA1|", 3, wide, 8), 0);
    ASSERT_EQ(MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, "a\xD6\xD0", 3, wide, 8), 2);
    EXPECT_EQ(std::wstring(wide, 2), L"a中");
}

// The account file counts on it to tell whether a save would change a file.
TEST(CodePage, everyCharacterReadIsWrittenBackAsTheSameBytes)
{
    int nRead = 0;
    for (unsigned code = 0x80; code <= 0xFFFF; ++code) {
        const unsigned lead = code >> 8;
        if (code > 0xFF && (lead < 0x81 || lead > 0xFE))
            continue;
        const int nBytes = code > 0xFF ? 2 : 1;
        const char bytes[2] = {static_cast<char>(nBytes == 2 ? lead : code), static_cast<char>(code & 0xFF)};
        wchar_t wide[2];
        if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, nBytes, wide, 2) != 1)
            continue;
        ++nRead;
        char back[4];
        ASSERT_EQ(WideCharToMultiByte(CP_ACP, 0, wide, 1, back, sizeof back, nullptr, nullptr), nBytes)
            << std::hex << code;
        EXPECT_EQ(std::string(back, static_cast<size_t>(nBytes)), std::string(bytes, static_cast<size_t>(nBytes)))
            << std::hex << code;
    }
    EXPECT_GT(nRead, 20000);
}

TEST(CodePage, outputBufferSizesAreHonoured)
{
    // The size query counts the terminator when the input does.
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"中a", -1, nullptr, 0, nullptr, nullptr), 4);
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"中a", 2, nullptr, 0, nullptr, nullptr), 3);

    char small[3] = {'x', 'x', 'x'};
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, L"中a", -1, small, sizeof small, nullptr, nullptr), 0);

    std::wstring piece(255, L'a');
    char exact[256];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, piece.c_str(), -1, exact, 256, nullptr, nullptr), 256);
    piece += L'a';
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, piece.c_str(), -1, exact, 256, nullptr, nullptr), 0);

    wchar_t wide[2];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 2), 0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xD6\xD0", -1, nullptr, 0), 2);
}

TEST(CodePage, threadsConvertAtTheSameTimeWithoutMixingState)
{
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([t, &failures] {
            for (int i = 0; i < 2000; ++i) {
                if (FromAnsi(ToAnsi(L"设备\u4E84|").c_str()) != L"设备\u4E84|")
                    ++failures[static_cast<size_t>(t)];
            }
        });
    }
    for (auto& th : threads)
        th.join();
    for (int f : failures)
        EXPECT_EQ(f, 0);
}
