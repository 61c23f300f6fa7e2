// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as the window reads and writes them: the three readings of a field's
// text, the decimal texts, and the numeric format patterns of the results panel.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrax {

// The field's number: the text read as a decimal number. Accepts surrounding
// blanks, a sign, digits with one decimal point and an optional exponent;
// full-width digits, signs and point (as a Japanese input method types them)
// count as their ASCII twins. Anything else (empty, a letter, a lone sign or
// point) is not a number: nullopt.
std::optional<double> FieldNumber(std::string_view text);

// The field's whole value: its number rounded down (5.7 -> 5, -0.5 -> -1), as a
// 32-bit integer. nullopt when the text is not a number; Fault when the value
// lies outside the 32-bit range.
std::optional<int32_t> FieldWhole(std::string_view text);

// The field's spin value: its number rounded to the nearest integer, halves to
// even (2.5 -> 2, 3.5 -> 4), as a 16-bit integer. nullopt when the text is not
// a number; Fault outside the 16-bit range.
std::optional<int16_t> FieldSpin(std::string_view text);

// Decimal text of a number with at most 15 significant digits, shortest form,
// no leading zeros ("2027", "59.5", "-3"); very large or small magnitudes use an
// exponent ("1E+20"). This is the text a carry writes into a field.
std::string ShortText(double v);

// Formats v with a numeric pattern: '0' is a digit always shown, '#' a digit
// shown only when significant, '.' the decimal point; every other character is
// copied. A negative value gets a leading minus sign. Ties at half a unit of the
// last shown digit go away from zero.
//   FormatNumber formats the exact value of v;
//   FormatText15 first turns v into its decimal text of at most 15 significant
//   digits and formats that text (the results panel's meridians and JDE).
std::string FormatNumber(double v, std::string_view pattern);
std::string FormatText15(double v, std::string_view pattern);
std::string FormatInteger(int64_t v, std::string_view pattern);

}  // namespace veltrax
