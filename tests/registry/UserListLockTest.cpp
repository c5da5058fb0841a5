#include "registry/UserListLock.h"
#include "registry/Account.h"
#include "tests/support/AccountData.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

// Run under ThreadSanitizer, a change or read made outside the lock is reported as a race.
TEST(CUserListLock, keepsTheWorkersReadsApartFromTheUiThreadsChanges)
{
    g_arrDevGroup.RemoveAll();
    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::thread worker([&] {
        while (!done) {
            CUserListLock lock;
            for (INT_PTR i = 0; i < g_arrDevGroup.GetSize(); ++i) {
                const DEVGROUP& user = g_arrDevGroup[i];
                if (user.arrDevice.GetSize() != 3 || !(user.arrDevice[2].strNumber == L"No2"))
                    ++torn;
            }
        }
    });
    for (int i = 0; i < 600; ++i) {
        CUserListLock lock;
        if (i % 3 == 2)
            g_arrDevGroup.RemoveAt(0);
        else
            g_arrDevGroup.Add(MakeUser(L"u", 3));
    }
    done = true;
    worker.join();
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(g_arrDevGroup.GetSize(), 600 - 2 * 200);
    g_arrDevGroup.RemoveAll();
}

TEST(CUserListLock, isReleasedAtTheEndOfItsScope)
{
    {
        CUserListLock lock;
    }
    std::thread other([] { CUserListLock lock; });
    other.join();
    CUserListLock again;
}
