// SPDX-License-Identifier: GPL-3.0-or-later
// Field texts read three ways, the short decimal text of a carry, and the
// numeric format patterns of the results panel.
#include "engine/checked.h"
#include "results/numtext.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

namespace veltrax {
namespace {

template <class Row>
std::string RowName(const testing::TestParamInfo<Row>& i)
{
    return i.param.name;
}

// ---- the three readings of a field ------------------------------------------

struct Reading {
    const char* name;
    const char* text;
    double number;
    int32_t whole;  // rounded down
    int16_t spin;   // nearest, halves to even
};

void PrintTo(const Reading& r, std::ostream* os) { *os << '"' << r.text << '"'; }

class FieldReadings : public testing::TestWithParam<Reading> {};

TEST_P(FieldReadings, NumberWholeAndSpin)
{
    const Reading& r = GetParam();
    EXPECT_EQ(FieldNumber(r.text), std::optional<double>(r.number));
    EXPECT_EQ(FieldWhole(r.text), std::optional<int32_t>(r.whole));
    EXPECT_EQ(FieldSpin(r.text), std::optional<int16_t>(r.spin));
}

INSTANTIATE_TEST_SUITE_P(
    NumText, FieldReadings,
    testing::Values(Reading{"fraction", "5.7", 5.7, 5, 6},
                    Reading{"negative_half_floors_to_minus1", "-0.5", -0.5, -1, 0},
                    Reading{"half_to_even_down", "2.5", 2.5, 2, 2},
                    Reading{"half_to_even_up", "3.5", 3.5, 3, 4},
                    Reading{"negative_half_to_even", "-2.5", -2.5, -3, -2},
                    Reading{"plain_year", "2027", 2027, 2027, 2027},
                    Reading{"fullwidth_digits", "２０２６", 2026, 2026, 2026},
                    Reading{"fullwidth_minus", "－３", -3, -3, -3},
                    Reading{"fullwidth_point", "５９．５", 59.5, 59, 60},
                    Reading{"explicit_plus", "+7", 7, 7, 7},
                    Reading{"leading_point", ".5", 0.5, 0, 0},
                    Reading{"trailing_point", "5.", 5, 5, 5},
                    Reading{"surrounding_blanks", " 12 ", 12, 12, 12},
                    Reading{"exponent", "1e3", 1000, 1000, 1000},
                    Reading{"spin_at_16bit_top", "32767.4", 32767.4, 32767, 32767},
                    Reading{"underflowing_exponent_is_zero", "1e-400", 0, 0, 0}),
    RowName<Reading>);

struct NotNumber {
    const char* name;
    const char* text;
};

void PrintTo(const NotNumber& r, std::ostream* os) { *os << '"' << r.text << '"'; }

class FieldNotNumbers : public testing::TestWithParam<NotNumber> {};

TEST_P(FieldNotNumbers, AllReadingsAreEmpty)
{
    const char* text = GetParam().text;
    EXPECT_EQ(FieldNumber(text), std::nullopt);
    EXPECT_EQ(FieldWhole(text), std::nullopt);
    EXPECT_EQ(FieldSpin(text), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(NumText, FieldNotNumbers,
                         testing::Values(NotNumber{"empty", ""}, NotNumber{"letter", "a"},
                                         NotNumber{"lone_minus", "-"}, NotNumber{"lone_point", "."},
                                         NotNumber{"two_points", "1.2.3"}, NotNumber{"trailing_letter", "12a"},
                                         NotNumber{"bare_exponent", "1e"}, NotNumber{"double_sign", "--1"},
                                         NotNumber{"inner_blank", "1 2"}, NotNumber{"fullwidth_letter", "２ａ"},
                                         NotNumber{"kanji", "五"}),
                         RowName<NotNumber>);

TEST(FieldReadings, BeyondTheIntegerRangesIsAFault)
{
    EXPECT_THROW(FieldSpin("32768"), Fault);
    EXPECT_THROW(FieldSpin("-32769"), Fault);
    EXPECT_THROW(FieldSpin("32767.5"), Fault);  // rounds to 32768
    EXPECT_EQ(FieldWhole("32768"), 32768);
    EXPECT_EQ(FieldWhole("-2147483648"), INT32_MIN);
    EXPECT_THROW(FieldWhole("2147483648"), Fault);
    EXPECT_THROW(FieldWhole("-2147483648.5"), Fault);
    EXPECT_THROW(FieldWhole("1e400"), Fault);
    EXPECT_EQ(FieldNumber("-1e400"), std::optional<double>(-HUGE_VAL));
}

// ---- the short decimal text --------------------------------------------------

TEST(ShortText, FifteenDigitsShortestForm)
{
    const struct {
        double v;
        const char* wanted;
    } rows[] = {{2027, "2027"}, {59.5, "59.5"}, {-3, "-3"}, {0, "0"}, {-0.0, "0"}, {0.1, "0.1"},
                {0.0005, "0.0005"}, {1.0 / 3, "0.333333333333333"}, {2459446.6258898703, "2459446.62588987"},
                {999999999999999, "999999999999999"}, {1e20, "1E+20"}, {-1.5e-20, "-1.5E-20"}};
    for (const auto& r : rows)
        EXPECT_EQ(ShortText(r.v), r.wanted) << "v = " << r.v;
}

// ---- format patterns ------------------------------------------------------------

enum class Via { Number, Text15, Integer };

struct Formatted {
    const char* name;
    Via via;
    double v;
    const char* pattern;
    const char* wanted;
};

void PrintTo(const Formatted& f, std::ostream* os) { *os << f.v << " with \"" << f.pattern << '"'; }

class FormatPatterns : public testing::TestWithParam<Formatted> {};

TEST_P(FormatPatterns, Formats)
{
    const Formatted& f = GetParam();
    std::string got;
    switch (f.via) {
    case Via::Number: got = FormatNumber(f.v, f.pattern); break;
    case Via::Text15: got = FormatText15(f.v, f.pattern); break;
    case Via::Integer: got = FormatInteger(static_cast<int64_t>(f.v), f.pattern); break;
    }
    EXPECT_EQ(got, f.wanted);
}

INSTANTIATE_TEST_SUITE_P(
    NumText, FormatPatterns,
    testing::Values(
        Formatted{"meridian_leading_zero", Via::Text15, 62.47, "000.00", "062.47"},
        Formatted{"meridian_small", Via::Text15, 0.1, "000.00", "000.10"},
        Formatted{"meridian_negative", Via::Text15, -0.43, "000.00", "-000.43"},
        Formatted{"meridian_rounds_up_to_360", Via::Text15, 359.999, "000.00", "360.00"},
        Formatted{"meridian_carry_into_fourth_digit", Via::Text15, 999.995, "000.00", "1000.00"},
        Formatted{"tie_in_15_digit_text_goes_up", Via::Text15, 123.455, "000.00", "123.46"},
        Formatted{"tie_in_15_digit_text_negative", Via::Text15, -123.455, "000.00", "-123.46"},
        Formatted{"tie_of_a_whole_half", Via::Text15, 2.5, "0", "3"},
        Formatted{"exact_value_below_the_tie", Via::Number, 123.455, "000.00", "123.45"},
        Formatted{"jde", Via::Text15, 2459446.6258898703, "#######0.00000", "2459446.62589"},
        Formatted{"jde_short_text_padded", Via::Text15, 2451545.0007316, "#######0.00000", "2451545.00073"},
        Formatted{"jde_below_one", Via::Text15, 0.5, "#######0.00000", "0.50000"},
        Formatted{"jde_negative", Via::Text15, -2149205146.25, "#######0.00000", "-2149205146.25000"},
        Formatted{"jde_more_than_15_digits", Via::Text15, 365249999999.12345, "#######0.00000", "365249999999.12300"},
        Formatted{"grs_leading_zeros", Via::Number, 50, "000.0", "050.0"},
        Formatted{"grs_exact_value", Via::Number, 351.45, "000.0", "351.4"},
        Formatted{"grs_rounds_to_360", Via::Number, 359.96, "000.0", "360.0"},
        Formatted{"grs_fraction", Via::Number, 22.929277944495084, "000.0", "022.9"},
        Formatted{"year", Via::Integer, 2021, "0年 ", "2021年 "},
        Formatted{"year_zero", Via::Integer, 0, "0年 ", "0年 "},
        Formatted{"year_negative", Via::Integer, -2, "0年 ", "-2年 "},
        Formatted{"year_far_negative", Via::Integer, -5884203, "0年 ", "-5884203年 "},
        Formatted{"month_one_digit", Via::Integer, 8, "#月 ", "8月 "},
        Formatted{"month_two_digits", Via::Integer, 12, "#月 ", "12月 "},
        Formatted{"day_ideographic_space", Via::Integer, 1, "#日　", "1日　"},
        Formatted{"hour_padded", Via::Integer, 3, "00時", "03時"},
        Formatted{"hour_negative", Via::Integer, -5, "00時", "-05時"},
        Formatted{"minute_zero", Via::Integer, 0, "00分", "00分"},
        Formatted{"minute_negative", Via::Integer, -5, "00分", "-05分"},
        Formatted{"seconds_75", Via::Integer, 75, "00秒", "75秒"},
        Formatted{"seconds_three_digits", Via::Integer, 120, "00秒", "120秒"}),
    RowName<Formatted>);

}  // namespace
}  // namespace veltrax
