// SPDX-License-Identifier: GPL-3.0-or-later
// The Great Red Spot's predicted System II longitude.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrax {

// Yearly reference longitudes of the Great Red Spot (System II, degrees),
// indexed by year, with room for the years 1977 to 3000. Start-up fills 1977 to
// 2021; the other entries stay 0 and are never read by the prediction.
class GrsTable {
public:
    static constexpr int32_t kFirstYear = 1977;
    static constexpr int32_t kLastYear = 3000;

    // The table with the measured longitudes of 1977 to 2021.
    static GrsTable Standard();

    double operator()(int32_t year) const;
    void Set(int32_t year, double longitude);

private:
    std::array<double, kLastYear - kFirstYear + 1> entries_{};
};

// Predicted longitude (degrees, 0 to 360) for the moment jde (JDE, days) in the
// Universal Time year Y:
//   before 1977:  the 1977 value;
//   1977 to 2012: linear between the year's value and the next year's;
//   2013:         18 degrees a year from the 2013 value;
//   2014 on:      extrapolated from the 2021 value at 1.4772 times the drift of
//                 2020 to 2021 (also backwards for 2014 to 2020).
// Whole turns are removed from a value of 360 or more.
double PredictGrsLongitude(const GrsTable& table, int32_t Y, double jde);

// An observer's own measurement: the longitude (degrees) at epochJde (JDE,
// days), drifting driftPerDay degrees a day.
struct GrsObserved {
    double longitude;
    double epochJde;
    double driftPerDay;
};

// Predicted longitude from a measurement, reduced to 0 to 360.
double PredictGrsLongitude(const GrsObserved& observed, double jde);

// Where the prediction comes from: the measurement when one is given, else the table.
struct GrsSource {
    const GrsTable* table = nullptr;
    const GrsObserved* observed = nullptr;

    double Predict(int32_t Y, double jde) const
    {
        return observed ? PredictGrsLongitude(*observed, jde) : PredictGrsLongitude(*table, Y, jde);
    }
};

}  // namespace veltrax

// ---- The observer's own spot: values as typed or stored, and the model ----

namespace veltrax {

// The drift's units: a month is 365.25/12 days, a year 365.25 days.
constexpr double kDaysPerDriftMonth = 365.25 / 12;
constexpr double kDaysPerDriftYear = 365.25;
// A drift faster than this (degrees a day) is a typing error, not a spot.
constexpr double kMaxGrsDriftDegPerDay = 10;

// The date of a measured longitude, at 0 h UT, on the one calendar (Julian
// before 1582 October 15, Gregorian from then on).
struct GrsEpochDate {
    int32_t year = 2000;
    int32_t month = 1;  // 1 to 12
    int32_t day = 1;    // 1 to the month's length
};

// A plain decimal number: optional sign, digits, optional point and digits
// ("100", "-1.5", ".5"); no exponent, no blanks. nullopt otherwise.
std::optional<double> ParseGrsDecimal(std::string_view text);

// "YYYY-MM-DD" as ParseDate (engine/calendar.h) reads it: a real date, or
// nullopt ("2026-13-40", "2026-02-29").
std::optional<GrsEpochDate> ParseGrsEpochDate(std::string_view text);

// "1.5/month", "18/year", "0.05/day" (negative allowed) to degrees a day;
// nullopt for another form or for more than kMaxGrsDriftDegPerDay.
std::optional<double> ParseGrsDriftDegPerDay(std::string_view text);

// An observer's measurement as set: the longitude on the epoch date and the drift.
struct GrsObservation {
    double longitudeDeg = 0;  // System II, degrees
    GrsEpochDate epoch;       // 0 h UT
    double driftDegPerDay = 0;
    GrsObserved observed{};   // the same, with the epoch as JDE, for the prediction
};

// The observation with its `observed` filled in.
GrsObservation MakeGrsObservation(double longitudeDeg, const GrsEpochDate& epoch, double driftDegPerDay);

// The spot's model: the built-in table, or the observer's measurement.
struct GrsModel {
    std::optional<GrsObservation> observation;  // none: the built-in table

    bool UsesTable() const { return !observation.has_value(); }

    // The prediction source over `table` (which must outlive the result).
    GrsSource Source(const GrsTable& table) const
    {
        GrsSource s;
        s.table = &table;
        s.observed = observation ? &observation->observed : nullptr;
        return s;
    }
};

}  // namespace veltrax
