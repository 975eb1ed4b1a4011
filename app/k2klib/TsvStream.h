#pragma once
// The TSV lines of a result list, written while the search that fills it still runs: a
// header line, then per result its status, its name and every optional column of its
// kind, in UTF-8, in the list's order.
//
// The search's thread hands over the results found so far (Take); a thread of the stream
// makes their lines and writes them, so the printing overlaps the reading instead of
// following it. A handed-over result is captured as views of its texts, which the list
// keeps unchanged until it is cleared, so the stream never reads the list while the search
// appends to it. Finish hands over the rest and returns once every line is written.

#include "formats/LibraryFile.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <ostream>
#include <string_view>
#include <thread>
#include <vector>

namespace k2k {
class ResultList;
}

namespace k2k::cli {

class TsvStream final {
public:
    // Writes nothing until results are handed over or the stream is finished: a search
    // that cannot run prints no header.
    TsvStream(std::ostream& out, LibraryKind kind);
    ~TsvStream();
    TsvStream(const TsvStream&) = delete;
    TsvStream& operator=(const TsvStream&) = delete;

    // Hands over the results of the list not handed over yet; on the thread that fills it.
    // Few new results wait for more, unless all is set.
    void Take(const ResultList& results, bool all = false);
    // Hands over the rest and waits until every line is written.
    void Finish(const ResultList& results);

private:
    struct Row {
        std::string_view library;
        std::string_view name;
        std::string_view info;
        std::int32_t status;
    };
    using Batch = std::vector<Row>;

    void WriteHeader();
    void Write();
    void AppendLine(const Row& row, std::vector<std::string_view>& values, std::string& text) const;

    std::ostream& m_out;
    LibraryKind m_kind;
    int m_taken = 0; // results handed over
    bool m_headerWritten = false;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Batch> m_batches;  // handed over, not yet written
    std::vector<Batch> m_written; // written, to be filled again
    bool m_writing = false;       // the stream's thread holds a batch
    bool m_quit = false;
    std::thread m_writer;
};

} // namespace k2k::cli
