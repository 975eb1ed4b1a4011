#include "search/LibraryMaintenance.h"

#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "search/LibraryCatalogue.h"
#include "search/ProjectStatus.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace k2k {
namespace {

using List = std::vector<std::string>;

class LibraryMaintenanceTest : public test::OpenedSmallSuiteTest {
protected:
    std::string Lib(const char* file) const { return m_libraryDir + "\\" + file; }

    List Names(const char* file) {
        const Result<LibraryContents> contents = ReadLibrary(m_dir / "LIB" / file);
        EXPECT_TRUE(test::Done(contents));
        List names;
        if (!contents)
            return names;
        for (const LibraryObject& object : contents->objects)
            names.push_back(object.name);
        EXPECT_EQ(contents->header.count, static_cast<std::int32_t>(names.size()));
        return names;
    }
};

// Only the named object of the kind goes; a delete that fails leaves the file as it was and
// says which numbered message shows it, and the errno of a rewrite that failed.
TEST_F(LibraryMaintenanceTest, LibraryDeleteRemovesExactlyTheNamedObjectOfItsKind) {
    EXPECT_TRUE(DeleteFromLibrary(m_kernel, LibraryKind::Part, Lib("A.PART"), "74HC00"));
    EXPECT_EQ(Names("A.PART"), (List{"74LS00", "SN74LS00N", "74LS02", "LM741"}));

    const std::string before = test::ReadFile(m_dir / "LIB" / "A.PART");
    const auto refusal = [&](LibraryKind kind, const char* file, const char* name) {
        const Status deleted = DeleteFromLibrary(m_kernel, kind, Lib(file), name);
        EXPECT_FALSE(deleted) << name;
        return deleted ? Problem{} : deleted.Error();
    };
    const Problem gone = refusal(LibraryKind::Part, "A.PART", "74HC00");
    EXPECT_EQ(gone.messageNumber, 18) << "no longer held";
    EXPECT_EQ(gone.systemError, 0);
    EXPECT_EQ(refusal(LibraryKind::Part, "A.PART", "74ls00").messageNumber, 18)
        << "names compare exactly";
    EXPECT_EQ(refusal(LibraryKind::Symbol, "A.PART", "74LS00").messageNumber, 21)
        << "a part library does not open with the symbol libraries' signature";
    EXPECT_EQ(refusal(LibraryKind::Part, "MISSING.PART", "74LS00").systemError, 0);
    m_kernel.FailNextRewriteAfter(40);
    const Problem full = refusal(LibraryKind::Part, "A.PART", "74LS02");
    EXPECT_EQ(full.messageNumber, 18);
    EXPECT_EQ(full.systemError, ENOSPC);
    EXPECT_EQ(test::ReadFile(m_dir / "LIB" / "A.PART"), before) << "a failed rewrite leaves it";
    EXPECT_EQ(test::FilesIn(m_dir / "LIB").size(), 6u) << "no new file is left beside the library";

    // Symbols, packages and padstacks share one signature, so the kind named only chooses it.
    EXPECT_TRUE(DeleteFromLibrary(m_kernel, LibraryKind::Symbol, Lib("P.PACKAGE"), "DIP8"));
    EXPECT_EQ(Names("P.PACKAGE"), List{"DIP14"});
    EXPECT_TRUE(DeleteFromLibrary(m_kernel, LibraryKind::Padstack, Lib("T.PADSTACK"), "PAD60R"));
    EXPECT_TRUE(Names("T.PADSTACK").empty());
}

TEST_F(LibraryMaintenanceTest, ProjectDeleteAsksOnlyForAnObjectAComponentUses) {
    // SPARE is in the part map but placed nowhere.
    EXPECT_EQ(DeleteFromProject(m_kernel, m_services, LibraryKind::Part, "SPARE"),
              ProjectDeletion::Deleted);
    EXPECT_TRUE(m_boxes.shown.empty());
    EXPECT_EQ(DeleteFromProject(m_kernel, m_services, LibraryKind::Part, "74HC00"),
              ProjectDeletion::NotInProject);

    // 74LS00 is on a layout and a schematic of the second hierarchy.
    EXPECT_EQ(DeleteFromProject(m_kernel, m_services, LibraryKind::Part, "74LS00"),
              ProjectDeletion::Kept);
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text,
              "Selected Part Used in Project\r\nDeleting this Part will cause "
              "NetList corruption\r\nDelete anyway ?");
    EXPECT_EQ(m_boxes.shown[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(m_boxes.shown[0].title, "Kalde 2000 - Library Browser");
    EXPECT_GT(FindInProject(m_kernel, LibraryKind::Part, "74LS00"), 0);

    m_boxes.answers = {MsgAnswer::Yes};
    EXPECT_EQ(DeleteFromProject(m_kernel, m_services, LibraryKind::Part, "74LS00"),
              ProjectDeletion::Deleted);

    m_kernel.CloseProject();
    OpenSuite(m_services);
    EXPECT_EQ(FindInProject(m_kernel, LibraryKind::Part, "74LS00"), 0) << "written through";
    EXPECT_EQ(FindInProject(m_kernel, LibraryKind::Part, "SPARE"), 0);
    EXPECT_GT(FindInProject(m_kernel, LibraryKind::Part, "LM741"), 0);
}

TEST_F(LibraryMaintenanceTest, SymbolsLookAtSchematicsAndPackagesAtLayouts) {
    EXPECT_EQ(DeleteFromProject(m_kernel, m_services, LibraryKind::Symbol, "DIP8"),
              ProjectDeletion::NotInProject)
        << "a package is not a symbol";
    EXPECT_EQ(DeleteFromProject(m_kernel, m_services, LibraryKind::Symbol, "7400"),
              ProjectDeletion::Kept);
    ASSERT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(m_boxes.shown[0].text, "Selected Symbol Used in Project\r\nDeleting this Symbol will "
                                     "cause NetList corruption\r\nDelete anyway ?");

    // DIP8 is used by a schematic component only, which a package's use search passes over.
    EXPECT_EQ(DeleteFromProject(m_kernel, m_services, LibraryKind::Package, "DIP8"),
              ProjectDeletion::Deleted);
    EXPECT_EQ(m_boxes.shown.size(), 1u);
    EXPECT_EQ(ProjectUseQuestion(m_services, LibraryKind::Padstack),
              ProjectUseQuestion(m_services, LibraryKind::Package));

    m_kernel.CloseProject();
    EXPECT_EQ(DeleteFromProject(m_kernel, m_services, LibraryKind::Part, "LM741"),
              ProjectDeletion::NotInProject)
        << "without a project nothing is found";
}

} // namespace
} // namespace k2k
