#include "synthetic/SyntheticFamily.h"

namespace k2k::synthetic {

std::string Hundredths(int value) {
    std::string text = std::to_string(value / 100) + '.';
    text += static_cast<char>('0' + value % 100 / 10);
    text += static_cast<char>('0' + value % 10);
    return text;
}

std::string MilsAsMillimetres(int mils) {
    return Hundredths((mils * 254 + 50) / 100);
}

std::string TwoDigits(int value) {
    std::string text;
    text += static_cast<char>('0' + value / 10 % 10);
    text += static_cast<char>('0' + value % 10);
    return text;
}

} // namespace k2k::synthetic
