#include "browser/ColumnWidths.h"

#include <algorithm>
#include <cstddef>

namespace k2k {

namespace {

// The width of a column that gives way when no column may be wider than cap.
int Capped(const ColumnWant& column, int cap) {
    if (column.chosen > 0)
        return column.chosen;
    if (column.whole)
        return column.content;
    return std::min(column.content, std::max(cap, column.least));
}

long long Total(const std::vector<ColumnWant>& columns, int cap) {
    long long total = 0;
    for (const ColumnWant& column : columns)
        total += Capped(column, cap);
    return total;
}

} // namespace

std::vector<int> ShareWidth(const std::vector<ColumnWant>& columns, int available) {
    int widest = 0;
    for (const ColumnWant& column : columns)
        widest = std::max(widest, column.content);
    // The greatest common width that fits: the total only grows with the cap.
    int cap = widest;
    if (Total(columns, widest) > available) {
        int low = 0;
        int high = widest;
        while (low < high) {
            const int middle = low + (high - low + 1) / 2;
            if (Total(columns, middle) <= available)
                low = middle;
            else
                high = middle - 1;
        }
        cap = low;
    }
    std::vector<int> widths;
    widths.reserve(columns.size());
    for (const ColumnWant& column : columns)
        widths.push_back(Capped(column, cap));
    return widths;
}

} // namespace k2k
