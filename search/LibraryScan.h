#pragma once
// The reading and testing of a search's libraries on every core. The search hands the scan
// the libraries it takes, in catalogue order, and a test of one object; worker threads
// read the libraries through the kernel and test their objects, a few libraries ahead of
// the search, while the search's own thread takes the libraries strictly in order: first
// the outcome of a library's read, then the objects that passed, in library order, a piece
// at a time as the workers find them. So the rows, their numbers, the messages and their
// order are those of a search that reads one library after the other: only the reading,
// the testing and the copying run ahead, and nothing the search shows is done on a worker.
//
// The workers copy the name and info text of each object that passed into blocks of
// memory that the search takes over with the objects (a result list keeps them): the
// copying, and the first touch of that fresh memory, is spread over the cores too.
//
// At most a few libraries are held at a time; each slot keeps its read buffers from
// library to library and from search to search, so a search allocates nothing per library
// to read it once the slots have grown to the largest library. Every wait of the search's
// thread ends after the time it asks for, so the window's events keep running, and Finish
// cancels the workers between two pieces of reading or testing, so a Stop takes effect at
// once. Retest hands the workers a new test for the objects the search has not taken yet:
// the library being taken keeps its read and is tested again after its last object taken,
// and the libraries read ahead are read and tested again.
//
//     scan.Start(kind, paths, test, nameOnly);
//     for each library i: WaitRead(i) until it answers, then WaitPassed(i) until done,
//                         then Release(i); Retest(i, taken, test) at any point in between;
//     scan.Finish(); // also when the search stops early

#include "common/ObjectKinds.h"
#include "platform/KernelLibraries.h"
#include "search/LibraryCatalogue.h"
#include "system/MemoryBlock.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace k2k {

// An object that passed the test: its name, then its info text, in a copied block.
struct PassedObject {
    const char* text;
    std::uint32_t nameLength;
    std::uint32_t infoLength;

    std::string_view Name() const noexcept { return {text, nameLength}; }
    std::string_view Info() const noexcept { return {text + nameLength, infoLength}; }
};

class LibraryScan final {
public:
    // The test of one object. It runs on the workers, several at once: it may only read
    // what no one changes while the scan holds it (until Retest or Finish).
    using ObjectTest = std::function<bool(std::string_view name, std::string_view info)>;

    // workers: the worker threads (0: one per core); they start with the first search.
    explicit LibraryScan(const KernelLibraries& kernel, int workers = 0);
    ~LibraryScan();
    LibraryScan(const LibraryScan&) = delete;
    LibraryScan& operator=(const LibraryScan&) = delete;

    // Starts reading the libraries at paths (full paths, catalogue order), numbered from 0
    // for the calls below. nameOnly: the test reads names only, so a library is mapped
    // rather than read while few of its objects pass.
    void Start(LibraryKind kind, std::vector<std::string> paths, ObjectTest test, bool nameOnly);
    // The outcome of library i's read, once known; nullopt when the wait timed out.
    std::optional<LibraryReadOutcome> WaitRead(std::size_t library,
                                               std::chrono::milliseconds timeout);
    // The objects of library i that passed the test, in library order: all found so far
    // (waiting up to timeout for more than from of them), valid until Release(i). texts
    // receives the blocks that hold their texts and were not handed over before: the
    // texts stay as long as the caller keeps the blocks (a worker may still be filling
    // the rest of one). done: every object of the library was tested.
    std::span<const PassedObject> WaitPassed(std::size_t library, std::size_t from,
                                             std::chrono::milliseconds timeout, bool& done,
                                             std::vector<SharedBlock>& texts);
    // The search has taken the first `taken` objects that passed in library i and every
    // library before it: the objects after those are tested with test from now on (what
    // the workers found with the old test is dropped, and WaitPassed answers afresh).
    void Retest(std::size_t library, std::size_t taken, ObjectTest test);
    // The search is through with library i: its slot takes the next library, once no
    // worker is in it.
    void Release(std::size_t library);
    // Ends the search: the workers give up what they are doing and the slots are freed.
    void Finish();

    int Workers() const noexcept { return m_workerCount; }

private:
    struct Slot;
    struct TextArena;
    void Work();
    bool TakeJob(std::unique_lock<std::mutex>& lock, std::size_t& library);
    bool ReadJob(std::size_t library);
    void TestJob(std::size_t library, std::size_t from, std::size_t passed, TextArena& arena);
    // Marks a worker's slot done (under the lock), and frees it when it was given up.
    void Done(Slot& slot);
    // Cancels the workers, gives them no new job and waits until none is busy.
    void StopWorkers(std::unique_lock<std::mutex>& lock);
    Slot& SlotOf(std::size_t library) const;

    const KernelLibraries& m_kernel;
    int m_workerCount;
    std::vector<std::thread> m_workers;
    std::vector<std::unique_ptr<Slot>> m_slots;

    mutable std::mutex m_mutex;
    std::condition_variable m_workAvailable; // a job or a free slot for the workers
    std::condition_variable m_progress;      // news of a library for the search
    bool m_quit = false;
    std::atomic<bool> m_cancel{false};

    // The running search; written by Start, Retest and Finish while no worker is busy.
    LibraryKind m_kind = LibraryKind::Part;
    std::vector<std::string> m_paths;
    ObjectTest m_test;
    bool m_nameOnly = false;
    std::size_t m_next = 0; // the next library a worker takes
    int m_busy = 0;         // workers inside a job
    // How the next library is read: as the last one tested went, a search that passes many
    // objects reads their info texts, one that passes few mostly their names.
    bool m_manyPass = false;
};

} // namespace k2k
