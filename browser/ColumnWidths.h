#pragma once
// How a result list's columns share the list's visible width after a search. Each column
// wants the width of its contents; a column a person has sized keeps the width given it. When
// the wanted widths together are wider than the list, the widest columns give way first, all
// down to one common width, so that a long description takes what the others leave rather
// than pushing them out of sight; no column goes below its least width (its caption), and
// the columns that must stay whole (the names) give nothing. When even that is too wide, the
// list scrolls.

#include <vector>

namespace k2k {

struct ColumnWant {
    int content = 0;    // the width its caption and rows want
    int least = 0;      // it never goes below this (its caption's width)
    int chosen = 0;     // a person's width; 0: none
    bool whole = false; // it keeps its content width (the name column)
};

// The widths, one per column, for a list whose visible width is available.
std::vector<int> ShareWidth(const std::vector<ColumnWant>& columns, int available);

} // namespace k2k
