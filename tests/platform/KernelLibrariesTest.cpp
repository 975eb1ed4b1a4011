#include "platform/KernelLibraries.h"
#include "system/FileLock.h"
#include "system/NativePath.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace k2k {
namespace {

using test::Done;
using test::ReadFile;
using test::TempDir;

class KernelLibrariesTest : public ::testing::Test {
protected:
    // Writes a library into the temporary folder; answers its suite-form path.
    std::string Library(std::string_view name, LibraryKind kind,
                        const std::vector<LibraryObject>& objects) {
        EXPECT_TRUE(Done(WriteLibrary(m_dir / name, kind, objects)));
        return JoinPath(m_dir.SuitePath(), name);
    }

    std::string Parts() {
        return Library("TTL.PART", LibraryKind::Part,
                       {{"7400", "DIP14 NAND", "d0"},
                        {"7402", "DIP14 NOR", "d1"},
                        {"7404", "DIP14 NOT", "d2"}});
    }

    std::vector<std::string> NamesIn(const std::string& path) {
        const Result<LibraryContents> contents = ReadLibrary(NativePath(path));
        EXPECT_TRUE(Done(contents));
        std::vector<std::string> names;
        if (!contents)
            return names;
        for (const auto& object : contents->objects)
            names.push_back(object.name);
        return names;
    }

