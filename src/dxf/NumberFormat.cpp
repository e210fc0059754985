#include "dxf/NumberFormat.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace orvik {

std::string FormatReal(long double value) {
    if (value == 0 || !std::isfinite(value)) return "0";
    // 18 significant digits, exactly: d.ddddddddddddddddde[+-]x
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 17);
    std::string digits;
    const char* p = buffer;
    for (; p < result.ptr && *p != 'e'; ++p)
        if (*p != '.') digits += *p;
    int exponent = std::atoi(p + 1) + 1;  // value = 0.d1d2d3... x 10^exponent

    // Round to 15 digits, half up, carrying.
    const bool roundUp = digits[15] >= '5';
    digits.resize(15);
    if (roundUp) {
        int i = 14;
        for (; i >= 0 && digits[i] == '9'; --i) digits[i] = '0';
        if (i >= 0) {
            ++digits[i];
        } else {
            digits.insert(digits.begin(), '1');
            digits.pop_back();
            ++exponent;
        }
    }
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

    std::string out = value < 0 ? "-" : "";
    if (exponent > 15 || exponent < -3) {
        out += digits[0];
        if (digits.size() > 1) out += '.' + digits.substr(1);
        out += 'E' + std::to_string(exponent - 1);
    } else if (exponent <= 0) {
        out += "0." + std::string(static_cast<std::size_t>(-exponent), '0') + digits;
    } else {
        const auto whole = static_cast<std::size_t>(exponent);
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole) + '.' + digits.substr(whole);
        }
    }
    return out;
}

std::string FormatHandle(std::int64_t value) {
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, 16);
    std::string out(buffer, result.ptr);
    for (char& c : out)
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    return out.size() < 2 ? std::string(2 - out.size(), '0') + out : out;
}

std::string FormatInt(std::int64_t value, int width) {
    std::string out = std::to_string(value);
    if (static_cast<int>(out.size()) < width) out.insert(0, static_cast<std::size_t>(width) - out.size(), ' ');
    return out;
}

}  // namespace orvik
