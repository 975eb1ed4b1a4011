#include "browser/DeferredCommands.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

TEST(DeferredCommandsTest, OnlyReloadsAndUnloadsOfTheBrowserWait) {
    struct Case {
        const char* command;
        bool waits;
    };
    const Case cases[] = {
        {"K2KBRWSR,EX", true},
        {"K2KBRWSR,RF", true},
        {"K2KBRWSR,SSQ", true},
        {"All,LZ", true},
        {"K2KBRWSR,MN", false},
        {"All,DF", false},
        {"K2KBRWSR,UP", false},
        {"K2KBRWSR,ex", false},
        {"K2KEXPLR,SSQ", false},
        {"K2KBRWSR", false},
        {"", false},
        {"K2KBRWSR,EX,1", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DeferredCommands::ReloadsOrUnloads(c.command), c.waits) << c.command;
}

TEST(DeferredCommandsTest, KeptWhileSearchingOnlyAndTakenOnceInOrder) {
    DeferredCommands deferred;
    EXPECT_FALSE(deferred.Keep("K2KBRWSR,EX", false)) << "no search: carried out at once";
    EXPECT_TRUE(deferred.Empty());

    EXPECT_TRUE(deferred.Keep("K2KBRWSR,RF", true));
    EXPECT_FALSE(deferred.Keep("K2KBRWSR,MN", true));
    EXPECT_TRUE(deferred.Keep("K2KBRWSR,EX", true));
    EXPECT_EQ(deferred.Take(), (std::vector<std::string>{"K2KBRWSR,RF", "K2KBRWSR,EX"}));
    EXPECT_TRUE(deferred.Take().empty());
}

} // namespace
} // namespace k2k
