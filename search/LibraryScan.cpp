#include "search/LibraryScan.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <sys/resource.h>
#include <unistd.h>

namespace k2k {

namespace {

constexpr std::size_t kFree = std::numeric_limits<std::size_t>::max();
// Objects tested between two looks at the cancel flag and two hand-overs to the search:
// well under a millisecond of work.
constexpr std::size_t kPiece = 16384;
constexpr int kMostWorkers = 8;
constexpr int kWorkerNiceness = 5;
// The blocks a worker copies texts into: small for a small search, then doubling (the
// larger ones as huge pages, whose fresh memory is far cheaper to fill).
constexpr std::size_t kFirstTextBlock = std::size_t{64} << 10;
constexpr std::size_t kLargestTextBlock = std::size_t{8} << 20;

int WorkersFor(int asked) {
    if (asked > 0)
        return std::min(asked, kMostWorkers);
    const auto cores = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(cores, 1, kMostWorkers);
}

} // namespace

// Where a worker copies texts: its current block, filled from the front. A block is shared
// by the search that took objects from it and the worker that may still be filling it.
struct LibraryScan::TextArena {
    SharedBlock block;
    std::size_t used = 0;

    char* Take(std::size_t bytes) {
        if (!block || block->Size() - used < bytes) {
            const std::size_t next =
                block ? std::min(block->Size() * 2, kLargestTextBlock) : kFirstTextBlock;
            block = std::make_shared<MemoryBlock>(std::max(next, bytes));
            used = 0;
        }
        char* at = block->Data() + used;
        used += bytes;
        return at;
    }
};

// One library on its way from a worker to the search.
struct LibraryScan::Slot {
    std::size_t library = kFree;
    std::optional<LibraryReadOutcome> outcome; // known once the read is over
    LibraryDescriptions descriptions;
    // The objects that passed: [0, published) are handed over and no longer change. Taken
    // (not value-initialised, so untouched) for the largest library yet, so it never moves
    // while the search reads it.
    std::unique_ptr<PassedObject[]> passed;
    std::unique_ptr<std::uint32_t[]> passedRecords; // the place of each in the library
    std::size_t capacity = 0;
    std::size_t published = 0;
    std::vector<SharedBlock> texts; // blocks of published objects not yet handed over
    bool done = false;              // every record tested (or the search given up)
    // Kept by Retest: read, and to be tested again from record testFrom on.
    bool kept = false;
    std::size_t testFrom = 0;
    // Released while its worker was still in it: freed when the worker is done.
    bool givenUp = false;
    std::vector<std::uint32_t> hits; // the worker's: the records of one piece that passed

