#include "registry/AccountFormat.h"
#include "tests/support/AccountData.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct Parsed
{
    CString password = L"untouched";
    CArray<DEVGROUP, DEVGROUP> users;
};

Parsed Parse(const std::string& bytes)
{
    Parsed result;
    ParseAccountFile(bytes.data(), bytes.size(), result.password, result.users);
    return result;
}

CArray<DEVGROUP, DEVGROUP> Users(std::initializer_list<DEVGROUP> groups)
{
    CArray<DEVGROUP, DEVGROUP> users;
    for (const DEVGROUP& group : groups)
        users.Add(group);
    return users;
}

} // namespace

TEST(AccountFormat, writesThePasswordLineUserLinesAndDeviceLinesInGbk)
{
    DEVGROUP zhang;
    zhang.strName = L"张三";
    zhang.arrDevice.Add(MakeDevice(L"D1", L"key1", L"123", L"灯", L"一楼", L"12"));
    zhang.arrDevice.Add(MakeDevice(L"", L"k", L"", L"\u0E01", L"", L""));
    DEVGROUP empty;
    empty.strName = L"a|b";

    EXPECT_EQ(FormatAccountFile(L"secret", Users({zhang, empty})),
              "secret\r\n"
              "{\xD5\xC5\xC8\xFD}\r\n"
              "D1|key1|123|\xB5\xC6|\xD2\xBB\xC2\xA5|12\r\n"
              "|k||?||\r\n"
              "{a|b}\r\n");
    EXPECT_EQ(FormatAccountFile(L"", Users({})), "\r\n");
}

TEST(AccountFormat, readsPasswordLineTrimmedWithEitherLineEnd)
{
    EXPECT_EQ(Parse("  pw\t\r\n").password, L"pw");
    EXPECT_EQ(Parse("pw\n").password, L"pw");
    EXPECT_EQ(Parse("\r\n").password, L"");
    EXPECT_EQ(Parse("\n{u}\n").users.GetSize(), 1);
    EXPECT_EQ(Parse("").password, L"");
    EXPECT_EQ(Parse("").users.GetSize(), 0);
}

TEST(AccountFormat, aFileWithoutLineEndIsAllPassword)
{
    const Parsed p = Parse(" secret ");
    EXPECT_EQ(p.password, L"secret");
    EXPECT_EQ(p.users.GetSize(), 0);
    EXPECT_EQ(Parse(std::string("pw\0\r\n{u}\r\n", 11)).password, L"pw");
}

TEST(AccountFormat, readsUsersWithTheirOwnDevicesInFileOrder)
{
    const Parsed p = Parse("pw\r\n{u0}\r\n{u1}\r\na|b|c|d|e|10\r\nf|g|h|i|j|11\r\n{u2}\r\nk|l|m|n|o|p\r\n");
    ASSERT_EQ(p.users.GetSize(), 3);
    EXPECT_EQ(p.users[0].arrDevice.GetSize(), 0);
    ASSERT_EQ(p.users[1].arrDevice.GetSize(), 2);
    EXPECT_TRUE(SameDevice(p.users[1].arrDevice[1], MakeDevice(L"f", L"g", L"h", L"i", L"j", L"11")));
    EXPECT_EQ(p.users[2].strName, L"u2");
    ASSERT_EQ(p.users[2].arrDevice.GetSize(), 1);
    EXPECT_EQ(p.users[2].arrDevice[0].strNumber, L"p");
}

TEST(AccountFormat, numberKeepsItsLastDigitWithoutCrLf)
{
    EXPECT_EQ(Parse("pw\n{u}\na|b|c|d|e|12\n").users[0].arrDevice[0].strNumber, L"12");
    EXPECT_EQ(Parse("pw\r\n{u}\r\na|b|c|d|e|12").users[0].arrDevice[0].strNumber, L"12");
    EXPECT_EQ(Parse("pw\r\n{u}\r\na|b|c|d|e|\r\n").users[0].arrDevice[0].strNumber, L"");
    EXPECT_EQ(Parse("pw\r\n{u}\r\na|b|c|d|e|f|g\r\n").users[0].arrDevice[0].strNumber, L"f|g");
}

