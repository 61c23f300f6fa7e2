// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plan_placement.h"

#include <algorithm>

namespace veltrax {

PlanPlacement PlacePlan(const QRect& room, const QRect& main, const QSize& wanted, const QSize& least)
{
    const int height = std::max(std::min(wanted.height(), room.height()), 0);
    // The plan's top level with the main window's, moved up where it would
    // run off the screen's foot.
    const int top = std::max(room.top(), std::min(main.top(), room.bottom() + 1 - height));
    const int rightRoom = room.right() - main.right();  // columns right of the main window
    const int leftRoom = main.left() - room.left();
    PlanPlacement out{main.topLeft(), QRect()};
    const auto beside = [&](bool right, int width) {
        const int x = right ? out.mainAt.x() + main.width() : out.mainAt.x() - width;
        out.plan = QRect(x, top, width, height);
        return out;
    };
    if (wanted.width() <= rightRoom)
        return beside(true, wanted.width());
    if (wanted.width() <= leftRoom)
        return beside(false, wanted.width());
    if (std::max(rightRoom, leftRoom) >= least.width())
        return beside(rightRoom >= leftRoom, std::max(rightRoom, leftRoom));
    // Neither side has room: the two side by side, centred where the
    // plan's wanted width fits, else the main window at the left edge and
    // the plan in the rest.
    const int free = room.width() - main.width();
    if (free >= least.width()) {
        const int width = std::min(wanted.width(), free);
        out.mainAt.setX(room.left() + (free - width) / 2);
        return beside(true, width);
    }
    const int width = std::min(wanted.width(), room.width());
    out.plan = QRect(room.right() + 1 - width, top, width, height);
    return out;
}

}  // namespace veltrax
