// SPDX-License-Identifier: GPL-3.0-or-later
// What the picture shows, as one value: the orientation, the picture's
// switches, the magnification, whether the view is zoomed, where it is panned
// to and the selection rectangle. The scene is built from it, the settings are
// read into it and written from it, and the controls show it; nothing about
// the view is read back from a control. Lengths are twips of the sky view.
#pragma once

#include "render/scene.h"
#include "results/settings.h"  // ViewSwitches: the picture's switches the settings file keeps

#include <cstdint>

namespace veltrax {

// The rectangle dragged out with the left button, and the drag-pan's last
// pointer position.
struct Selection {
    bool dragging = false;          // the left button went down and is not up yet
    bool done = false;              // a finished selection exists: the copy takes it
    int32_t x1 = 0, y1 = 0;         // anchor corner, the press point
    int32_t x2 = 0, y2 = 0;         // release corner
    int32_t bandX = 0, bandY = 0;   // the outline's moving corner as last drawn
    int32_t lastMouseX = 0, lastMouseY = 0;  // the pointer position the drag-pan consumed
    int32_t centerX = 0, centerY = 0;        // the point a zoom brings to the middle
    // The finished selection steers the next zoom: a drag of some width and
    // height made in the wide view without the drag-pan, not yet used.
    bool steersZoom = false;
};

struct ViewState {
    bool inverted = true;         // the astronomical telescope's view (false: binoculars, erect)
    ViewSwitches switches;
    bool dragPan = false;         // dragging the picture moves the view ("画面移動")
    int32_t zoomChoice = 0;       // the magnification the next zoom uses (2 to 6)
    int32_t magnify = 0;          // the magnification in force: 1 in the wide view
    bool zoomed = false;          // magnified ("広域" returns to the wide view)
    float scaleLeft = 0, scaleTop = 0;        // the sky view's visible top-left corner
    int32_t viewCenterX = 0, viewCenterY = 0; // the visible area's centre / WinScale
    Selection selection;

    // The orientation the compass and the scene follow.
    ViewOrientation Orientation() const { return OrientationFor(inverted, switches.mirror); }
};

// What the layout pass derives from the window's width, and the drawing
// tables that follow it.
struct ViewGeometry {
    float winScale = 0;       // window width / 13100; never left at 0 by the layout pass
    float formWidthNow = 0;   // the window width the last layout pass read, twips
    float baseWidth = 0;      // the width given at start-up, twips
    float baseHeight = 0;     // the picture height of the wide view; 0 until start-up stores it
    int32_t centerX = 0, centerY = 0;  // the reference centre at magnification 1, twips
    double moonRadius[4] = {};         // the satellites' radii in Jupiter equatorial radii
    BodyTables bodies{};               // drawn sizes, colours, aspects, numerals
    int32_t bodyX[5] = {}, bodyY[5] = {};  // each body's drawn offset from the planet, as last drawn
};

}  // namespace veltrax
