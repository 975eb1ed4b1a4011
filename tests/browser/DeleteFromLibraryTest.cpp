#include "browser/DeleteFromLibrary.h"

#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "search/ProjectStatus.h"
#include "search/ResultList.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using List = std::vector<std::string>;

class DeleteFromLibraryTest : public test::OpenedSmallSuiteTest {
protected:
    void SetUp() override {
        OpenedSmallSuiteTest::SetUp();
        for (const char* name : {"74LS00", "NOPE1", "74HC00", "NOPE2", "LM741"})
            m_parts.Append("A.PART", name, "", 0, 0);
        m_parts.Append("project library", "SPARE", "", kInProject, 0);
        m_setup.libraryDir = m_libraryDir;
        m_setup.atLeastOneSelected = true;
        m_setup.setHourglass = [this](bool on) { m_hourglass.push_back(on); };
    }

    ResultList m_parts{LibraryKind::Part};
    DeleteFromLibSetup m_setup;
    std::vector<bool> m_hourglass;
};

TEST_F(DeleteFromLibraryTest, TheWalkGoesFromTheLastSelectedRecordToTheFirst) {
    m_setup.atLeastOneSelected = false;
    EXPECT_EQ(DeleteFromLib(m_parts, {1}, m_setup, m_kernel, m_services), 0)
        << "the flag of the last mouse release says nothing is selected";
    m_setup.atLeastOneSelected = true;
    EXPECT_EQ(DeleteFromLib(m_parts, {}, m_setup, m_kernel, m_services), 0);
    EXPECT_TRUE(m_boxes.shown.empty() && m_hourglass.empty())
        << "nothing asked without a selection";

    m_boxes.answers = {MsgAnswer::Yes};
    EXPECT_EQ(DeleteFromLib(m_parts, {2, 6, 4, 3, 4, 99}, m_setup, m_kernel, m_services), 2)
        << "a number named twice goes once; one that names no record is passed over";
    std::vector<std::string> left;
    for (int i = 1; i <= m_parts.Count(); ++i)
        left.emplace_back(m_parts.Name(i));
    EXPECT_EQ(left, (List{"74LS00", "NOPE1", "NOPE2", "LM741"}))
        << "a record whose object could not be deleted keeps its row";
    EXPECT_EQ(m_boxes.Texts(), (List{"Permanently Delete Selected Part(s)?",
                                     "Can't delete Part: NOPE2 from disk library",
                                     "Can't delete Part: NOPE1 from disk library"}));
    EXPECT_EQ(m_hourglass, (std::vector<bool>{true, false}));
    EXPECT_EQ(FindInProject(m_kernel, LibraryKind::Part, "SPARE"), 0)
        << "a record of the project library is deleted from the project";
    const Result<LibraryContents> contents = ReadLibrary(m_dir / "LIB" / "A.PART");
    ASSERT_TRUE(test::Done(contents));
    EXPECT_EQ(contents->objects.size(), 4u);
    for (const LibraryObject& object : contents->objects)
        EXPECT_NE(object.name, "74HC00");
}

// A row's library is joined to the library folder: one that leads out of it is refused.
TEST_F(DeleteFromLibraryTest, ARowWhoseLibraryLeadsOutOfTheFolderDeletesNothing) {
    const std::string before = test::ReadFile(m_dir / "LIB" / "A.PART");
    std::filesystem::create_directories(m_dir / "LIB" / "SUB");
    m_setup.libraryDir = m_dir.SuitePath() + "\\LIB\\SUB";
    ResultList rows{LibraryKind::Part};
    rows.Append("..\\A.PART", "74LS00", "", 0, 0);
    m_boxes.answers = {MsgAnswer::Yes};
    EXPECT_EQ(DeleteFromLib(rows, {1}, m_setup, m_kernel, m_services), 0);
    EXPECT_EQ(rows.Count(), 1);
    EXPECT_EQ(m_boxes.Texts().back(),
              "Can't delete Part: 74LS00 from disk library\r\nThe library name \"..\\A.PART\" is "
              "not a plain file name in the library folder: it holds \\, / or :, which lead to "
              "another folder");
    EXPECT_EQ(test::ReadFile(m_dir / "LIB" / "A.PART"), before);
}

} // namespace
} // namespace k2k
