#pragma once
// SearchBenchmark: the host's measurement of one search as a user runs it. It works the
// browser's window through its own handlers: the pattern goes into row 1 of the kind's
// option grid, the kind's tab is selected and Find Now is clicked. While the search runs,
// a fast timer records every turn of the event loop (the window lets pending events run
// between objects), and the model's rowsInserted signal tells when the first rows reach
// the view. Then it sorts by the description, runs a Find In List that keeps about half,
// and times a Stop clicked 100 ms into a second search after New Search.
//
// The figures come back as one line of "key=value" pairs:
//   rows first_rows_ms all_rows_ms max_gap_ms stop_ms sort_ms find_in_list_ms peak_rss_mb

#include "common/ObjectKinds.h"

#include <QString>

namespace k2k {

class frmK32_LibBrowser;

struct SearchBenchmarkFigures {
    int rows = 0;             // rows in the view after the full search
    double firstRowsMs = -1;  // click to the first rows in the model
    double allRowsMs = -1;    // click to the end of the search
    double maxGapMs = -1;     // the longest time between two event-loop turns
    double stopMs = -1;       // Stop click to the end of the search; -1: it ended before
    double sortMs = -1;       // sorting every row by the description
    double findInListMs = -1; // Find In List with FindInListPattern
    double baseRssMb = -1;    // the peak resident memory before the first search
    double peakRssMb = -1;    // the process's peak resident memory
    int findInListKept = 0;   // rows Find In List left
    QString sortColumn;       // the caption of the column sorted by
};

class SearchBenchmark final {
public:
    SearchBenchmark(frmK32_LibBrowser& window, LibraryKind kind, QString pattern);

    SearchBenchmarkFigures Run();

    // The Find In List pattern: the name pattern followed by "C*" ("*74*C*": a C after the
    // 74, as in the HC, HCT, AC and ACT families), which keeps 56 % of what "*74*" finds in
    // the generated suite of parts.
    static QString FindInListPattern(const QString& pattern);
    static QString FormatLine(const SearchBenchmarkFigures& figures);
    // The peak resident memory so far from /proc/self/status (VmHWM), in MiB; -1 when
    // unknown.
    static double PeakRssMb();

private:
    void EnterPattern(const QString& pattern);
    void MeasureFullSearch(SearchBenchmarkFigures& figures);
    void MeasureSort(SearchBenchmarkFigures& figures);
    void MeasureFindInList(SearchBenchmarkFigures& figures);
    void MeasureStop(SearchBenchmarkFigures& figures);

    frmK32_LibBrowser& m_window;
    LibraryKind m_kind;
    QString m_pattern;
};

} // namespace k2k
