#include "SearchBenchmark.h"

#include "browser/ui/OptionGrid.h"
#include "browser/ui/ResultListModel.h"
#include "browser/ui/ResultListView.h"
#include "browser/ui/frmK32_LibBrowser.h"
#include "platform/ui/K2kGrid.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace k2k {

namespace {

constexpr int kTurnIntervalMs = 2; // the timer that notices each turn of the event loop
constexpr int kStopAfterMs = 40;   // when Stop is clicked into the second search
// A click comes as a user's would, when the window has been idle for a while: the window
// hands rows to the view at most every 100 ms, counted from the last time it did.
constexpr int kSettleMs = 150;

double MsSince(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

// The column whose caption names the description, else the last one.
int DescriptionColumn(const ResultListModel& model) {
    for (int column = 0; column < model.columnCount(); ++column)
        if (model.headerData(column, Qt::Horizontal)
                .toString()
                .contains(QStringLiteral("Description"), Qt::CaseInsensitive))
            return column;
    return model.columnCount() - 1;
}

// Runs the event loop for kSettleMs.
void Settle() {
    QEventLoop loop;
    QTimer::singleShot(kSettleMs, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

SearchBenchmark::SearchBenchmark(frmK32_LibBrowser& window, LibraryKind kind, QString pattern)
    : m_window(window), m_kind(kind), m_pattern(std::move(pattern)) {
}

QString SearchBenchmark::FindInListPattern(const QString& pattern) {
    return pattern.endsWith(QLatin1Char('*')) ? pattern + QStringLiteral("C*")
                                              : pattern + QStringLiteral("*C*");
}

SearchBenchmarkFigures SearchBenchmark::Run() {
    SearchBenchmarkFigures figures;
    m_window.SelectTab(m_kind);
    figures.baseRssMb = PeakRssMb();
    MeasureFullSearch(figures);
    MeasureSort(figures);
    MeasureFindInList(figures);
    MeasureStop(figures);
    figures.peakRssMb = PeakRssMb();
    return figures;
}

void SearchBenchmark::EnterPattern(const QString& pattern) {
    m_window.Grid(m_kind).Grid().SetCellText(1, 1, pattern);
}

void SearchBenchmark::MeasureFullSearch(SearchBenchmarkFigures& figures) {
    ResultListModel& model = m_window.ResultView(m_kind).Model();
    EnterPattern(m_pattern);
    Settle();

    QElapsedTimer clock;
    double lastTurn = 0;
    double maxGap = 0;
    const auto turn = [&] {
        const double now = MsSince(clock);
        maxGap = std::max(maxGap, now - lastTurn);
        lastTurn = now;
    };
    QTimer turns;
    turns.setTimerType(Qt::PreciseTimer);
    turns.setInterval(kTurnIntervalMs);
    QObject::connect(&turns, &QTimer::timeout, turn);
    const auto firstRows = QObject::connect(&model, &QAbstractItemModel::rowsInserted, [&] {
        if (figures.firstRowsMs < 0)
            figures.firstRowsMs = MsSince(clock);
    });

    turns.start();
    clock.start();
    m_window.cmdFindNow_Click();
    figures.allRowsMs = MsSince(clock);
    turn(); // the search's end is the last turn it held up
    turns.stop();
    QObject::disconnect(firstRows);

    figures.rows = model.rowCount();
    if (figures.firstRowsMs < 0 && figures.rows > 0)
        figures.firstRowsMs = figures.allRowsMs;
    figures.maxGapMs = maxGap;
    Settle();
}

void SearchBenchmark::MeasureSort(SearchBenchmarkFigures& figures) {
    ResultListModel& model = m_window.ResultView(m_kind).Model();
    const int column = DescriptionColumn(model);
    figures.sortColumn = model.headerData(column, Qt::Horizontal).toString();
    QElapsedTimer clock;
    clock.start();
    model.sort(column, Qt::AscendingOrder);
    figures.sortMs = MsSince(clock);
    Settle();
}

void SearchBenchmark::MeasureFindInList(SearchBenchmarkFigures& figures) {
    EnterPattern(FindInListPattern(m_pattern));
    QElapsedTimer clock;
    clock.start();
    m_window.cmdFindInList_Click();
    figures.findInListMs = MsSince(clock);
    figures.findInListKept = m_window.ResultView(m_kind).Model().rowCount();
    Settle();
}

void SearchBenchmark::MeasureStop(SearchBenchmarkFigures& figures) {
    m_window.cmdNewSearch_Click();
    EnterPattern(m_pattern); // New Search empties the grid
    Settle();

    // A timer of this scope: when the search ends first, it goes with the scope unfired.
    QElapsedTimer stopClock;
    QTimer stop;
    stop.setSingleShot(true);
    stop.setTimerType(Qt::PreciseTimer);
    QObject::connect(&stop, &QTimer::timeout, [&] {
        stopClock.start();
        m_window.cmdStop_Click();
    });
    stop.start(kStopAfterMs);
    m_window.cmdFindNow_Click();
    if (stopClock.isValid())
        figures.stopMs = MsSince(stopClock);
}

double SearchBenchmark::PeakRssMb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray& line : lines) {
        if (!line.startsWith("VmHWM:"))
            continue;
        bool ok = false;
        const double kilobytes = line.mid(6).trimmed().split(' ').front().toDouble(&ok);
        return ok ? kilobytes / 1024.0 : -1;
    }
    return -1;
}

QString SearchBenchmark::FormatLine(const SearchBenchmarkFigures& figures) {
    const auto ms = [](double value) { return QString::number(value, 'f', 1); };
    return QStringLiteral("rows=%1 first_rows_ms=%2 all_rows_ms=%3 max_gap_ms=%4 stop_ms=%5 "
                          "sort_ms=%6 find_in_list_ms=%7 base_rss_mb=%8 peak_rss_mb=%9")
        .arg(figures.rows)
        .arg(ms(figures.firstRowsMs), ms(figures.allRowsMs), ms(figures.maxGapMs),
             ms(figures.stopMs), ms(figures.sortMs), ms(figures.findInListMs),
             ms(figures.baseRssMb), ms(figures.peakRssMb));
}

} // namespace k2k
