#include "platform/core/Array.h"

#include <gtest/gtest.h>

namespace {

template <class F>
void ExpectInvalidArg(F f)
{
    try {
        f();
        ADD_FAILURE() << "no CInvalidArgException";
    } catch (CInvalidArgException* e) {
        e->Delete();
    }
}

} // namespace

TEST(CArray, indexAccessOutsideTheCountRaisesAndChangesNothing)
{
    CStringArray arr;
    arr.Add(L"a");
    arr.Add(L"b");
    ExpectInvalidArg([&] { (void)arr.GetAt(2); });
    ExpectInvalidArg([&] { (void)arr[-1]; });
    ExpectInvalidArg([&] { arr.RemoveAt(2); });
    ExpectInvalidArg([&] { arr.RemoveAt(1, 2); });
    ASSERT_EQ(arr.GetSize(), 2);
    EXPECT_EQ(arr[0], L"a");
    EXPECT_EQ(arr[1], L"b");
}

TEST(CArray, removeAtKeepsTheOrderOfTheRest)
{
    CStringArray arr;
    for (const wchar_t* s : {L"0", L"1", L"2", L"3"})
        arr.Add(s);
    arr.RemoveAt(1);
    ASSERT_EQ(arr.GetCount(), 3);
    EXPECT_EQ(arr[0], L"0");
    EXPECT_EQ(arr[1], L"2");
    EXPECT_EQ(arr[2], L"3");
    EXPECT_EQ(arr.Add(L"4"), 3);
    arr.RemoveAll();
    EXPECT_TRUE(arr.IsEmpty());
}

TEST(CArray, elementsAreIndependentCopies)
{
    CStringArray a;
    CString s(L"x");
    a.Add(s);
    s += L"y";
    CStringArray b = a;
    b[0] = L"changed";
    EXPECT_EQ(a[0], L"x");
    EXPECT_EQ(b[0], L"changed");
}

TEST(CArray, setSizeAddsEmptyElementsAndDropsThoseBeyond)
{
    CStringArray arr;
    arr.Add(L"a");
    arr.SetSize(3);
    ASSERT_EQ(arr.GetSize(), 3);
    EXPECT_EQ(arr[0], L"a");
    EXPECT_TRUE(arr[2].IsEmpty());
    arr[2] = L"c";
    arr.SetSize(1);
    ASSERT_EQ(arr.GetSize(), 1);
    EXPECT_EQ(arr[0], L"a");
    ExpectInvalidArg([&] { arr.SetSize(-1); });
    EXPECT_EQ(arr.GetSize(), 1);
}
