#include "platform/core/AnsiText.h"

#include <gtest/gtest.h>

#include <random>

// What the account file can hold: the text comes back from its bytes as it went in.
TEST(AnsiText, fitsOnlyTextWhoseEveryCharacterTheCodePageHas)
{
    for (const wchar_t* held : {L"", L"dev-01 {|}\t", L"水泵一号楼", L"囧镕\u4E84", L"\u00E9\u00B7\u20AC"})
        EXPECT_TRUE(FitsAnsi(held)) << CString(held);
    for (const wchar_t* lost : {L"Stra\u00DFe", L"ma\u00F1ana", L"\uD55C\uAD6D\uC5B4", L"\u706F\U0001F600", L"?\uFFFD"})
        EXPECT_FALSE(FitsAnsi(lost)) << CString(lost);
}

TEST(AnsiText, theDelimiterSearchFindsWhatSteppingCharacterByCharacterFinds)
{
    const char alphabet[] = {'a',    '@',    '{',    '|',    '}',    '\n',   '\r',
                             '\x7F', '\x80', '\x81', '\xA1', '\xD6', '\xFE', '\xFF'};
    std::mt19937 rng(7);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes(rng() % 12, ' ');
        for (char& byte : bytes)
            byte = alphabet[rng() % sizeof alphabet];
        for (const char ch : alphabet) {
            size_t stepped = 0;
            while (stepped < bytes.size() && bytes[stepped] != ch)
                stepped += AnsiCharSize(bytes.data(), stepped, bytes.size());
            ASSERT_EQ(FindAnsi(bytes.data(), 0, bytes.size(), ch), stepped) << testing::PrintToString(bytes) << ch;
        }
    }
}
