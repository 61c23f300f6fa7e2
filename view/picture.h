// SPDX-License-Identifier: GPL-3.0-or-later
// The picture: the sky view and the label strip under it. It draws the scene
// of one moment as the view state shows it, the selection's dotted outline,
// and gives its image for the clipboard. It holds nothing of its own beyond
// the two surfaces' images.
#pragma once

#include "render/scene.h"
#include "view/view_state.h"

namespace veltrax {

namespace platform {
class PictureBox;
}

// The moment the picture is drawn for, as the last recalculation left it.
struct PictureMoment {
    double jde = 0;           // JDE of the moment shown
    double cm2 = 0;           // System II meridian of the illuminated disk, degrees
    double grsLongitude = 0;  // the Great Red Spot's predicted longitude, degrees
};

class Picture {
public:
    Picture(platform::PictureBox* sky, platform::PictureBox* labels);

    // Builds the scene of `moment` for the view and paints it on both
    // surfaces, cleared first. Throws Fault before anything is cleared when
    // the scene cannot be built.
    Scene Paint(const PictureMoment& moment, const ViewState& view, const ViewGeometry& geometry);

    // The view's visible top-left corner (the label strip follows sideways only).
    void SetOrigin(float scaleLeft, float scaleTop);

    // The selection's dotted outline from (x1, y1) to (px, py), drawn by
    // inverting pixels: drawing it again restores them.
    void DrawBand(int32_t x1, int32_t y1, int32_t px, int32_t py);

    platform::PictureBox* Sky() const { return sky_; }

private:
    platform::PictureBox* sky_;
    platform::PictureBox* labels_;
};

// Replays a scene's surface operations on the two picture surfaces.
void PaintScene(const std::vector<SurfaceOp>& ops, platform::PictureBox& sky, platform::PictureBox& labels);

}  // namespace veltrax
