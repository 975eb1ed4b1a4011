#include "search/LibraryScan.h"

#include "platform/Kernel.h"
#include "platform/NativePath.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace k2k {
namespace {

using namespace std::chrono_literals;

// What a search takes from one library: its read's outcome and the names that passed.
struct Taken {
    LibraryReadOutcome outcome = LibraryReadOutcome::Missing;
    std::vector<std::string> names;
    bool operator==(const Taken&) const = default;
    friend void PrintTo(const Taken& taken, std::ostream* out) {
        *out << "outcome " << static_cast<int>(taken.outcome) << ", " << taken.names.size()
             << " names from " << (taken.names.empty() ? "-" : taken.names.front());
    }
};

class LibraryScanTest : public ::testing::Test {
protected:
    // Libraries of many sizes (one larger than several of the workers' pieces), an empty
    // one, a missing one and a damaged one, in this order.
    void SetUp() override {
        const std::vector<int> sizes = {3, 0, 40000, 1, -1, 700, 5000, -2, 2, 12000, 64};
        for (std::size_t i = 0; i < sizes.size(); ++i) {
            const std::string file = "L" + std::to_string(i) + ".PART";
            paths.push_back(JoinPath(dir.SuitePath(), file));
            Taken want;
            if (sizes[i] == -1) { // never written: missing
                expected.push_back(want);
                continue;
            }
            if (sizes[i] == -2) {
                test::WriteFile(dir / file,
                                std::string("KaldeDLL20\0\0", 12) + std::string(8, '\x05'));
                expected.push_back({LibraryReadOutcome::Unreadable, {}});
                continue;
            }
            std::vector<LibraryObject> objects;
            for (int n = 0; n < sizes[i]; ++n) {
                const std::string name = "P" + std::to_string(i) + "_" + std::to_string(n);
                const bool passes = (n * 7 + static_cast<int>(i)) % 3 == 0;
                objects.push_back({name, passes ? "QUAD NAND" : "HEX INVERTER", ""});
                if (passes)
                    want.names.push_back(name);
            }
            std::string error;
            ASSERT_TRUE(WriteLibrary(dir / file, LibraryKind::Part, objects, error)) << error;
            want.outcome = objects.empty() ? LibraryReadOutcome::Empty : LibraryReadOutcome::Read;
            expected.push_back(want);
        }
    }

    static bool HasNand(std::string_view, std::string_view info) {
        return info.find("NAND") != std::string_view::npos;
    }

    // A search's thread: the libraries in order, up to stopAt of them.
    std::vector<Taken> Walk(LibraryScan& scan, std::size_t stopAt = SIZE_MAX) {
        std::vector<Taken> taken;
        scan.Start(LibraryKind::Part, paths, HasNand, false);
        for (std::size_t i = 0; i < paths.size() && i < stopAt; ++i) {
            std::optional<LibraryReadOutcome> outcome;
            while (!(outcome = scan.WaitRead(i, 5ms))) {
            }
            Taken library{*outcome, {}};
            if (*outcome == LibraryReadOutcome::Read) {
                const auto& records = scan.Descriptions(i).records;
                for (bool done = false; !done;) {
                    const auto passed = scan.WaitPassed(i, library.names.size(), 5ms, done);
                    for (std::size_t k = library.names.size(); k < passed.size(); ++k)
                        library.names.emplace_back(records[passed[k]].field1);
                    done = done && library.names.size() == passed.size();
                }
            }
            scan.Release(i);
            taken.push_back(std::move(library));
        }
        scan.Finish();
        return taken;
    }

    test::TempDir dir;
    Kernel kernel;
    std::vector<std::string> paths;
    std::vector<Taken> expected;
};

TEST_F(LibraryScanTest, AnyNumberOfWorkersFindsWhatOneLibraryAfterTheOtherFinds) {
    for (int workers : {1, 2, 5}) {
        LibraryScan scan(kernel, workers);
        EXPECT_EQ(Walk(scan), expected) << workers << " workers";
        EXPECT_EQ(Walk(scan), expected) << workers << " workers, the buffers used again";
    }
}

TEST_F(LibraryScanTest, ASearchGivenUpHalfWayLeavesTheScanReadyForTheNext) {
    LibraryScan scan(kernel, 3);
    const std::vector<Taken> firstThree = Walk(scan, 3);
    EXPECT_EQ(firstThree, std::vector<Taken>(expected.begin(), expected.begin() + 3));

    // Given up while the workers are still reading ahead: nothing of it leaks into the next.
    scan.Start(LibraryKind::Part, paths, HasNand, true);
    scan.Finish();
    EXPECT_EQ(Walk(scan), expected);
}

} // namespace
} // namespace k2k
