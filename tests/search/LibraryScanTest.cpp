#include "search/LibraryScan.h"

#include "platform/Kernel.h"
#include "support/TestSupport.h"
#include "system/NativePath.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

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

// Where a walk changes its test: after taking `after` objects of library `library`.
struct Change {
    std::size_t library = SIZE_MAX;
    std::size_t after = 0;
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
                else
                    inverters[i].push_back(name);
            }
            ASSERT_TRUE(test::Done(WriteLibrary(dir / file, LibraryKind::Part, objects)));
            want.outcome = objects.empty() ? LibraryReadOutcome::Empty : LibraryReadOutcome::Read;
            expected.push_back(want);
        }
    }

    static bool HasNand(std::string_view, std::string_view info) {
        return info.find("NAND") != std::string_view::npos;
    }
    static bool HasInverter(std::string_view, std::string_view info) {
        return info.find("INVERTER") != std::string_view::npos;
    }

    // A search's thread: the libraries in order, up to stopAt of them. The texts are read
    // only after the scan has finished (and gone on to reuse its slots, when next is
    // set), from the blocks handed over: the address checks see any block still owned
    // by a slot.
    std::vector<Taken> Walk(LibraryScan& scan, std::size_t stopAt = SIZE_MAX, Change change = {}) {
        std::vector<Taken> taken;
        std::vector<std::vector<PassedObject>> objects;
        std::vector<SharedBlock> texts;
        scan.Start(LibraryKind::Part, paths, HasNand, false);
        bool changed = false;
        for (std::size_t i = 0; i < paths.size() && i < stopAt; ++i) {
            std::optional<LibraryReadOutcome> outcome;
            while (!(outcome = scan.WaitRead(i, 5ms))) {
            }
            taken.push_back({*outcome, {}});
            objects.emplace_back();
            for (bool done = *outcome != LibraryReadOutcome::Read; !done;) {
                const auto passed = scan.WaitPassed(i, objects.back().size(), 5ms, done, texts);
                objects.back().assign(passed.begin(), passed.end());
                if (!changed && i == change.library && passed.size() >= change.after) {
                    changed = true;
                    objects.back().resize(change.after);
                    scan.Retest(i, change.after, HasInverter);
                    done = false;
                }
            }
            scan.Release(i);
        }
        scan.Finish();
        scan.Start(LibraryKind::Part, paths, HasNand, true); // the slots reused and let go
        scan.Finish();
        for (std::size_t i = 0; i < objects.size(); ++i)
            for (const PassedObject& object : objects[i]) {
                taken[i].names.emplace_back(object.Name());
                EXPECT_EQ(object.Info(),
                          change.library < i ||
                                  (change.library == i && taken[i].names.size() > change.after)
                              ? "HEX INVERTER"
                              : "QUAD NAND");
            }
        return taken;
    }

    test::TempDir dir;
    Kernel kernel;
    std::vector<std::string> paths;
    std::vector<Taken> expected;
    std::map<std::size_t, std::vector<std::string>> inverters; // by library: the others
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
    EXPECT_EQ(Walk(scan), expected) << "nothing of the search given up leaks into the next";
}

// A new test half-way through a large library holds for every object not taken yet: in
// that library after the last object taken (wherever the workers were), and in every
// library read ahead.
TEST_F(LibraryScanTest, ANewTestHoldsForEveryObjectNotTakenYet) {
    const std::size_t after = 9000; // in the second of the pieces of library 2
    const auto& nands = expected[2].names;
    std::vector<Taken> want = expected;
    want[2].names.resize(after);
    const auto number = [](const std::string& name) { return std::stoi(name.substr(3)); };
    for (const std::string& name : inverters[2])
        if (number(name) > number(nands[after - 1]))
            want[2].names.push_back(name);
    for (std::size_t i = 3; i < want.size(); ++i)
        want[i].names = inverters[i];
    for (int workers : {1, 3}) {
        LibraryScan scan(kernel, workers);
        EXPECT_EQ(Walk(scan, SIZE_MAX, {2, after}), want) << workers << " workers";
        EXPECT_EQ(Walk(scan), expected) << workers << " workers: the next search as before";
    }
}

// A library given up while a worker is still in it (a Stop half-way through) keeps its
// place until the worker is done: the library that takes the place next is not read into
// the memory the worker is reading.
TEST_F(LibraryScanTest, ALibraryGivenUpKeepsItsPlaceUntilItsWorkerIsDone) {
    LibraryScan scan(kernel, 2); // three places: library 5 takes the place of library 2
    std::atomic<bool> inside{false};
    std::atomic<bool> go{false};
    const auto test = [&](std::string_view name, std::string_view info) {
        if (name == "P2_30000") { // in the second piece of library 2
            inside = true;
            while (!go)
                std::this_thread::sleep_for(1ms);
        }
        return HasNand(name, info);
    };
    scan.Start(LibraryKind::Part, paths, test, false);
    for (std::size_t i = 0; i < 2; ++i) {
        bool done = false;
        std::vector<SharedBlock> texts;
        while (!scan.WaitRead(i, 5ms)) {
        }
        while (!done)
            scan.WaitPassed(i, SIZE_MAX, 5ms, done, texts);
        scan.Release(i);
    }
    while (!inside)
        std::this_thread::sleep_for(1ms);
    scan.Release(2);
    EXPECT_FALSE(scan.WaitRead(5, 100ms)) << "library 5 was read while library 2's worker ran";
    go = true;
    std::optional<LibraryReadOutcome> outcome;
    for (int wait = 0; wait < 500 && !outcome; ++wait)
        outcome = scan.WaitRead(5, 10ms);
    EXPECT_EQ(outcome, expected[5].outcome) << "the place is free once the worker is done";
    scan.Finish();
    EXPECT_EQ(Walk(scan), expected);
}

} // namespace
} // namespace k2k
