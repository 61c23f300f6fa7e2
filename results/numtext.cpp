// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/numtext.h"

#include "engine/checked.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace veltrax {
namespace {

// Maps full-width digits, signs, point and the letter e to ASCII; nullopt for
// any character outside what a number may contain.
std::optional<std::string> ToAsciiNumberText(std::string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
            ++i;
            continue;
        }
        // Full-width forms U+FF01..U+FF5E are EF BC 81..EF BD 9E.
        if (c == 0xEF && i + 2 < s.size()) {
            const unsigned char b1 = static_cast<unsigned char>(s[i + 1]);
            const unsigned char b2 = static_cast<unsigned char>(s[i + 2]);
            unsigned cp = 0;
            if (b1 == 0xBC && b2 >= 0x81 && b2 <= 0xBF)
                cp = 0xFF00 + (b2 - 0x80);
            else if (b1 == 0xBD && b2 >= 0x80 && b2 <= 0x9E)
                cp = 0xFF40 + (b2 - 0x80);
            if (cp) {
                out.push_back(static_cast<char>(cp - 0xFF00 + 0x20));
                i += 3;
                continue;
            }
        }
        // U+3000 ideographic space counts as a blank; U+2212 minus sign as '-'.
        if (c == 0xE3 && i + 2 < s.size() && s[i + 1] == '\x80' && s[i + 2] == '\x80') {
            out.push_back(' ');
            i += 3;
            continue;
        }
        if (c == 0xE2 && i + 2 < s.size() && s[i + 1] == '\x88' && s[i + 2] == '\x92') {
            out.push_back('-');
            i += 3;
            continue;
        }
        return std::nullopt;
    }
    return out;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The power of ten of the first significant digit of a well-formed unsigned
// decimal text ("123.4e5" -> 8, "0.001e-2" -> -4); used only to tell a too
// large from a too small number.
long DecimalMagnitude(std::string_view s)
{
    size_t i = 0;
    long intDigits = 0;
    bool seenNonZero = false;
    long leadingFractionZeros = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        if (s[i] != '0')
            seenNonZero = true;
        if (seenNonZero)
            ++intDigits;
    }
    if (i < s.size() && s[i] == '.') {
        for (++i; i < s.size() && IsDigit(s[i]); ++i) {
            if (!seenNonZero && s[i] == '0')
                ++leadingFractionZeros;
            else
                seenNonZero = true;
        }
    }
    long exp = 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        bool neg = false;
        if (i < s.size() && (s[i] == '+' || s[i] == '-'))
            neg = s[i++] == '-';
        for (; i < s.size() && IsDigit(s[i]); ++i)
            exp = std::min(exp * 10 + (s[i] - '0'), 100000000L);
        if (neg)
            exp = -exp;
    }
    return (intDigits > 0 ? intDigits : -leadingFractionZeros) + exp;
}

// A decimal number as digits and the position of the decimal point:
// value = 0.d1d2d3... x 10^point, sign apart.
struct Decimal {
    bool negative = false;
    std::string digits;  // no leading zeros; empty for zero
    int point = 0;       // digits before the decimal point
};

// Parses printf's "%.Ne" output ("-d.ddde+XX").
Decimal FromExponentText(const char* text)
{
    Decimal d;
    const char* p = text;
    if (*p == '-') {
        d.negative = true;
        ++p;
    }
    std::string digits;
    for (; *p && *p != 'e'; ++p)
        if (IsDigit(*p))
            digits.push_back(*p);
    const int exp = (*p == 'e') ? std::atoi(p + 1) : 0;
    size_t lead = 0;
    while (lead < digits.size() && digits[lead] == '0')
        ++lead;
    if (lead == digits.size())
        return Decimal{d.negative, "", 0};
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    d.digits = digits.substr(lead);
    d.point = exp + 1 - static_cast<int>(lead);
    return d;
}

// printf's "%.Ne" form of v, through to_chars (same digits, no locale, faster).
Decimal ScientificDecimal(double v, int precision)
{
    char buf[160];
    const auto res = std::to_chars(buf, buf + sizeof buf - 1, v, std::chars_format::scientific, precision);
    *res.ptr = '\0';
    return FromExponentText(buf);
}

// The exact value of v (110 digits after the first cover every double in the
// ranges the panel formats).
Decimal ExactDecimal(double v)
{
    return ScientificDecimal(v, 110);
}

Decimal Decimal15(double v)
{
    return ScientificDecimal(v, 14);
}

// Rounds to `decimals` digits after the point, half away from zero, and
// returns the integer part and the fraction digits as texts.
void RoundDecimal(const Decimal& d, int decimals, std::string& intPart, std::string& fracPart)
{
    // Digits of the value at every position from 10^(point-1) down to 10^-decimals.
    const int intDigits = d.point > 0 ? d.point : 0;
    std::string all;
    // Build the integer digits followed by exactly `decimals` fraction digits.
    const int total = intDigits + decimals;
    all.assign(static_cast<size_t>(total), '0');
    for (int i = 0; i < static_cast<int>(d.digits.size()); ++i) {
        // digit i stands at index (i + intDigits - point) in `all`
        const int idx = i + intDigits - d.point;
        if (idx >= 0 && idx < total)
            all[static_cast<size_t>(idx)] = d.digits[static_cast<size_t>(i)];
    }
    // The first dropped digit decides: 5 or more rounds away from zero.
    const int firstDropped = total - intDigits + d.point;  // index into d.digits
    bool roundUp = false;
    if (firstDropped >= 0 && firstDropped < static_cast<int>(d.digits.size()))
        roundUp = d.digits[static_cast<size_t>(firstDropped)] >= '5';
    if (roundUp) {
        int i = total - 1;
        for (; i >= 0; --i) {
            if (all[static_cast<size_t>(i)] == '9') {
                all[static_cast<size_t>(i)] = '0';
            } else {
                ++all[static_cast<size_t>(i)];
                break;
            }
        }
        if (i < 0)
            all.insert(all.begin(), '1');
    }
    const size_t split = all.size() - static_cast<size_t>(decimals);
    intPart = all.substr(0, split);
    fracPart = all.substr(split);
    size_t lead = 0;
    while (lead < intPart.size() && intPart[lead] == '0')
        ++lead;
    intPart = intPart.substr(lead);
}

