// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/paint.h"

#include "platform/picture_box.h"

namespace veltrax {

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
