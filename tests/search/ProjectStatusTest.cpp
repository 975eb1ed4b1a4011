#include "search/ProjectStatus.h"

#include "platform/Kernel.h"
#include "search/ResultList.h"
#include "support/TestSupport.h"
#include "system/NativePath.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

// The demo project of the test support: TOP (current) and SUB.
class ProjectStatusTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::WriteDemoProject(m_dir / "DEMO.K2K");
        ASSERT_TRUE(test::Done(m_kernel.OpenProject(JoinPath(m_dir.SuitePath(), "DEMO.K2K"))));
    }

    std::int32_t Status(LibraryKind kind, const char* name) {
        return ProjectStatus(m_kernel, kind, name);
    }
    int Current() { return m_kernel.DB_CurHier(m_kernel.DB_DataBase()); }

    test::TempDir m_dir;
    Kernel m_kernel;
};

constexpr std::int32_t kUsed = kInProject | kUsedInProject;

// A part counts as used on a layout or a schematic of any hierarchy, not only the current.
TEST_F(ProjectStatusTest, PartsAreUsedByComponentsOfEveryHierarchy) {
    EXPECT_EQ(Status(LibraryKind::Part, "7400"), kUsed) << "on a layout";
    EXPECT_EQ(Status(LibraryKind::Part, "7402"), kUsed) << "on a schematic only";
    EXPECT_EQ(Status(LibraryKind::Part, "LM358"), kUsed) << "in the other hierarchy";
    EXPECT_EQ(Current(), 1) << "the current hierarchy is current again";
    EXPECT_EQ(Status(LibraryKind::Part, "UNUSED"), kInProject);
    EXPECT_EQ(Status(LibraryKind::Part, "7404"), 0) << "not in the project";
}

// Symbols are looked for on the schematics, packages and padstacks on the layouts; the
// kind's masks tell apart the symbol and the package of one name.
TEST_F(ProjectStatusTest, EachKindIsLookedForWhereItIsPlaced) {
    EXPECT_EQ(FindInProject(m_kernel, LibraryKind::Symbol, "DIP14"), 3);
    EXPECT_EQ(FindInProject(m_kernel, LibraryKind::Package, "DIP14"), 2);
    EXPECT_EQ(Status(LibraryKind::Symbol, "7400"), kUsed);
    EXPECT_EQ(Status(LibraryKind::Symbol, "DIP14"), kInProject) << "only the package is placed";
    EXPECT_EQ(Current(), 1);
    EXPECT_EQ(Status(LibraryKind::Package, "DIP14"), kUsed);
    EXPECT_EQ(Status(LibraryKind::Package, "SO8"), kInProject) << "on a schematic only";
    EXPECT_EQ(Status(LibraryKind::Padstack, "PAD60"), kUsed);
    EXPECT_EQ(Status(LibraryKind::Symbol, "PAD60"), 0) << "a padstack is no symbol";
}

// Without an open project nothing is in it.
TEST(ProjectStatusWithoutProjectTest, NothingIsInTheProject) {
    Kernel kernel;
    EXPECT_EQ(ProjectStatus(kernel, LibraryKind::Part, "7400"), 0);
    EXPECT_EQ(ProjectStatus(kernel, LibraryKind::Symbol, "7400"), 0);
}

} // namespace
} // namespace k2k
