// The Great Red Spot's predicted System II longitude.
#pragma once

#include <array>
#include <cstdint>

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
