#include "search/LibraryLookup.h"

#include "formats/StoredTexts.h"
#include "platform/Kernel.h"
#include "platform/SuiteServices.h"
#include "search/InfoText.h"
#include "search/LibraryCatalogue.h"
#include "support/SmallSuite.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

constexpr const char* kOpampDrawing = "K2KDRAW 1 SYMBOL\nRECT 0 0 400 300\n";

// The small suite with drawings, a missing symbol library before LOGIC.SYMBOL and a second
// symbol and padstack library after the first.
class LibraryLookupTest : public test::OpenedSmallSuiteTest {
protected:
    void PrepareSuite() override {
        Library("LOGIC.SYMBOL", LibraryKind::Symbol,
                {{"7400", ComposeInfo({"NAND"}), "K2KDRAW 1 SYMBOL"},
                 {"OPAMP", ComposeInfo({"Op amp", "Analog"}), kOpampDrawing}});
        Library("MORE.SYMBOL", LibraryKind::Symbol,
                {{"OPAMP", "", "the second library's"}, {"NOT", ComposeInfo({"Inverter"}), "N"}});
        Library("T.PADSTACK", LibraryKind::Padstack,
                {{"PAD60R", ComposeInfo({"", "Through-hole"}), "library pad"}});
        Library("PROJ.PADSTACK", LibraryKind::Padstack, {{"PAD60R", "", "project pad"}});
        test::WriteFile(m_dir / "kalde2000.ini",
                        "[Kalde2000]\r\nProject=DEMO.K2K\r\n"
                        "[DEVLIBS]\r\n1=A.PART\r\n2=MISSING.PART\r\n3=EMPTY.PART\r\n4=B.PART\r\n"
                        "[SCHLIBS]\r\n1=MISSING.SYMBOL\r\n2=LOGIC.SYMBOL\r\n3=MORE.SYMBOL\r\n"
                        "[LAYLIBS]\r\n1=P.PACKAGE\r\n[PADLIBS]\r\n1=T.PADSTACK\r\n");
    }

    void Library(const char* file, LibraryKind kind, const std::vector<LibraryObject>& objects) {
        test::WriteSuiteLibrary(m_dir.Path(), file, kind, objects);
    }

    std::string NameAt(int index) { return m_kernel.O_GetName(m_kernel.S_Symbol(index)); }

    LibraryLookup m_lookup{m_kernel, m_services, m_catalogue, m_libraryDir};
};

TEST_F(LibraryLookupTest, FindLibraryTakesTheFirstLibraryInOrderAndLeavesItOpen) {
    LibraryLocation found;
    ASSERT_EQ(m_lookup.FindLibrary(LibraryKind::Symbol, "OPAMP", found), 0);
    EXPECT_EQ(found.path, m_libraryDir + "\\LOGIC.SYMBOL") << "the missing library is passed";
    EXPECT_EQ(found.position, 2);
    const int first = m_lookup.Memory().object;
    const LibraryObject* object = m_kernel.ObjectOf(first);
    ASSERT_NE(object, nullptr) << "the library stays open for the load that follows";
    EXPECT_EQ(object->drawing, kOpampDrawing);

    // Parts are looked for in part libraries, with their own signature.
    ASSERT_EQ(m_lookup.FindLibrary(LibraryKind::Part, "LM358", found), 0);
    EXPECT_EQ(found.position, 4);
    EXPECT_EQ(m_kernel.ObjectOf(first), nullptr)
        << "a new find closes the library the last one left open";

    EXPECT_EQ(m_lookup.FindLibrary(LibraryKind::Symbol, "LM358", found), 1);
    EXPECT_EQ(m_lookup.Memory().library, 0);
    EXPECT_EQ(m_lookup.FindLibrary(LibraryKind::Symbol, "opamp", found), 1) << "names are exact";
}