    TempDir m_dir;
    KernelLibraries m_kernel;
};

TEST_F(KernelLibrariesTest, OpenChecksTheFileTheSignatureAndTheMode) {
    const std::string parts = Parts();
    const std::string packages = Library("SMD.PACKAGE", LibraryKind::Package, {{"SO8", "", ""}});

    const int first = m_kernel.E_OpenLibrary(parts, "KaldeDLL20", KernelLibraries::kModeLoad);
    const int second = m_kernel.E_OpenLibrary(parts, "KaldeDLL20", KernelLibraries::kModeDelete);
    EXPECT_GT(first, 0);
    EXPECT_GT(second, 0);
    EXPECT_NE(first, second);
    EXPECT_GT(m_kernel.E_OpenLibrary(packages, "KaldeSLL20", 0), 0);

    EXPECT_EQ(m_kernel.E_OpenLibrary(parts, "KaldeSLL20", 0), 0);
    EXPECT_EQ(m_kernel.E_OpenLibrary(packages, "KaldeDLL20", 0), 0);
    EXPECT_EQ(m_kernel.E_OpenLibrary(parts, "KaldeDLL20", 1), 0);
    EXPECT_EQ(m_kernel.E_OpenLibrary(parts + "X", "KaldeDLL20", 0), 0);
    test::WriteFile(m_dir / "BAD.PART", ReadFile(m_dir / "TTL.PART").substr(0, 50));
    EXPECT_EQ(m_kernel.E_OpenLibrary(JoinPath(m_dir.SuitePath(), "BAD.PART"), "KaldeDLL20", 0), 0);
}

TEST_F(KernelLibrariesTest, ObjectsAreFoundByTheirExactName) {
    Library("A.PACKAGE", LibraryKind::Package, {{"SO8", "", "outline"}, {"DIP8", "", ""}});
    const int library =
        m_kernel.E_OpenLibrary(JoinPath(m_dir.SuitePath(), "A.PACKAGE"), "KaldeSLL20", 0);
    ASSERT_GT(library, 0);

    const int object = m_kernel.E_OpenLibToRead(library, "SO8");
    ASSERT_GT(object, 0);
    ASSERT_NE(m_kernel.ObjectOf(object), nullptr);
    EXPECT_EQ(m_kernel.ObjectOf(object)->drawing, "outline");
    EXPECT_EQ(m_kernel.KindOfObject(object), LibraryKind::Package);
    EXPECT_EQ(m_kernel.E_OpenLibToRead(library, "so8"), 0);
    EXPECT_EQ(m_kernel.E_OpenLibToRead(library, "SO"), 0);
    EXPECT_EQ(m_kernel.E_OpenLibToRead(library + 100, "SO8"), 0);

    m_kernel.E_CloseLibrary(library);
    EXPECT_EQ(m_kernel.ObjectOf(object), nullptr);
    EXPECT_EQ(m_kernel.E_OpenLibToRead(library, "SO8"), 0);
    m_kernel.E_CloseLibrary(library); // closing twice does no harm
}

TEST_F(KernelLibrariesTest, InfoRecordsPutTheInfoTextWhereTheKindWantsIt) {
    const std::string parts = Parts();
    const std::string symbols =
        Library("S.SYMBOL", LibraryKind::Symbol, {{"NAND", "gate\x80logic", ""}});

    LibraryDescriptions records;
    ASSERT_EQ(m_kernel.E_GetPartInfo(parts, 3, records), 3);
    ASSERT_EQ(records.records.size(), 3u);
    EXPECT_EQ(records.records[1].field1, "7402");
    EXPECT_EQ(records.records[1].field2, "");
    EXPECT_EQ(records.records[1].field3, "DIP14 NOR");

    ASSERT_EQ(m_kernel.E_GetSymbolInfo(symbols, 1, records), 1);
    EXPECT_EQ(records.records[0].field1, "NAND");
    EXPECT_EQ(records.records[0].field2, "gate\x80logic");
    EXPECT_EQ(records.records[0].field3, "");

    // Up to count records: fewer when asked for fewer, no more than the library holds.
    EXPECT_EQ(m_kernel.E_GetPartInfo(parts, 2, records), 2);
    EXPECT_EQ(records.records.size(), 2u);
    EXPECT_EQ(m_kernel.E_GetPartInfo(parts, 50, records), 3);
    EXPECT_EQ(records.records[2].field1, "7404");

    // The wrong call for the kind, a missing file, nothing asked: no records.
    EXPECT_EQ(m_kernel.E_GetSymbolInfo(parts, 3, records), 0);
    EXPECT_TRUE(records.records.empty());
    EXPECT_EQ(m_kernel.E_GetPartInfo(symbols, 1, records), 0);
    EXPECT_EQ(m_kernel.E_GetPartInfo(parts + "X", 3, records), 0);
    EXPECT_EQ(m_kernel.E_GetPartInfo(parts, 0, records), 0);
}

TEST_F(KernelLibrariesTest, DeleteRewritesTheLibraryAndKeepsObjectNumbersRight) {
    const std::string parts = Parts();
    const int library = m_kernel.E_OpenLibrary(parts, "KaldeDLL20", KernelLibraries::kModeDelete);
    ASSERT_GT(library, 0);
    const int first = m_kernel.E_OpenLibToRead(library, "7400");
    const int middle = m_kernel.E_OpenLibToRead(library, "7402");
    const int last = m_kernel.E_OpenLibToRead(library, "7404");

    EXPECT_NE(m_kernel.E_DeleteLibObject(library, "7402"), 0);
    EXPECT_EQ(NamesIn(parts), (std::vector<std::string>{"7400", "7404"}));
    EXPECT_EQ(m_kernel.ObjectOf(middle), nullptr);
    ASSERT_NE(m_kernel.ObjectOf(first), nullptr);
    ASSERT_NE(m_kernel.ObjectOf(last), nullptr);
    EXPECT_EQ(m_kernel.ObjectOf(first)->drawing, "d0");
    EXPECT_EQ(m_kernel.ObjectOf(last)->drawing, "d2");

    EXPECT_EQ(m_kernel.E_DeleteLibObject(library, "7402"), 0); // already gone
    EXPECT_EQ(m_kernel.E_DeleteLibObject(library, "7499"), 0);
    EXPECT_EQ(NamesIn(parts), (std::vector<std::string>{"7400", "7404"}));

    // Deleting every object leaves a valid, empty library.
    EXPECT_NE(m_kernel.E_DeleteLibObject(library, "7404"), 0);
    EXPECT_NE(m_kernel.E_DeleteLibObject(library, "7400"), 0);
    EXPECT_TRUE(NamesIn(parts).empty());
    const Result<LibraryHeader> header = ReadLibraryHeader(NativePath(parts));
    ASSERT_TRUE(Done(header));
    EXPECT_EQ(header->count, 0);
    EXPECT_EQ(header->signature, "KaldeDLL20");
    LibraryDescriptions records;
    EXPECT_EQ(m_kernel.E_GetPartInfo(parts, 3, records), 0);
    EXPECT_GT(m_kernel.E_OpenLibrary(parts, "KaldeDLL20", 0), 0);
}

// Another browser deletes from the same library at the same time: each delete reads the file
// again in its turn, so both take effect; a delete told "done" is done, one told "failed"
// changed nothing.
TEST_F(KernelLibrariesTest, TwoDeletesOfOneLibraryBothTakeEffect) {
    const std::string parts = Parts();
    KernelLibraries other;
    const int mine = m_kernel.E_OpenLibrary(parts, "KaldeDLL20", KernelLibraries::kModeDelete);
    const int theirs = other.E_OpenLibrary(parts, "KaldeDLL20", KernelLibraries::kModeDelete);
    const int kept = m_kernel.E_OpenLibToRead(mine, "7404");
    ASSERT_NE(other.E_DeleteLibObject(theirs, "7400"), 0);
    EXPECT_NE(m_kernel.E_DeleteLibObject(mine, "7402"), 0);
    EXPECT_EQ(NamesIn(parts), std::vector<std::string>{"7404"});
    ASSERT_NE(m_kernel.ObjectOf(kept), nullptr);
    EXPECT_EQ(m_kernel.ObjectOf(kept)->drawing, "d2") << "numbers follow the file as it is now";

    // What another writer has deleted meanwhile is gone: the delete says so, writes nothing.
    EXPECT_NE(other.E_DeleteLibObject(theirs, "7402"), 0);
    EXPECT_EQ(NamesIn(parts), std::vector<std::string>{"7404"});

    // A library that another writer holds all the time, or a read-only one, stays as it is.
    const std::string before = ReadFile(NativePath(parts));
    SetLockWait(std::chrono::milliseconds(50));
    {
        const test::LockHeldElsewhere held(NativePath(parts));
        ASSERT_TRUE(held.Held());
        EXPECT_EQ(m_kernel.E_DeleteLibObject(mine, "7404"), 0);
        EXPECT_EQ(m_kernel.LastLibraryErrno(), kErrFileLocked);
    }
    SetLockWait(std::chrono::milliseconds(-1));
    ::chmod(NativePath(parts).c_str(), 0444);
    EXPECT_EQ(m_kernel.E_DeleteLibObject(mine, "7404"), 0);
    EXPECT_EQ(m_kernel.LastLibraryErrno(), EACCES);
    EXPECT_EQ(ReadFile(NativePath(parts)), before);
    EXPECT_EQ(m_kernel.ObjectOf(kept)->name, "7404");
}

TEST_F(KernelLibrariesTest, DeleteKeepsTheKindOfTheLibrary) {
    const std::string padstacks =
        Library("P.PADSTACK", LibraryKind::Padstack, {{"R10", "", ""}, {"C20", "", ""}});
    const int library = m_kernel.E_OpenLibrary(padstacks, "KaldeSLL20", -1);
    ASSERT_NE(m_kernel.E_DeleteLibObject(library, "R10"), 0);
    const Result<LibraryContents> contents = ReadLibrary(NativePath(padstacks));
    ASSERT_TRUE(Done(contents));
    EXPECT_EQ(contents->kind, LibraryKind::Padstack);
}

TEST_F(KernelLibrariesTest, LoadModeAndUnknownHandlesRefuseDeletes) {
    const std::string parts = Parts();
    const std::string before = ReadFile(NativePath(parts));
    const int library = m_kernel.E_OpenLibrary(parts, "KaldeDLL20", KernelLibraries::kModeLoad);
    ASSERT_GT(library, 0);
    EXPECT_EQ(m_kernel.E_DeleteLibObject(library, "7400"), 0);
    EXPECT_EQ(m_kernel.E_DeleteLibObject(library + 1, "7400"), 0);
    EXPECT_EQ(ReadFile(NativePath(parts)), before);
    EXPECT_GT(m_kernel.E_OpenLibToRead(library, "7400"), 0);
}

// An interrupted rewrite (a full disk, a crash) leaves the old library whole and no new
// file beside it, wherever in the file it strikes.
TEST_F(KernelLibrariesTest, InterruptedDeleteLeavesTheOldLibraryWhole) {
    const std::string parts = Parts();
    const std::string before = ReadFile(NativePath(parts));
    const int library = m_kernel.E_OpenLibrary(parts, "KaldeDLL20", KernelLibraries::kModeDelete);
    ASSERT_GT(library, 0);
    const int object = m_kernel.E_OpenLibToRead(library, "7404");

    // The rewritten library is as long as one written without the deleted object.
    TempDir other;
    ASSERT_TRUE(Done(WriteLibrary(other / "L", LibraryKind::Part,
                                  {{"7402", "DIP14 NOR", "d1"}, {"7404", "DIP14 NOT", "d2"}})));
    const std::size_t rewritten = ReadFile(other / "L").size();

    for (std::size_t failAfter :
         {std::size_t{0}, std::size_t{20}, std::size_t{41}, rewritten - 3, rewritten - 1}) {
        SCOPED_TRACE(failAfter);
        m_kernel.FailNextRewriteAfter(failAfter);
        EXPECT_EQ(m_kernel.E_DeleteLibObject(library, "7400"), 0);
        EXPECT_EQ(ReadFile(NativePath(parts)), before);
        EXPECT_EQ(test::FilesIn(m_dir.Path()).size(), 1u);
        // The open library still holds what the file holds.
        ASSERT_NE(m_kernel.ObjectOf(object), nullptr);
        EXPECT_EQ(m_kernel.ObjectOf(object)->name, "7404");
    }

    // The hook holds for one rewrite only.
    EXPECT_NE(m_kernel.E_DeleteLibObject(library, "7400"), 0);
    EXPECT_EQ(NamesIn(parts), (std::vector<std::string>{"7402", "7404"}));
    EXPECT_EQ(m_kernel.ObjectOf(object)->name, "7404");
}

} // namespace
} // namespace k2k
