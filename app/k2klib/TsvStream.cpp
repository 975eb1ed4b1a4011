#include "TsvStream.h"

#include "common/ObjectKinds.h"
#include "search/InfoText.h"
#include "search/ResultList.h"
#include "search/ResultRows.h"
#include "system/Text.h"

#include <utility>

namespace k2k::cli {

namespace {

// Results handed over at a time: enough that the stream's thread wakes seldom, few enough
// that the printing starts early in a search.
constexpr int kBatch = 4096;
constexpr std::size_t kMostWaiting = 4; // batches handed over and not yet written

} // namespace

TsvStream::TsvStream(std::ostream& out, LibraryKind kind) : m_out(out), m_kind(kind) {
    m_writer = std::thread([this] { Write(); });
}

TsvStream::~TsvStream() {
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_writer.join();
}

void TsvStream::Take(const ResultList& results, bool all) {
    const int count = results.Count();
    if (count - m_taken < (all ? 1 : kBatch))
        return;
    WriteHeader();
    Batch batch;
    {
        // A batch written before is used again: a fresh one of this size would be mapped
        // and unmapped each time, which costs every core of the process a flush.
        const std::lock_guard lock(m_mutex);
        if (!m_written.empty()) {
            batch = std::move(m_written.back());
            m_written.pop_back();
        }
    }
    batch.clear();
    batch.reserve(static_cast<std::size_t>(count - m_taken));
    for (int i = m_taken + 1; i <= count; ++i)
        batch.push_back({results.Library(i), results.Name(i), results.Info(i), results.Status(i)});
    m_taken = count;
    {
        // A search that finds faster than its lines are written waits for the writing:
        // the handed-over views cost memory of their own.
        std::unique_lock lock(m_mutex);
        m_changed.wait(lock, [this] { return m_batches.size() < kMostWaiting; });
        m_batches.push_back(std::move(batch));
    }
    m_changed.notify_all();
}

void TsvStream::Finish(const ResultList& results) {
    Take(results, true);
    WriteHeader();
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_batches.empty() && !m_writing; });
}

void TsvStream::WriteHeader() {
    // Before the first batch is handed over, so the stream's thread has written nothing.
    if (m_headerWritten)
        return;
    std::string header = "status\tname";
    for (std::string_view column : FactsOf(m_kind).optionalColumns)
        header.append("\t").append(column);
    header += '\n';
    m_out.write(header.data(), static_cast<std::streamsize>(header.size()));
    m_headerWritten = true;
}

void TsvStream::AppendLine(const Row& row, std::vector<std::string_view>& values,
                           std::string& text) const {
    text.append(DecimalText(row.status)).append("\t");
    AppendCp1252AsUtf8(text, row.name);
    OptionalValues(m_kind, row.library, row.info, values);
    // Most info texts are plain ASCII but for their separators: their fields need no look
    // at each byte. The library, the first value, is not part of the info text.
    const bool plain = FieldsArePlainAscii(row.info);
    for (std::size_t v = 0; v < values.size(); ++v) {
        text += '\t';
        if (plain && v > 0)
            text.append(values[v]);
        else
            AppendCp1252AsUtf8(text, values[v]);
    }
    text += '\n';
}

void TsvStream::Write() {
    std::vector<std::string_view> values;
    std::string text;
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_quit || !m_batches.empty(); });
        if (m_batches.empty())
            return;
        Batch batch = std::move(m_batches.front());
        m_batches.pop_front();
        m_writing = true;
        lock.unlock();
        text.clear();
        for (const Row& row : batch)
            AppendLine(row, values, text);
        m_out.write(text.data(), static_cast<std::streamsize>(text.size()));
        lock.lock();
        m_written.push_back(std::move(batch));
        m_writing = false;
        m_changed.notify_all();
    }
}

} // namespace k2k::cli