// A library object is loaded at its kind's scratch index, the second symbol over the first;
// an object of the project is shown from there and never loaded.
TEST_F(LibraryLookupTest, LoadingForViewingUsesTheScratchIndexOrTheProjectsOwn) {
    std::string library;
    int index = 0;
    ASSERT_EQ(m_lookup.LoadForViewing(LibraryKind::Symbol, "OPAMP", library, index), 0);
    EXPECT_EQ(index, kSymbolScratchIndex);
    EXPECT_EQ(library, m_libraryDir + "\\LOGIC.SYMBOL");
    EXPECT_EQ(m_lookup.Memory().library, 0) << "the load closes the library";

    ASSERT_EQ(m_lookup.LoadForViewing(LibraryKind::Symbol, "NOT", library, index), 0);
    EXPECT_EQ(index, kSymbolScratchIndex);
    EXPECT_EQ(library, m_libraryDir + "\\MORE.SYMBOL");
    EXPECT_EQ(NameAt(kSymbolScratchIndex), "NOT");
    EXPECT_EQ(m_kernel.S_Symbol(kPackageScratchIndex), 0) << "symbols never use the package's";

    ASSERT_EQ(m_lookup.LoadForViewing(LibraryKind::Package, "DIP14", library, index), 0);
    EXPECT_EQ(index, kPackageScratchIndex);
    EXPECT_EQ(NameAt(kSymbolScratchIndex), "NOT") << "a package leaves the symbol's index alone";

    ASSERT_EQ(m_lookup.LoadForViewing(LibraryKind::Package, "DIP8", library, index), 0);
    EXPECT_EQ(library, "Project library");
    EXPECT_NE(index, kPackageScratchIndex);
    EXPECT_EQ(NameAt(index), "DIP8");

    // The project's 7400 is a symbol; as a package it is looked for in the libraries.
    EXPECT_EQ(m_lookup.LoadForViewing(LibraryKind::Package, "7400", library, index), 1);
    EXPECT_EQ(m_lookup.LoadForViewing(LibraryKind::Symbol, "NOSUCH", library, index), 1);
}

// Library files hold any bytes; the project holds only what the kernel can hand over. A
// viewed object's info text is stored up to its NUL byte, as the viewer reads it; a name the
// project cannot hold is not loaded. Either way the project opens again afterwards.
TEST_F(LibraryLookupTest, ViewingAnObjectTheProjectCannotHoldLeavesAProjectThatOpens) {
    const std::string longName(kMaxNameLength + 1, 'L');
    Library("LOGIC.SYMBOL", LibraryKind::Symbol,
            {{"OPAMP", std::string("Op amp\0hidden", 13), kOpampDrawing},
             {"LONGINFO", std::string(kMaxInfoLength + 10, 'i'), kOpampDrawing},
             {longName, "", kOpampDrawing}});
    const auto viewed = m_lookup.FetchForViewing(LibraryKind::Symbol, "OPAMP");
    ASSERT_TRUE(viewed);
    EXPECT_EQ(viewed->info, "Op amp");
    EXPECT_EQ(viewed->drawing, kOpampDrawing);
    const auto longInfo = m_lookup.FetchForViewing(LibraryKind::Symbol, "LONGINFO");
    ASSERT_TRUE(longInfo);
    EXPECT_EQ(longInfo->info.size(), kMaxInfoLength);
    EXPECT_FALSE(m_lookup.FetchForViewing(LibraryKind::Symbol, longName));

    Kernel reopened;
    EXPECT_TRUE(test::Done(reopened.OpenProject(m_dir.SuitePath() + "\\DEMO.K2K")));
}

TEST_F(LibraryLookupTest, FetchForViewingGivesLibraryInfoAndDrawingOfEachKind) {
    const auto symbol = m_lookup.FetchForViewing(LibraryKind::Symbol, "OPAMP");
    ASSERT_TRUE(symbol);
    EXPECT_EQ(symbol->library, m_libraryDir + "\\LOGIC.SYMBOL");
    EXPECT_EQ(symbol->info, ComposeInfo({"Op amp", "Analog"}));
    EXPECT_EQ(symbol->drawing, kOpampDrawing) << "read back from the project it was loaded into";

    const auto padstack = m_lookup.FetchForViewing(LibraryKind::Padstack, "PAD60R");
    ASSERT_TRUE(padstack);
    EXPECT_EQ(padstack->library, m_libraryDir + "\\T.PADSTACK");
    EXPECT_EQ(padstack->drawing, "library pad");
    EXPECT_EQ(m_lookup.Memory().library, 0);
    int cursor = 0;
    EXPECT_EQ(m_kernel.OM_SearchNameMask(m_kernel.DB_SymbMap(), cursor, "PAD60R", 0, 0), 0)
        << "padstacks are not loaded into the project";

    EXPECT_FALSE(m_lookup.FetchForViewing(LibraryKind::Padstack, "DIP14"));
    EXPECT_TRUE(m_boxes.shown.empty()) << "reporting is the caller's";

    // A pad's padstack comes from the project before the libraries.
    EXPECT_EQ(m_lookup.PadstackDrawing("PAD60R"), "library pad");
    EXPECT_EQ(m_lookup.PadstackDrawing("DIP8"), std::nullopt) << "a package is no padstack";

    const int library = m_kernel.E_OpenLibrary(m_libraryDir + "\\PROJ.PADSTACK", "KaldeSLL20", 0);
    ASSERT_GT(library, 0);
    ASSERT_GT(m_kernel.S_LoadSymbol(0, m_kernel.E_OpenLibToRead(library, "PAD60R")), 0);
    m_kernel.E_CloseLibrary(library);
    EXPECT_EQ(m_lookup.PadstackDrawing("PAD60R"), "project pad");
}

} // namespace
} // namespace k2k
