// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/grs.h"

#include "engine/calendar.h"
#include "engine/checked.h"
#include "engine/engine.h"

#include "results/recalc.h"

#include <charconv>
#include <cmath>

namespace veltrax {

GrsTable GrsTable::Standard()
{
    static constexpr double kLongitudes[] = {
        50,  52,  59,  57,  55,  52,  50,  34,  24,  20,  19,  18,  21,  30,  32,   // 1977-1991
        32,  38,  43,  43,  49,  56,  60,  61,  71,  73,  80,  84,  93,  102, 113,  // 1992-2006
        119, 125, 138, 148, 166, 173, 190, 206.5, 222, 240, 261.2, 283.4, 300.6, 322.7, 351.4,  // 2007-2021
    };
    GrsTable t;
    int32_t year = kFirstYear;
    for (double g : kLongitudes)
        t.Set(year++, g);
    return t;
}

double GrsTable::operator()(int32_t year) const
{
    if (year < kFirstYear || year > kLastYear)
        throw Fault("Great Red Spot table has no entry for the year");
    return entries_[static_cast<size_t>(year - kFirstYear)];
}

void GrsTable::Set(int32_t year, double longitude)
{
    if (year < kFirstYear || year > kLastYear)
        throw Fault("Great Red Spot table has no entry for the year");
    entries_[static_cast<size_t>(year - kFirstYear)] = longitude;
}

double PredictGrsLongitude(const GrsTable& G, int32_t Y, double jde)
{
    // Day numbers of 1 January are held in 64 bits: a year of nine typed
    // characters reaches day numbers beyond the 32-bit range.
    const int64_t JD0 = RoundToInt64(CalcJD(Y, 1, 1));

    double grs;
    if (Y == 2013) {
        grs = (jde - static_cast<double>(JD0)) * (18 / 365.24) + G(2013);
    } else if (Y < 1977) {
        grs = G(1977);
    } else if (Y <= 2012) {
        grs = (G(Y + 1) - G(Y)) / 365.24 * (jde - static_cast<double>(JD0)) + G(Y);
    } else {
        const int64_t JD21 = RoundToInt64(CalcJD(2021, 1, 1));
        grs = (G(2021) - G(2020)) * 1.4772 / 365.24 * (jde - static_cast<double>(JD21)) + G(2021);
    }
    if (grs >= 360)
        grs = grs - 360 * std::floor(grs / 360);
    return Finite(grs, "Great Red Spot prediction");
}

double PredictGrsLongitude(const GrsObserved& o, double jde)
{
    const double g = o.longitude + o.driftPerDay * (jde - o.epochJde);
    return Finite(g - 360 * std::floor(g / 360), "Great Red Spot prediction");
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::optional<double> ParseGrsDecimal(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0 || i != text.size())
        return std::nullopt;
    const std::string_view body = text[0] == '+' ? text.substr(1) : text;  // from_chars takes no plus
    double v = 0;
    const auto r = std::from_chars(body.data(), body.data() + body.size(), v);
    if (r.ec != std::errc() || r.ptr != body.data() + body.size() || !std::isfinite(v))
        return std::nullopt;
    return v;
}

std::optional<GrsEpochDate> ParseGrsEpochDate(std::string_view text)
{
    std::string why;
    const std::optional<CivilDate> c = ParseDate(text, why);
    if (!c)
        return std::nullopt;
    return GrsEpochDate{static_cast<int32_t>(c->year), c->month, c->day};
}

std::optional<double> ParseGrsDriftDegPerDay(std::string_view text)
{
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos)
        return std::nullopt;
    const auto amount = ParseGrsDecimal(text.substr(0, slash));
    const std::string_view unit = text.substr(slash + 1);
    double days = 0;
    if (unit == "day")
        days = 1;
    else if (unit == "month")
        days = kDaysPerDriftMonth;
    else if (unit == "year")
        days = kDaysPerDriftYear;
    if (!amount || days == 0)
        return std::nullopt;
    const double perDay = *amount / days;
    if (std::fabs(perDay) > kMaxGrsDriftDegPerDay)
        return std::nullopt;
    return perDay;
}

GrsObservation MakeGrsObservation(double longitudeDeg, const GrsEpochDate& epoch, double driftDegPerDay)
{
    GrsObservation o;
    o.longitudeDeg = longitudeDeg;
    o.epoch = epoch;
    o.driftDegPerDay = driftDegPerDay;
    o.observed.longitude = longitudeDeg;
    o.observed.epochJde = CalcJD(static_cast<double>(epoch.year), epoch.month, epoch.day);
    o.observed.driftPerDay = driftDegPerDay;
    return o;
}

}  // namespace veltrax
