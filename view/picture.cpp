// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/picture.h"

#include "platform/picture_box.h"
#include "results/satellite_places.h"
#include "results/shadows.h"

#include <optional>

namespace veltrax {

Picture::Picture(platform::PictureBox* sky, platform::PictureBox* labels) : sky_(sky), labels_(labels) {}

Scene Picture::Paint(const PictureMoment& moment, const ViewState& view, const ViewGeometry& geometry)
{
    SceneInput in;
    in.jde = moment.jde;
    in.inverted = view.inverted;
    in.WinScale = geometry.winScale;
    in.Magnify = view.magnify;
    in.CenterX = geometry.centerX;
    in.CenterY = geometry.centerY;
    in.CM2 = moment.cm2;
    in.GrsLongitude = moment.grsLongitude;
    // The shadows and the precise places from the precise theory; outside
    // its years the picture is drawn without shadows, from the window's own
    // theory.
    std::optional<SatelliteShadows> shadows;
    if (view.switches.shadows && (shadows = ShadowsAtWindowJde(moment.jde)))
        in.shadows = &*shadows;
    std::optional<SatellitePlaces> places;
    if (view.switches.precise && (places = PlacesAtWindowJde(moment.jde)))
        in.places = &*places;
    in.mirrored = view.switches.mirror;
    in.grid = view.switches.grid;
    Scene scene = BuildScene(in, geometry.bodies);  // a fault here draws nothing

    sky_->Cls();
    labels_->Cls();
    PaintScene(scene.ops, *sky_, *labels_);
    return scene;
}

void Picture::SetOrigin(float scaleLeft, float scaleTop)
{
    sky_->SetScaleLeft(scaleLeft);
    sky_->SetScaleTop(scaleTop);
    labels_->SetScaleLeft(scaleLeft);
    labels_->SetScaleTop(0);
}

void Picture::DrawBand(int32_t x1, int32_t y1, int32_t px, int32_t py)
{
    // The line stays one pixel wide and dotted, and unfilled, for whatever
    // is drawn next; only the drawing mode is put back.
    sky_->DrawWidth = 1;
    sky_->DrawStyle = platform::PictureBox::StyleDot;
    sky_->FillStyle = platform::PictureBox::FillTransparent;
    sky_->DrawMode = platform::PictureBox::ModeInvert;
    sky_->Box(static_cast<float>(x1), static_cast<float>(y1), static_cast<float>(px), static_cast<float>(py), 0);
    sky_->DrawMode = platform::PictureBox::ModeCopy;
}

void PaintScene(const std::vector<SurfaceOp>& ops, platform::PictureBox& sky, platform::PictureBox& labels)
{
    for (const SurfaceOp& op : ops) {
        platform::PictureBox& p = op.surface == 1 ? sky : labels;
        switch (op.kind) {
        case SurfaceOp::FillColor: p.FillColor = op.color; break;
        case SurfaceOp::FillStyleSolid: p.FillStyle = platform::PictureBox::FillSolid; break;
        case SurfaceOp::ForeColor: p.ForeColor = op.color; break;
        case SurfaceOp::MoveTo:
            p.CurrentX = op.x;
            p.CurrentY = op.y;
            break;
        case SurfaceOp::CircleStep: p.CircleStep(op.x, op.y, op.r, op.a); break;
        case SurfaceOp::BoxFilledStep: p.BoxFilledStep(op.x, op.y, op.x2, op.y2, op.color); break;
        case SurfaceOp::Print: p.Print(QString::fromStdString(op.text)); break;
        case SurfaceOp::ClipEllipse: p.SetClipEllipse(op.x, op.y, op.r, op.a); break;
        case SurfaceOp::ClipNone: p.ClearClip(); break;
        case SurfaceOp::Polyline: p.Polyline(op.points, op.color, op.lineWidth); break;
        }
    }
}

}  // namespace veltrax
