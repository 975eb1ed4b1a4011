#pragma once
// The order in which a result list is shown: view row r (from 1) shows result Result(r).
// The result list owns it and keeps it in step with every append and removal, so the
// view's sorting, Save List and the commands all read one order and sorting never moves a
// result. Until the first sort the rows stand in result order and the order holds nothing;
// a sorted order costs four bytes a row.

#include <cstdint>
#include <string_view>
#include <vector>

namespace k2k {

class RowOrder final {
public:
    int Count() const noexcept { return m_count; }
    // The result shown in a row, both from 1.
    int Result(int row) const;
    // True while the rows stand in result order (no sort since the last Clear).
    bool InResultOrder() const noexcept { return m_rows.empty(); }

    // A result was appended: it is shown after every row there is.
    void Append();
    // The list kept the results whose flag is set (keep[number - 1]) and numbered them
    // afresh in their order; the rows of the removed ones go, the others keep their order.
    void Keep(const std::vector<std::uint8_t>& keep);
    // Rows in result order again.
    void Unsort() noexcept { m_rows.clear(); }
    void Clear() noexcept;

    // Sorts the rows by keys[result - 1], ascending or descending; rows with equal keys keep
    // the order they had, so sorting by one column and then another orders by both.
    void Sort(const std::vector<std::string_view>& keys, bool ascending);

private:
    std::vector<std::int32_t> m_rows; // result of each row; empty: result order
    int m_count = 0;
};

} // namespace k2k
