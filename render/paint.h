// SPDX-License-Identifier: GPL-3.0-or-later
// Replays a scene's surface operations on the two picture surfaces.
#pragma once

#include "render/scene.h"

namespace veltrax::platform {
class PictureBox;
}

namespace veltrax {

void PaintScene(const std::vector<SurfaceOp>& ops, platform::PictureBox& sky, platform::PictureBox& labels);

}  // namespace veltrax
