#include "platform/core/String.h"
#include "platform/core/ResourceModule.h"

#include <gtest/gtest.h>

TEST(CStringFormat, percentSTakesWideTextAsOnWindows)
{
    CString s;
    s.Format(L"是否确定要删除该设备:%s ？", L"一号泵");
    EXPECT_EQ(s, L"是否确定要删除该设备:一号泵 ？");

    s.Format(L"[%5s|%-3s|%c|%hs|%d%%]", L"ab", L"x", L'中', "narrow", 42);
    EXPECT_EQ(s, L"[   ab|x  |中|narrow|42%]");
}

TEST(CStringFormat, longResultsAreNotCut)
{
    const CString big(L'字', 5000);
    CString s;
    s.Format(L"<%s>", big.GetString());
    EXPECT_EQ(s.GetLength(), 5002);
    EXPECT_EQ(s, L"<" + big + L">");
}

TEST(CStringTrim, removesIswspaceAtBothEndsOnly)
{
    CString s(L" \t\u3000 a b \r\n");
    s.Trim();
    EXPECT_EQ(s, L"a b");

    CString onlyBlanks(L" \t ");
    EXPECT_TRUE(onlyBlanks.Trim().IsEmpty());

    CString left(L"  x  ");
    EXPECT_EQ(left.TrimLeft(), L"x  ");
    CString right(L"  x  ");
    EXPECT_EQ(right.TrimRight(), L"  x");
}

TEST(CStringCompare, isExactAndCaseSensitive)
{
    EXPECT_TRUE(CString(L"Secret") == CString(L"Secret"));
    EXPECT_FALSE(CString(L"Secret") == CString(L"secret"));
    EXPECT_FALSE(CString(L"a") == CString(L"a "));
}

TEST(CStringAccess, findAndIndexStayInRange)
{
    const CString s(L"a{b}c");
    EXPECT_EQ(s.Find(L'{'), 1);
    EXPECT_EQ(s.Find(L'|'), -1);
    EXPECT_EQ(s.Find(L'c', 10), -1);
    EXPECT_EQ(s.Find(L"b}"), 2);
    EXPECT_EQ(s.Left(2), L"a{");
    EXPECT_EQ(s.Left(100), s);
    EXPECT_TRUE(s.Left(-1).IsEmpty());
}

TEST(CStringUtf8, roundTripsAndReplacesBadBytes)
{
    const CString s(L"账号 user \U0001F600");
    EXPECT_EQ(FromUtf8(ToUtf8(s)), s);
    EXPECT_EQ(FromUtf8("a\xFF"
                       "b"),
              L"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xE4\xB8"), L"\uFFFD\uFFFD");

    // A file name keeps every byte: GBK, a surrogate or an overlong "/" in UTF-8's form, a cut
    // sequence. Its UTF-8 is text like any other.
    for (const std::string bytes : {"\xD6\xD0\xCE\xC4", "\xED\xB3\x96\xD6", "\xC0\xAF\xF4\x90\x80\x80", "a\xE4\xB8"})
        EXPECT_EQ(PathToBytes(PathFromBytes(bytes)), bytes);
    EXPECT_EQ(PathFromBytes(ToUtf8(s)), s);
}

namespace {
LPCTSTR FindOneString(UINT nID)
{
    return nID == 7 ? L"七" : nullptr;
}
} // namespace

TEST(CStringLoad, readsTheInstalledResourceModuleOnly)
{
    CString s(L"before");
    EXPECT_FALSE(s.LoadString(7));
    EXPECT_EQ(s, L"before");

    const AFX_RESOURCE_MODULE module = {nullptr, nullptr, &FindOneString, nullptr};
    AfxSetResourceModule(&module);
    EXPECT_TRUE(s.LoadString(7));
    EXPECT_EQ(s, L"七");
    EXPECT_FALSE(s.LoadString(8));
    EXPECT_EQ(s, L"七");
    AfxSetResourceModule(nullptr);
}
