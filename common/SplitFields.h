#pragma once
// The comma-field split of the suite's command texts, status records and comma files,
// and the numeric value of a text as the suite reads it (the first comma is a decimal
// point, so "3,5" is 3.5).

#include <string>
#include <string_view>
#include <vector>

namespace k2k {

// Splits text into fields numbered from 1. fields[0] is empty and values[0] holds the
// number of fields; values[i] is ValueOf(fields[i]). A field that starts with a double
// quote (not as the last character) runs to the next double quote, which is removed with
// the character after it, so it may hold commas. An empty text gives one empty field, and
// a text that ends with a comma or a closing quote an empty last field ("a,\"b\"" is a,
// b and ""). Answers the number of fields.
int SplitFields(std::string_view text, std::vector<std::string>& fields,
                std::vector<double>& values);

// 0 for an empty text; otherwise the first comma becomes a point and the leading number
// of the text is read (blanks, sign, digits, point, exponent); the rest is ignored and a
// text without a leading number is 0.
double ValueOf(std::string_view text);

// ValueOf rounded to the nearest whole number, halves to even, as the suite rounds.
long long RoundedValueOf(std::string_view text);

} // namespace k2k
