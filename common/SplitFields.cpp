#include "common/SplitFields.h"

#include "system/Text.h"

#include <cmath>

namespace k2k {

int SplitFields(std::string_view text, std::vector<std::string>& fields,
                std::vector<double>& values) {
    fields.assign(1, std::string());
    std::size_t position = 0;
    for (;;) {
        if (position + 1 < text.size() && text[position] == '"') {
            const std::size_t close = text.find('"', position + 1);
            if (close == std::string_view::npos) {
                // An unclosed quote: the rest of the text is the last field.
                fields.emplace_back(text.substr(position + 1));
                break;
            }
            fields.emplace_back(text.substr(position + 1, close - position - 1));
            // Over the quote and the character after it (the comma, when there is one);
            // a quoted field that closes the text is followed by an empty last field.
            position = close + 2;
            continue;
        }
        const std::size_t comma =
            position <= text.size() ? text.find(',', position) : std::string_view::npos;
        if (comma != std::string_view::npos) {
            fields.emplace_back(text.substr(position, comma - position));
            position = comma + 1;
            continue;
        }
        fields.emplace_back(position <= text.size() ? text.substr(position) : std::string_view());
        break;
    }
    const int count = static_cast<int>(fields.size()) - 1;
    values.assign(fields.size(), 0.0);
    values[0] = count;
    for (std::size_t i = 1; i < fields.size(); ++i)
        values[i] = ValueOf(fields[i]);
    return count;
}

double ValueOf(std::string_view text) {
    if (text.empty())
        return 0.0;
    std::string number(text);
    if (const auto comma = number.find(','); comma != std::string::npos)
        number[comma] = '.';
    return LeadingNumber(number);
}

long long RoundedValueOf(std::string_view text) {
    return std::llrint(ValueOf(text));
}

} // namespace k2k
