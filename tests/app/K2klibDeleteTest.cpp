#include "support/SmallSuite.h"
#include "support/TestSupport.h"
#include "support/ToolRun.h"
#include "system/FileLock.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>

namespace k2k {
namespace {

using test::ReadFile;
using test::RunK2klib;

class K2klibDeleteTest : public test::SmallSuiteTest {
protected:
    test::ToolRun Delete(std::vector<std::string> args) {
        args.insert(args.begin(), {"delete", "--suite", m_dir.Path().string()});
        return RunK2klib(args);
    }
    // The names a search of the kind finds, tab-separated lines of status and name.
    std::string Found(const char* kind, const char* library = "[ALL LIBRARIES]") {
        const auto run = RunK2klib({"search", "--suite", m_dir.Path().string(), "--kind", kind,
                                    "--name", "*", "--library", library, "--format", "tsv"});
        std::string names;
        std::istringstream lines(run.out);
        std::string line;
        std::getline(lines, line); // the header
        while (std::getline(lines, line))
            names += line.substr(0, line.find('\t', line.find('\t') + 1)) + "\n";
        return names;
    }
};

// Without --yes, or when the delete cannot be done, nothing changes.
TEST_F(K2klibDeleteTest, WithoutYesOrWhenItFailsNothingChanges) {
    const std::string library = ReadFile(m_dir / "LIB" / "B.PART");
    const std::string project = ReadFile(m_dir / "DEMO.K2K");
    auto run = Delete({"--kind", "part", "LM358"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "would delete part LM358 from " + (m_dir / "LIB" / "B.PART").string() +
                           " (library 4 of the part search sequence)\n"
                           "the browser asks: Permanently Delete Selected Part(s)?\n"
                           "nothing deleted; --yes answers yes\n");

    run = Delete({"--kind", "part", "--project", "74LS00"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("and, since a component uses it: Selected Part Used in Project / "
                           "Deleting this Part will cause NetList corruption / Delete anyway ?"),
              std::string::npos)
        << run.out;
    run = Delete({"--kind", "part", "--project", "SPARE"});
    EXPECT_EQ(run.out.find("since a component uses it"), std::string::npos) << "placed nowhere";

    // What cannot be deleted fails with the browser's message.
    run = Delete({"--kind", "part", "--library", "B.PART", "--yes", "74HC00"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Can't delete Part: 74HC00 from disk library"), std::string::npos)
        << run.err;
    run = Delete({"--kind", "symbol", "--library", "P.PACKAGE", "--yes", "7400"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Can't delete Symbol/Package: 7400 from disk library"),
              std::string::npos);
    run = Delete({"--kind", "part", "NOSUCH"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("no library of the part search sequence holds NOSUCH"),
              std::string::npos);
    run = Delete({"--kind", "symbol", "--project", "DIP8"});
    EXPECT_EQ(run.status, 1) << "a package is no symbol of the project";
    EXPECT_EQ(Delete({"--kind", "part", "--project", "--library", "A.PART", "X"}).status, 2);

    // A read-only library, or one that another writer holds all the while, says why.
    const auto file = m_dir / "LIB" / "B.PART";
    ::chmod(file.c_str(), 0444);
    run = Delete({"--kind", "part", "--yes", "LM358"});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("Can't delete Part: LM358 from disk library\n  Can't create/write to "
                           "file: " +
                           file.string() + "\n"),
              std::string::npos)
        << run.err;
    ::chmod(file.c_str(), 0644);
    SetLockWait(std::chrono::milliseconds(50));
    {
        const test::LockHeldElsewhere held(file);
        run = Delete({"--kind", "part", "--yes", "LM358"});
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.err.find("\n  Another program is changing this file."), std::string::npos)
            << run.err;
    }
    SetLockWait(std::chrono::milliseconds(-1));

    EXPECT_EQ(ReadFile(m_dir / "LIB" / "B.PART"), library);
    EXPECT_EQ(ReadFile(m_dir / "DEMO.K2K"), project);
}

TEST_F(K2klibDeleteTest, WithYesItDeletesFromTheLibraryOrTheProject) {
    auto run = Delete({"--kind", "part", "--yes", "74HC00"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Found("part", "A.PART"), "6\t74LS00\n0\tSN74LS00N\n0\t74LS02\n6\tLM741\n");

    run = Delete({"--kind", "package", "--library", "P.PACKAGE", "--yes", "DIP14"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Found("package"), "2\tDIP8\n");

    run = Delete({"--kind", "part", "--project", "--yes", "74LS00"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.err.find("Delete anyway ?"), std::string::npos) << "the question is shown";
    EXPECT_EQ(Found("part", "[PROJECT LIBRARY]"), "6\tLM741\n2\tSPARE\n");
    EXPECT_NE(Found("part", "A.PART").find("\t74LS00\n"), std::string::npos)
        << "a project delete leaves the libraries alone";
}

} // namespace
} // namespace k2k