std::string FormatDecimal(const Decimal& d, std::string_view pattern)
{
    // pattern: integer placeholders, optional '.' and fraction placeholders,
    // then literal text.
    size_t i = 0;
    int minInt = 0;
    while (i < pattern.size() && (pattern[i] == '0' || pattern[i] == '#')) {
        if (pattern[i] == '0')
            ++minInt;
        ++i;
    }
    int decimals = 0;
    bool point = false;
    if (i < pattern.size() && pattern[i] == '.') {
        point = true;
        ++i;
        while (i < pattern.size() && (pattern[i] == '0' || pattern[i] == '#')) {
            ++decimals;
            ++i;
        }
    }
    const std::string_view literal = pattern.substr(i);

    std::string intPart, fracPart;
    RoundDecimal(d, decimals, intPart, fracPart);
    if (static_cast<int>(intPart.size()) < minInt)
        intPart.insert(0, static_cast<size_t>(minInt) - intPart.size(), '0');

    std::string out;
    if (d.negative && !d.digits.empty())
        out.push_back('-');
    out += intPart;
    if (point) {
        out.push_back('.');
        out += fracPart;
    }
    out += literal;
    return out;
}

}  // namespace

std::optional<double> FieldNumber(std::string_view text)
{
    const auto ascii = ToAsciiNumberText(text);
    if (!ascii)
        return std::nullopt;
    std::string_view s = *ascii;
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);

    bool negative = false;
    if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
        negative = s.front() == '-';
        s.remove_prefix(1);
    }
    // digits [. digits] [e [sign] digits], at least one mantissa digit
    size_t i = 0, mantissaDigits = 0;
    while (i < s.size() && IsDigit(s[i])) {
        ++i;
        ++mantissaDigits;
    }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            ++i;
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        size_t expDigits = 0;
        while (j < s.size() && IsDigit(s[j])) {
            ++j;
            ++expDigits;
        }
        if (expDigits == 0)
            return std::nullopt;
        i = j;
    }
    if (i != s.size())
        return std::nullopt;

    double v = 0;
    const auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Beyond what a double holds: far too large (infinite, which the
        // integer readings refuse) or far too small (zero).
        v = DecimalMagnitude(s) > 0 ? HUGE_VAL : 0.0;
    } else if (res.ec != std::errc() || res.ptr != s.data() + s.size()) {
        return std::nullopt;
    }
    return negative ? -v : v;
}

std::optional<int32_t> FieldWhole(std::string_view text)
{
    const auto n = FieldNumber(text);
    if (!n)
        return std::nullopt;
    return FloorToInt32(*n);
}

std::optional<int16_t> FieldSpin(std::string_view text)
{
    const auto n = FieldNumber(text);
    if (!n)
        return std::nullopt;
    return RoundToInt16(*n);
}

std::string ShortText(double v)
{
    Finite(v, "ShortText");
    if (v == 0)
        return "0";
    const Decimal d = Decimal15(v);
    const int n = static_cast<int>(d.digits.size());
    std::string out = d.negative ? "-" : "";
    if (d.point > 15 || d.point < -14) {
        // Exponent form: d.ddd E+XX
        out += d.digits.substr(0, 1);
        if (n > 1) {
            out += '.';
            out += d.digits.substr(1);
        }
        const int exp = d.point - 1;
        char buf[16];
        std::snprintf(buf, sizeof buf, "E%c%02d", exp < 0 ? '-' : '+', exp < 0 ? -exp : exp);
        return out + buf;
    }
    if (d.point <= 0) {
        out += "0.";
        out.append(static_cast<size_t>(-d.point), '0');
        out += d.digits;
    } else if (d.point >= n) {
        out += d.digits;
        out.append(static_cast<size_t>(d.point - n), '0');
    } else {
        out += d.digits.substr(0, static_cast<size_t>(d.point));
        out += '.';
        out += d.digits.substr(static_cast<size_t>(d.point));
    }
    return out;
}

std::string FormatNumber(double v, std::string_view pattern)
{
    Finite(v, "FormatNumber");
    return FormatDecimal(ExactDecimal(v), pattern);
}

std::string FormatText15(double v, std::string_view pattern)
{
    Finite(v, "FormatText15");
    return FormatDecimal(Decimal15(v), pattern);
}

std::string FormatInteger(int64_t v, std::string_view pattern)
{
    Decimal d;
    d.negative = v < 0;
    // Magnitude as text without overflow for INT64_MIN.
    uint64_t mag = d.negative ? (0 - static_cast<uint64_t>(v)) : static_cast<uint64_t>(v);
    std::string digits;
    while (mag) {
        digits.insert(digits.begin(), static_cast<char>('0' + mag % 10));
        mag /= 10;
    }
    d.point = static_cast<int>(digits.size());
    while (!digits.empty() && digits.back() == '0')
        digits.pop_back();
    d.digits = digits;
    if (d.digits.empty())
        d.point = 0;
    return FormatDecimal(d, pattern);
}

}  // namespace veltrax