TEST(AccountFormat, userLineAtTheEndWithoutLineEndIsRead)
{
    const Parsed p = Parse("pw\r\n{u0}\r\na|b|c|d|e|1\r\n{u1}");
    ASSERT_EQ(p.users.GetSize(), 2);
    EXPECT_EQ(p.users[1].strName, L"u1");
    EXPECT_EQ(p.users[1].arrDevice.GetSize(), 0);
}

TEST(AccountFormat, damagedContentKeepsWhatIsWhole)
{
    // Bytes around the user line are ignored; an unfinished device line or user line goes.
    Parsed p = Parse("pw\r\njunk{u}junk\r\na|b|c|d|e|1\r\na|b|c\r\n");
    ASSERT_EQ(p.users.GetSize(), 1);
    EXPECT_EQ(p.users[0].strName, L"u");
    EXPECT_EQ(p.users[0].arrDevice.GetSize(), 1);

    p = Parse("pw\r\n{u0}\r\n{u1\r\na|b|c|d|e|1\r\n");
    ASSERT_EQ(p.users.GetSize(), 1);
    EXPECT_EQ(p.users[0].arrDevice.GetSize(), 0);

    p = Parse(std::string("pw\r\n{u}\r\na|b\0|c|d|e|1\r\n{v}\r\n", 28));
    ASSERT_EQ(p.users.GetSize(), 1);
    EXPECT_EQ(p.users[0].arrDevice.GetSize(), 0);
}

TEST(AccountFormat, gbkSecondBytesAreNotDelimiters)
{
    // U+4E84, U+4E85 and U+4E87 end in the bytes of "{", "|" and "}".
    const Parsed p = Parse("\x81}\r\n{\x81{\x81|\x81}}\r\n\x81|\x81{|b|c|d|\x81}|\x81|\r\n");
    EXPECT_EQ(p.password, L"\u4E87");
    ASSERT_EQ(p.users.GetSize(), 1);
    EXPECT_EQ(p.users[0].strName, L"\u4E84\u4E85\u4E87");
    ASSERT_EQ(p.users[0].arrDevice.GetSize(), 1);
    EXPECT_TRUE(
        SameDevice(p.users[0].arrDevice[0], MakeDevice(L"\u4E85\u4E84", L"b", L"c", L"d", L"\u4E87", L"\u4E85")));
}

TEST(AccountFormat, anUnknownDoubleByteCharacterBecomesOneReplacementCharacter)
{
    // 0xA1 0x7C is no GBK character; its second byte must not come back as "|".
    const Parsed p = Parse("pw\r\n{u}\r\n\xA1|x|b|c|d|e|f\r\n");
    ASSERT_EQ(p.users[0].arrDevice.GetSize(), 1);
    EXPECT_EQ(p.users[0].arrDevice[0].strId, L"\uFFFDx");
    EXPECT_EQ(p.users[0].arrDevice[0].strNumber, L"f");
}

TEST(AccountFormat, textsAtAndOverTheOldLimitsAreWrittenAndReadWhole)
{
    for (const size_t extra : {0, 1, 700}) {
        const CString password(L'p', 253 + static_cast<int>(extra));
        DEVGROUP user;
        user.strName = CString(L'n', 251 + static_cast<int>(extra)) + L"中";
        const CString field(L'f', 255 + static_cast<int>(extra));
        user.arrDevice.Add(MakeDevice(field, field, field, field, field, field));
        const std::string bytes = FormatAccountFile(password, Users({user}));
        const std::string f(255 + extra, 'f');
        EXPECT_EQ(bytes,
                  std::string(253 + extra, 'p') + "\r\n{" + std::string(251 + extra, 'n') + "\xD6\xD0}\r\n" + f + "|" +
                      f + "|" + f + "|" + f + "|" + f + "|" + f + "\r\n");
        const Parsed p = Parse(bytes);
        EXPECT_EQ(p.password, password);
        EXPECT_TRUE(SameGroups(p.users, Users({user})));
    }
}

