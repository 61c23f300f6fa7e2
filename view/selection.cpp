// SPDX-License-Identifier: GPL-3.0-or-later
// The selection rectangle, the drag-pan and the arrow keys over the picture.
// The outline is drawn by inverting pixels, so drawing it again erases it.
#include "platform/twips.h"
#include "window/main_window.h"

#include <QCheckBox>

namespace veltrax {

namespace {

int32_t Round(double v)
{
    return RoundToInt32(v);
}

}  // namespace

void MainWindow::DrawBand(int32_t px, int32_t py)
{
    Picture1->DrawWidth = 1;
    Picture1->DrawStyle = platform::PictureBox::StyleDot;
    Picture1->FillStyle = platform::PictureBox::FillTransparent;
    Picture1->DrawMode = platform::PictureBox::ModeInvert;
    Picture1->Box(static_cast<float>(global.SelX1), static_cast<float>(global.SelY1), static_cast<float>(px),
                  static_cast<float>(py), 0);
    Picture1->DrawMode = platform::PictureBox::ModeCopy;
}

void MainWindow::Picture1_MouseDown(int16_t button, int16_t, float x, float y)
{
    global.LastMouseX = Round(x);
    global.LastMouseY = Round(y);
    if (button == 1) {
        const long releasesBefore = leftReleases_;
        DrawView(global.CurrentJDE);
        global.SelX1 = Round(x);
        global.SelY1 = Round(y);
        global.BandX = Round(static_cast<double>(x) + 1);
        global.BandY = Round(y);
        DrawBand(global.BandX, global.BandY);
        global.Selecting = kTrue;
        // A quick click can be released while the redraw above lets events
        // run: that release found no anchor yet, so it is taken again now, or
        // the outline would go on following a pointer whose button is up.
        if (leftReleases_ != releasesBefore)
            Picture1_MouseUp(1, 0, lastReleaseX_, lastReleaseY_);
    } else if (button == 2) {
        global.SelectionDone = kFalse;
    }
}

void MainWindow::Picture1_MouseMove(int16_t button, int16_t, float x, float y)
{
    namespace tw = platform;
    if (button == 1 && Check1->isChecked()) {
        Picture1->SetScaleLeft(static_cast<float>(Picture1->ScaleLeft() - (x - static_cast<double>(global.LastMouseX)) / 1.2));
        Picture1->SetScaleTop(static_cast<float>(Picture1->ScaleTop() - (y - static_cast<double>(global.LastMouseY)) / 1.2));
        Picture2->SetScaleLeft(Picture1->ScaleLeft());
        global.LastMouseX = Round(x);
        global.LastMouseY = Round(y);
        DrawView(global.CurrentJDE);
        ViewCenterX = Round((static_cast<double>(Picture1->ScaleLeft()) + RoundToInt32(tw::Width(Picture1)) / 2) /
                            static_cast<double>(global.WinScale));
        ViewCenterY = Round((static_cast<double>(Picture1->ScaleTop()) + RoundToInt32(tw::Height(Picture1)) / 2) /
                            static_cast<double>(global.WinScale));
        return;
    }
    if (global.Selecting) {
        DrawBand(global.BandX, global.BandY);
        DrawBand(Round(x), Round(y));
        global.BandX = Round(x);
        global.BandY = Round(y);
    }
}

void MainWindow::Picture1_MouseUp(int16_t button, int16_t, float x, float y)
{
    if (button == 1) {
        ++leftReleases_;
        lastReleaseX_ = x;
        lastReleaseY_ = y;
        global.SelX2 = Round(x);
        global.SelY2 = Round(y);
        global.SelectionDone = kTrue;
        global.Selecting = kFalse;
        global.SelCenterX = Add32(std::abs(Sub32(global.SelX1, global.SelX2)) / 2, std::min(global.SelX1, global.SelX2));
        global.SelCenterY = Add32(std::abs(Sub32(global.SelY1, global.SelY2)) / 2, std::min(global.SelY1, global.SelY2));
        // A click without movement or the release of a drag-pan is no area
        // to zoom on; the copy keeps its own rule for such a selection.
        selectionSteersZoom_ = Magnify == 1 && !Check1->isChecked() && global.SelX1 != global.SelX2 &&
                               global.SelY1 != global.SelY2;
    } else if (button == 2) {
        global.SelectionDone = kFalse;
        DrawView(global.CurrentJDE);
    }
}

void MainWindow::Picture1_KeyDown(int16_t keyCode, int16_t)
{
    // The release corner moves with the anchor, so the copy takes the
    // outline the user sees.
    int32_t dx = 0, dy = 0;
    switch (keyCode) {
    case 37: dx = -1; break;
    case 38: dy = -1; break;
    case 39: dx = 1; break;
    case 40: dy = 1; break;
    default: break;
    }
    if (dx || dy) {
        const int32_t x1 = Add32(global.SelX1, dx), bx = Add32(global.BandX, dx), x2 = Add32(global.SelX2, dx);
        const int32_t y1 = Add32(global.SelY1, dy), by = Add32(global.BandY, dy), y2 = Add32(global.SelY2, dy);
        global.SelX1 = x1;
        global.BandX = bx;
        global.SelX2 = x2;
        global.SelY1 = y1;
        global.BandY = by;
        global.SelY2 = y2;
    }
    if (global.SelectionDone) {
        DrawView(global.CurrentJDE);
        DrawBand(global.BandX, global.BandY);
    }
}

void MainWindow::Check1_Click()
{
    if (!Check1->isChecked()) {
        Picture1->unsetCursor();
        DrawView(global.CurrentJDE);
    } else {
        Picture1->setCursor(Qt::SizeFDiagCursor);
    }
    global.SelectionDone = kFalse;
}

}  // namespace veltrax
