// The precise satellite theory and the site's sky: offsets against a modern
// theory's reference file, the Sun-view quantities by their geometric
// properties, Delta T and the altitudes.
#include "engine/galilean.h"

#include "support/mini_json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

namespace {

using veltrax::ComputeGalileanSky;
using veltrax::GalileanSky;

minijson::Value LoadReference()
{
    std::ifstream in(VELTRAX_TEST_DATA "/satellites.json", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return minijson::Parse(text.str());
}

const minijson::Value& Reference()
{
    static const minijson::Value doc = LoadReference();
    return doc;
}

// tests/data/satellites.json: 40 moments from 1950 to 2050, offsets from the
// L1.2 theory with VSOP87-class planets (its "about" gives the conventions).
TEST(GalileanReference, EveryOffsetWithin0003Radii)
{
    const auto& moments = Reference()["moments"].array;
    ASSERT_EQ(moments.size(), 40u);
    const char* names[4] = {"I", "II", "III", "IV"};
    double worst = 0.0;
    for (const auto& m : moments) {
        const double jdeTT = m["jd_tt"].Num();
        const GalileanSky sky = ComputeGalileanSky(jdeTT);
        for (int i = 0; i < 4; ++i) {
            const auto& want = m["satellites"][i];
            const veltrax::SkyOffset& got = sky.moon[i].fromEarth;
            const double wanted[3] = {want["X"].Num(), want["Y"].Num(), want["depth"].Num()};
            const double gotten[3] = {got.x, got.y, got.depth};
            const char* axis[3] = {"X", "Y", "depth"};
            for (int k = 0; k < 3; ++k) {
                EXPECT_NEAR(gotten[k], wanted[k], 0.003)
                    << m["ut"].Str() << " satellite " << names[i] << " " << axis[k]
                    << ": wanted " << wanted[k] << ", got " << gotten[k];
                worst = std::max(worst, std::fabs(gotten[k] - wanted[k]));
            }
        }
    }
    RecordProperty("worst_offset_radii", std::to_string(worst));
    std::cout << "largest difference from the reference: " << worst << " radii\n";
}

}  // namespace
