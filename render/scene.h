// SPDX-License-Identifier: GPL-3.0-or-later
// What the view draws for one instant: the satellites' drawing offsets, the
// depth order and the surface operations for the planet, its belts and spot,
// the satellites and their numerals. Pure: no Qt, no pixels. The window replays
// the operations on its two picture surfaces (render/paint.h).
//
// Lengths are twips, y grows downward; colours are 0x00BBGGRR.
#pragma once

#include "engine/disk_grid.h"
#include "engine/galilean.h"

#include <cstdint>
#include <string>
#include <vector>

namespace veltrax {

// Per-body drawing tables, index 0 Jupiter, 1 to 4 satellites I to IV.
struct BodyTables {
    int32_t BodySize[5];     // radius, twips
    uint32_t BodyColor[5];   // fill colour
    double BodyAspect[5];    // vertical / horizontal semi-axis
    std::string MoonLabel[5];  // 1 to 4: "Ⅰ" to "Ⅳ"; 0 unused
};

// The start-up tables: sizes 190, 17, 16, 22, 20; colours &H4FBEFF, &HFFFF,
// &HFFFFFF, &HFF, &HFFFF00; aspects 0.94, 1, 1, 1, 1; labels Ⅰ to Ⅳ.
BodyTables StartupBodyTables();

constexpr uint32_t kPlanetColor = 0x4FBEFF;
constexpr uint32_t kBeltColor = 0x80;
constexpr uint32_t kSpotColor = 0xFF;
constexpr uint32_t kWhite = 0xFFFFFF;
// The longitude grid: a green the picture uses nowhere else for the meridians
// and the equator, a magenta for the central meridian.
constexpr uint32_t kGridColor = 0x00A000;
constexpr uint32_t kCentralMeridianColor = 0xFF00FF;

// One operation on a picture surface (1: the sky view, 2: the label strip).
struct SurfaceOp {
    enum Kind {
        FillColor,      // color
        FillStyleSolid, //
        ForeColor,      // color
        MoveTo,         // current position := (x, y)
        CircleStep,     // ellipse at current + (x, y), radius r, aspect a
        BoxFilledStep,  // box from current + (x, y) to that + (x2, y2), filled with color
        Print,          // text at the current position
        ClipEllipse,    // later drawing only inside the ellipse at (x, y), radius r, aspect a
        ClipNone,       // no clipping
        Polyline,       // line through points (absolute x, y pairs) in color, lineWidth pixels;
                        // the current position stays
    };
    SurfaceOp(int s, Kind k, float px = 0, float py = 0, float px2 = 0, float py2 = 0)
        : surface(s), kind(k), x(px), y(py), x2(px2), y2(py2)
    {
    }
    static SurfaceOp Colour(int s, Kind k, uint32_t c)
    {
        SurfaceOp op(s, k);
        op.color = c;
        return op;
    }