TEST(AccountFormat, randomAccountsReadBackAsWritten)
{
    const std::wstring fieldChars = L"aZ09 -_.中文\u4E84\u4E85\u4E87";
    std::mt19937 rng(20240611);
    auto text = [&](const std::wstring& chars, bool allowEmpty) {
        std::wstring s;
        const int length = static_cast<int>(rng() % 12) + (allowEmpty ? 0 : 1);
        for (int i = 0; i < length; ++i)
            s += chars[rng() % chars.size()];
        return CString(s);
    };
    for (int round = 0; round < 200; ++round) {
        // The password is stored trimmed, so none of its ends is a space.
        const CString password = text(L"aZ9#中\u4E85\u4E87", true);
        CArray<DEVGROUP, DEVGROUP> users;
        for (int u = static_cast<int>(rng() % 4); u > 0; --u) {
            DEVGROUP user;
            user.strName = text(fieldChars + L"|", true);
            for (int d = static_cast<int>(rng() % 4); d > 0; --d) {
                // A device line starting with "{" would be a user line; fields hold no delimiter.
                user.arrDevice.Add(MakeDevice(text(fieldChars, true), text(fieldChars, true), text(fieldChars, true),
                                              text(fieldChars, true), text(fieldChars, true), text(fieldChars, true)));
            }
            users.Add(user);
        }
        const Parsed p = Parse(FormatAccountFile(password, users));
        ASSERT_EQ(p.password, password) << "round " << round;
        ASSERT_TRUE(SameGroups(p.users, users)) << "round " << round;
    }
}

TEST(AccountFormat, saysWhetherTheWriterWouldGiveBackTheVeryBytesRead)
{
    const std::string whole[] = {
        "\r\n",
        "p w\r\n",
        "pw\r\n{u}\r\n{v}\r\na|b|c|d|e|1\r\n|||||\r\n",
        "\xD6\xD0\r\n{\x81}}\r\n\x81|x|y|z|1|2|f|g\r\n",
        "pw\r\n{a\r\nb|c}\r\nx\ny|b|c|d|e|\r1\r\n",
    };
    const std::string partial[] = {
        "",
        "pw",
        "pw\n",
        " pw\r\n",
        "pw\t\r\n",
        "pw\r\nx{u}\r\n",
        "pw\r\n{u} \r\n",
        "pw\r\n{u}\n",
        "pw\r\n{u}",
        "pw\r\n{u",
        "pw\r\n{u}\r\na|b|c|d|e|1\n",
        "pw\r\n{u}\r\na|b|c|d|e|1",
        "pw\r\n{u}\r\na|b|c\r\n",
        "pw\r\n{u}\r\na|b|c|d|e|1\r\njunk",
        std::string("pw\r\n{u}\r\n\0", 11),
        "pw\r\n{u}\r\n\xA1|x|b|c|d|e|f\r\n",
        "pw\r\n{u\xFF}\r\n",
        "\xE5\xAF\x86\r\n",
    };
    for (const std::string& bytes : whole) {
        Parsed p;
        EXPECT_TRUE(ParseAccountFile(bytes.data(), bytes.size(), p.password, p.users)) << bytes;
        EXPECT_EQ(FormatAccountFile(p.password, p.users), bytes);
    }
    for (const std::string& bytes : partial) {
        Parsed p;
        EXPECT_FALSE(ParseAccountFile(bytes.data(), bytes.size(), p.password, p.users)) << bytes;
        EXPECT_NE(FormatAccountFile(p.password, p.users), bytes);
    }
}
