#include "platform/PersonalSuite.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace k2k {
namespace {

namespace fs = std::filesystem;
using test::ReadFile;
using test::WriteFile;

// The user's data folder is a folder of the test's own for the time of a test.
class PersonalSuiteTest : public ::testing::Test {
protected:
    void SetUp() override {
        WriteFile(m_sample / "kalde2000.ini", "[DEVLIBS]\r\n1=A.PART\r\n");
        WriteFile(m_sample / "LIB" / "A.PART", "library");
    }

    test::TempDir m_data;
    test::ScopedVariable m_dataHome{"XDG_DATA_HOME", m_data.Path()};
    test::TempDir m_sampleDir;
    fs::path m_sample = m_sampleDir / "suite";
};

TEST_F(PersonalSuiteTest, TheFirstStartCopiesTheSampleAndLaterStartsKeepWhatThePersonChanged) {
    const auto first = FindPersonalSuite(m_sample);
    ASSERT_TRUE(first.Ok()) << first.Message();
    EXPECT_TRUE(first->madeNow);
    EXPECT_EQ(first->folder, m_data / "kalde2000" / "suite");
    EXPECT_EQ(ReadFile(first->folder / "LIB" / "A.PART"), "library");

    WriteFile(first->folder / "LIB" / "A.PART", "changed by the person");
    const auto second = FindPersonalSuite(m_sample);
    ASSERT_TRUE(second.Ok()) << second.Message();
    EXPECT_FALSE(second->madeNow);
    EXPECT_EQ(ReadFile(second->folder / "LIB" / "A.PART"), "changed by the person");
    EXPECT_EQ(ReadFile(m_sample / "LIB" / "A.PART"), "library");
    // Only the suite itself is left beside it, no copy in the making.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(m_data / "kalde2000"))
        ++entries;
    EXPECT_EQ(entries, 1);
}

// A first start that was killed left its half copy; the next first start takes it away, but
// not the copy of another first start that is still at work.
TEST_F(PersonalSuiteTest, HalfCopiesOfKilledFirstStartsAreTakenAway) {
    const fs::path folder = m_data / "kalde2000";
    pid_t dead = fork();
    if (dead == 0)
        _exit(0);
    ASSERT_GT(dead, 0);
    waitpid(dead, nullptr, 0);
    WriteFile(folder / ("suite.new-" + std::to_string(dead)) / "kalde2000.ini", "half");
    const fs::path working = folder / ("suite.new-" + std::to_string(getppid()));
    WriteFile(working / "kalde2000.ini", "at work");
    WriteFile(folder / "suite.new-notes" / "x", "not a copy");
    const auto made = FindPersonalSuite(m_sample);
    ASSERT_TRUE(made.Ok()) << made.Message();
    EXPECT_FALSE(fs::exists(folder / ("suite.new-" + std::to_string(dead))));
    EXPECT_TRUE(fs::exists(working)) << "its process still runs";
    EXPECT_TRUE(fs::exists(folder / "suite.new-notes"));
}

TEST_F(PersonalSuiteTest, WithoutASampleNothingIsMadeAndTheProblemNamesTheSample) {
    fs::remove_all(m_sample);
    const auto found = FindPersonalSuite(m_sample);
    ASSERT_FALSE(found.Ok());
    EXPECT_NE(found.Message().find(m_sample.string()), std::string::npos) << found.Message();
    EXPECT_FALSE(fs::exists(PersonalSuiteFolder()));
}

TEST_F(PersonalSuiteTest, AFolderThatCannotBeMadeIsAProblemWithItsReason) {
    // The data folder is a file: nothing can be made below it.
    fs::remove_all(m_data.Path());
    WriteFile(m_data.Path(), "not a folder");
    const auto found = FindPersonalSuite(m_sample);
    ASSERT_FALSE(found.Ok());
    EXPECT_NE(found.Error().systemError, 0);
    fs::remove(m_data.Path());
    fs::create_directories(m_data.Path());
}

} // namespace
} // namespace k2k