    int surface;
    Kind kind;
    float x = 0, y = 0, x2 = 0, y2 = 0;
    float r = 0, a = 0;
    uint32_t color = 0;
    std::string text;
    std::vector<float> points;  // Polyline: x0, y0, x1, y1, ...
    int32_t lineWidth = 1;      // Polyline: pixels
};

// The one place where the view's orientation turns the sky into the picture.
// A picture's x grows to the right and its y downward; the sky's X is positive
// toward celestial west along Jupiter's equator and its Y toward Jupiter's
// north. The compass captions name the directions at the picture's top, left
// and right.
struct ViewOrientation {
    double xSign;         // picture x per sky X
    double ySign;         // picture y per sky Y
    int32_t spotRowStep;  // the spot's row: twips (before WinScale x Magnify)
                          // from where the second belt leaves the position
    const char* top;      // compass caption above the picture
    const char* left;     // on its left
    const char* right;    // on its right
    bool mirrored;        // turned left to right (a star diagonal): the belts too
};

// The erect view (binoculars) and the inverted one (astronomical telescope);
// mirrored: either of them seen through a star diagonal, left and right
// exchanged.
ViewOrientation OrientationFor(bool inverted, bool mirrored = false);

// The satellites' drawn offset per Jupiter equatorial radius of the precise
// places, twips before WinScale and the magnification: the planet's drawn
// radius (the layout's BodySize[0] is WinScale x 190 x Magnify), so a
// satellite one radius from the centre along the equator stands on the limb.
constexpr double kPreciseTwipsPerRadius = 190;

// The depth key of a satellite depth radii behind Jupiter's centre (negative:
// in front): 90 at the centre's depth, growing with the depth, inside 0 to
// 180, so the precise places sort with the planet as the compact ones do.
double PreciseDepthKey(double depth);

struct SceneInput {
    double jde;             // JDE of the instant, days
    bool inverted;          // telescope view (turned through 180 degrees)
    float WinScale;         // window width / 13100
    int32_t Magnify;        // 1 in the wide view
    int32_t CenterX, CenterY;  // reference centre, twips at magnification 1
    double CM2;             // System II meridian of the illuminated disk, degrees
    double GrsLongitude;    // predicted GRS longitude, degrees
    // The satellites' shadows and eclipses when the observer asked for them;
    // none drawn when null.
    const SatelliteShadows* shadows = nullptr;
    // The satellites' places and depths from the precise theory when the
    // observer asked for them; the window's own theory when null.
    const SatellitePlaces* places = nullptr;
    bool mirrored = false;  // the star diagonal's view, left and right exchanged
    // The longitude grid on the disk; the spot then stands at its true place
    // on the disk rather than on its schematic row.
    bool grid = false;
};

// Where the disk stands in the sky view: the one transform between the
// picture's twips (at the current magnification, before the surface's scale
// left and top) and the sky in Jupiter equatorial radii (engine/disk_grid.h).
struct DiskFrame {
    double cx = 0, cy = 0;        // the disk's centre, twips
    double twipsPerRadius = 0;    // the drawn disk's horizontal semi-axis, twips
    double xSign = 1, ySign = -1; // the orientation's
    void ToTwips(double X, double Y, double& x, double& y) const
    {
        x = cx + xSign * X * twipsPerRadius;
        y = cy + ySign * Y * twipsPerRadius;
    }
    // false when the frame has no size (nothing drawn yet).
    bool ToSky(double x, double y, double& X, double& Y) const
    {
        if (!(twipsPerRadius > 0))
            return false;
        X = (x - cx) / twipsPerRadius * xSign;
        Y = (y - cy) / twipsPerRadius * ySign;
        return true;
    }
};

// What the high-accuracy theory tells of the satellites' shadows at the
// instant (engine/galilean.h).
using SceneShadows = SatelliteShadows;

constexpr uint32_t kShadowColor = 0x000000;
constexpr uint32_t kEclipsedColor = 0x404040;  // dark grey

// One body of the scene: the planet, a satellite or a satellite's shadow.
struct SceneBody {
    enum Kind { Planet, Satellite, Shadow };
    Kind kind;
    int32_t index;      // 0 the planet, 1 to 4 satellites I to IV (for a shadow, its satellite's)
    int32_t x, y;       // drawing offset from the planet, twips before magnification
    int32_t size;       // radius, twips
    uint32_t color;     // fill colour
    double aspect;      // vertical / horizontal semi-axis
    double depthKey;    // 0 nearest, 180 farthest, the planet 90
    std::string label;  // the numeral printed under a satellite; empty for the planet
};

struct Scene {
    std::vector<SceneBody> bodies;  // in drawing order, farthest first
    float WinScale;    // as repaired (0 becomes 1)
    double CM2;        // CM2 as the drawing leaves it (one turn removed above 360)
    bool spotDrawn;
    double spotDelta;  // signed longitude difference of the spot, degrees (when drawn)
    DiskFrame disk;    // where the planet was drawn
    bool grid = false;  // the grid drawn; then pose holds the disk's pose and
    DiskPose pose{};    // spotX, spotY the spot's drawn centre (twips, when drawn)
    double spotX = 0, spotY = 0;
    std::vector<SurfaceOp> ops;  // to replay after both surfaces are cleared

    // The planet (0) or satellite (1 to 4) of that index.
    const SceneBody& Body(int32_t index) const;
    // The shadow of satellite 1 to 4, or null when none is drawn.
    const SceneBody* ShadowOf(int32_t index) const;
};

// DepthKey, the order of the bodies from their orbital angles: engine/engine.h.

// Builds the scene. Throws Fault on a floating-point fault or an integer
// overflow, before any operation would be drawn.
Scene BuildScene(const SceneInput& in, const BodyTables& tables);

// Signed longitude difference of the spot from the meridian M (degrees), or
// false when the spot is on the far side. A meridian just below 0 is taken
// one turn up, so the spot facing the observer is not lost.
bool SpotDelta(double M, double G, double& delta);

// ---- for tests: the operations resolved to absolute shapes ----------------

struct Shape {
    enum Kind { Ellipse, Box, Text, Clip, Unclip, Lines };  // Clip: the ellipse cx, cy, rx, ry
    Shape(Kind k, int s) : kind(k), surface(s) {}
    Kind kind;
    int surface;
    double cx = 0, cy = 0, rx = 0, ry = 0;  // ellipse centre and semi-axes
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // box corners
    uint32_t fill = 0;     // ellipse fill (when filled) or box colour
    bool filled = false;
    uint32_t outline = 0;  // ellipse outline or text colour
    std::string text;
    std::vector<float> points;  // Lines: x0, y0, x1, y1, ... (colour in outline)
};

// Replays the operations on two model surfaces whose foreground colours start
// as given, and returns what each draws, in order.
std::vector<Shape> ResolveShapes(const std::vector<SurfaceOp>& ops, uint32_t fore1, uint32_t fore2);

}  // namespace veltrax
