#include "registry/Account.h"
#include "tests/support/AccountData.h"

#include <gtest/gtest.h>

TEST(DEVGROUP, assignmentLeavesExactlyTheSourcesDevicesAsIndependentCopies)
{
    const DEVGROUP source = MakeUser(L"a", 2);
    DEVGROUP target = MakeUser(L"b", 5);
    target = source;
    EXPECT_EQ(target.strName, L"a");
    ASSERT_EQ(target.arrDevice.GetSize(), 2);
    EXPECT_TRUE(SameDevice(target.arrDevice[1], source.arrDevice[1]));

    target.arrDevice[0].strName = L"changed";
    EXPECT_EQ(source.arrDevice[0].strName, L"a-名称0");
}

TEST(DEVGROUP, selfAssignmentAndCopyKeepEveryDevice)
{
    DEVGROUP group = MakeUser(L"a", 3);
    const DEVGROUP& same = group;
    group = same;
    EXPECT_EQ(group.arrDevice.GetSize(), 3);

    DEVGROUP copy(group);
    copy.arrDevice[2].strNumber = L"x";
    EXPECT_EQ(group.arrDevice[2].strNumber, L"No2");
    EXPECT_EQ(DEVGROUP(MakeUser(L"e", 0)).arrDevice.GetSize(), 0);
}

TEST(DEVICE, copiesAreIndependent)
{
    DEVICE a = MakeDevice(L"1", L"2", L"3", L"4", L"5", L"6");
    DEVICE b(a);
    DEVICE c;
    c = a;
    b.strApiKey = L"x";
    c.strNumber = L"y";
    EXPECT_EQ(a.strApiKey, L"2");
    EXPECT_EQ(a.strNumber, L"6");
}

TEST(UserList, removingAUserMovesTheNextOneDown)
{
    CArray<DEVGROUP, DEVGROUP> users;
    users.Add(MakeUser(L"u0", 1));
    users.Add(MakeUser(L"u1", 2));
    users.Add(MakeUser(L"u2", 3));
    users.RemoveAt(1);
    ASSERT_EQ(users.GetSize(), 2);
    EXPECT_EQ(users[1].strName, L"u2");
    EXPECT_EQ(users[1].arrDevice.GetSize(), 3);
}

TEST(AccountGlobals, areEmptyBeforeLogin)
{
    EXPECT_EQ(g_arrDevGroup.GetSize(), 0);
    EXPECT_TRUE(g_strAccount.IsEmpty());
    EXPECT_TRUE(g_strPassword.IsEmpty());
    EXPECT_EQ(g_pMainDlg, nullptr);
}
