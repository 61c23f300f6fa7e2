// SPDX-License-Identifier: GPL-3.0-or-later
// Where the night plan opens, worked out by hand for a main window of
// 875 x 475 (frame) centred as the window manager centres it, a plan that
// wants 870 x 760 and still shows its list and charts at 640 x 500.
#include "window/plan_placement.h"

#include <gtest/gtest.h>

namespace veltrax {
namespace {

TEST(PlanPlacement, BesideThePictureWhereTheScreenAllows)
{
    const QSize wanted(870, 760), least(640, 500);
    const struct {
        const char* name;
        QRect room, main;
        QPoint mainAt;
        QRect plan;
    } cases[] = {
        // 362 and 363 columns beside it: the pair, 875 + 725, fills the width.
        {"1600x1000 centred", {0, 0, 1600, 1000}, {363, 268, 875, 475}, {0, 268}, {875, 240, 725, 760}},
        // 1045 columns free: the pair, 875 + 870, centred in them.
        {"1920x1080 centred", {0, 0, 1920, 1080}, {522, 302, 875, 475}, {87, 302}, {962, 302, 870, 760}},
        // Room on the right already: the main window stays.
        {"1920x1080 at the left", {0, 0, 1920, 1080}, {0, 0, 875, 475}, {0, 0}, {875, 0, 870, 760}},
        // Room on the left only.
        {"1920x1080 at the right", {0, 0, 1920, 1080}, {1045, 40, 875, 475}, {1045, 40}, {175, 40, 870, 760}},
        // A panel above: the plan keeps below it.
        {"1600x1000 under a panel", {0, 30, 1600, 970}, {363, 268, 875, 475}, {0, 268}, {875, 240, 725, 760}},
        // Too small for both: the plan at the right edge, the main window stays.
        {"1024x768", {0, 0, 1024, 768}, {74, 146, 875, 475}, {74, 146}, {154, 8, 870, 760}},
    };
    for (const auto& c : cases) {
        const PlanPlacement at = PlacePlan(c.room, c.main, wanted, least);
        EXPECT_EQ(at.mainAt, c.mainAt) << c.name;
        EXPECT_EQ(at.plan, c.plan) << c.name;
        EXPECT_TRUE(c.room.contains(at.plan)) << c.name;
        const QRect main(at.mainAt, c.main.size());
        if (c.room.width() >= 1600) {
            EXPECT_TRUE(c.room.contains(main)) << c.name;
            EXPECT_FALSE(main.intersects(at.plan)) << c.name;
        }
    }
}

}  // namespace
}  // namespace veltrax