    void Free() {
        library = kFree;
        outcome.reset();
        texts.clear();
        kept = false;
        givenUp = false;
    }
};

LibraryScan::LibraryScan(const KernelLibraries& kernel, int workers)
    : m_kernel(kernel), m_workerCount(WorkersFor(workers)) {
    // One slot more than workers: the search empties one while every worker fills one.
    for (int i = 0; i < m_workerCount + 1; ++i)
        m_slots.push_back(std::make_unique<Slot>());
}

LibraryScan::~LibraryScan() {
    m_cancel = true;
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_workAvailable.notify_all();
    for (std::thread& worker : m_workers)
        worker.join();
}

LibraryScan::Slot& LibraryScan::SlotOf(std::size_t library) const {
    return *m_slots[library % m_slots.size()];
}

void LibraryScan::Start(LibraryKind kind, std::vector<std::string> paths, ObjectTest test,
                        bool nameOnly) {
    {
        const std::lock_guard lock(m_mutex);
        m_kind = kind;
        m_paths = std::move(paths);
        m_test = std::move(test);
        m_nameOnly = nameOnly;
        m_next = 0;
        m_manyPass = false;
        if (m_workers.empty())
            for (int i = 0; i < m_workerCount; ++i)
                m_workers.emplace_back([this] { Work(); });
    }
    m_workAvailable.notify_all();
}

bool LibraryScan::TakeJob(std::unique_lock<std::mutex>& lock, std::size_t& library) {
    m_workAvailable.wait(lock, [this] {
        return m_quit || (m_next < m_paths.size() &&
                          (SlotOf(m_next).library == kFree || SlotOf(m_next).kept));
    });
    if (m_quit)
        return false;
    library = m_next++;
    return true;
}

void LibraryScan::Work() {
    // The workers only read ahead: the thread that shows the rows, and in the window runs
    // its events, goes first when the cores are busy.
    const auto self = static_cast<id_t>(::gettid());
    ::setpriority(PRIO_PROCESS, self, ::getpriority(PRIO_PROCESS, self) + kWorkerNiceness);
    TextArena arena;
    std::unique_lock lock(m_mutex);
    std::size_t library = 0;
    while (TakeJob(lock, library)) {
        Slot& slot = SlotOf(library);
        const bool alreadyRead = slot.kept;
        if (!alreadyRead) {
            slot.library = library;
            slot.outcome.reset();
            slot.published = 0;
            slot.testFrom = 0;
            slot.texts.clear();
            slot.done = false;
        }
        slot.kept = false;
        const std::size_t from = slot.testFrom;
        const std::size_t passed = slot.published;
        ++m_busy;
        lock.unlock();
        if (alreadyRead || ReadJob(library))
            TestJob(library, from, passed, arena);
        lock.lock();
        --m_busy;
        m_progress.notify_all();
    }
}

// Reads library i into its slot and publishes the outcome; true when there is something to
// test.
bool LibraryScan::ReadJob(std::size_t library) {
    Slot& slot = SlotOf(library);
    bool wholeTexts = false;
    {
        const std::lock_guard lock(m_mutex);
        wholeTexts = !m_nameOnly || m_manyPass;
    }
    const LibraryReadOutcome outcome = ReadLibraryQuietly(m_kernel, m_kind, m_paths[library],
                                                          slot.descriptions, wholeTexts, &m_cancel);
    const std::size_t records = slot.descriptions.records.size();
    if (slot.capacity < records) {
        slot.passed.reset(new PassedObject[records]);
        slot.passedRecords.reset(new std::uint32_t[records]);
        slot.capacity = records;
    }
    {
        const std::lock_guard lock(m_mutex);
        slot.outcome = outcome;
        // A library that gives nothing is done with its outcome. The search may then hand
        // its slot to a later library at once, so nothing after this may touch the slot.
        if (outcome != LibraryReadOutcome::Read)
            Done(slot);
    }
    m_progress.notify_all();
    return outcome == LibraryReadOutcome::Read;
}

// Tests the records of library i from record `from` on, after `passed` objects already
// published, and publishes what passes a piece at a time.
void LibraryScan::TestJob(std::size_t library, std::size_t from, std::size_t passed,
                          TextArena& arena) {
    Slot& slot = SlotOf(library);
    const std::vector<LibraryInfoRecord>& records = slot.descriptions.records;
    const bool parts = m_kind == LibraryKind::Part;
    const auto infoOf = [parts](const LibraryInfoRecord& record) {
        return parts ? record.field3 : record.field2;
    };
    for (std::size_t begin = from; begin < records.size(); begin += kPiece) {
        if (m_cancel.load(std::memory_order_relaxed))
            break;
        const std::size_t end = std::min(records.size(), begin + kPiece);
        slot.hits.clear();
        std::size_t bytes = 0;
        for (std::size_t r = begin; r < end; ++r) {
            const LibraryInfoRecord& record = records[r];
            if (m_test(record.field1, infoOf(record))) {
                slot.hits.push_back(static_cast<std::uint32_t>(r));
                bytes += record.field1.size() + infoOf(record).size();
            }
        }
        char* at = bytes > 0 ? arena.Take(bytes) : nullptr;
        // The info texts of a few objects here and there are read from the file rather
        // than touched in a mapped library, which would bring in the pages around each.
        const bool few = slot.hits.size() * 50 <= end - begin;
        for (const std::uint32_t r : slot.hits) {
            const std::string_view name = records[r].field1;
            const std::string_view info = infoOf(records[r]);
            slot.passedRecords[passed] = r;
            slot.passed[passed++] = {at, static_cast<std::uint32_t>(name.size()),
                                     static_cast<std::uint32_t>(info.size())};
            if (!name.empty())
                std::memcpy(at, name.data(), name.size());
            if (few)
                slot.descriptions.buffer.CopyOut(info, at + name.size());
            else if (!info.empty())
                std::memcpy(at + name.size(), info.data(), info.size());
            at += name.size() + info.size();
        }
        {
            const std::lock_guard lock(m_mutex);
            if (bytes > 0 && (slot.texts.empty() || slot.texts.back() != arena.block))
                slot.texts.push_back(arena.block);
            slot.published = passed;
        }
        m_progress.notify_all();
    }
    {
        const std::lock_guard lock(m_mutex);
        m_manyPass = passed * 50 > records.size();
        Done(slot);
    }
    m_progress.notify_all();
}

void LibraryScan::Done(Slot& slot) {
    slot.done = true;
    if (!slot.givenUp)
        return;
    slot.Free();
    m_workAvailable.notify_all();
}

std::optional<LibraryReadOutcome> LibraryScan::WaitRead(std::size_t library,
                                                        std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    const Slot& slot = SlotOf(library);
    m_progress.wait_for(lock, timeout,
                        [&] { return slot.library == library && slot.outcome.has_value(); });
    return slot.library == library ? slot.outcome : std::nullopt;
}

std::span<const PassedObject> LibraryScan::WaitPassed(std::size_t library, std::size_t from,
                                                      std::chrono::milliseconds timeout, bool& done,
                                                      std::vector<SharedBlock>& texts) {
    std::unique_lock lock(m_mutex);
    Slot& slot = SlotOf(library);
    m_progress.wait_for(lock, timeout, [&] { return slot.published > from || slot.done; });
    done = slot.done;
    for (SharedBlock& block : slot.texts)
        texts.push_back(std::move(block));
    slot.texts.clear();
    return {slot.passed.get(), slot.published};
}

void LibraryScan::Retest(std::size_t library, std::size_t taken, ObjectTest test) {
    {
        std::unique_lock lock(m_mutex);
        StopWorkers(lock);
        m_test = std::move(test);
        // The libraries before this one are released; the ones after it were not shown.
        for (const auto& slot : m_slots) {
            if (slot->library != library || slot->outcome != LibraryReadOutcome::Read) {
                slot->Free();
                continue;
            }
            slot->kept = true;
            slot->testFrom = taken == 0 ? 0 : std::size_t{slot->passedRecords[taken - 1]} + 1;
            slot->published = taken;
            slot->texts.clear();
            slot->done = false;
        }
        m_next = library;
    }
    m_workAvailable.notify_all();
}

void LibraryScan::Release(std::size_t library) {
    {
        const std::lock_guard lock(m_mutex);
        Slot& slot = SlotOf(library);
        if (slot.library != library)
            return;
        // A worker still reading or testing it (the search stopped half-way) keeps its
        // place until it is done: a library read ahead would be read into its memory.
        if (!slot.done) {
            slot.givenUp = true;
            return;
        }
        slot.Free();
    }
    m_workAvailable.notify_all();
}

void LibraryScan::StopWorkers(std::unique_lock<std::mutex>& lock) {
    m_cancel = true;
    m_next = m_paths.size();
    m_progress.wait(lock, [this] { return m_busy == 0; });
    m_cancel = false;
}

void LibraryScan::Finish() {
    std::unique_lock lock(m_mutex);
    StopWorkers(lock);
    for (const auto& slot : m_slots)
        slot->Free();
    m_paths.clear();
    m_test = nullptr;
}

} // namespace k2k
