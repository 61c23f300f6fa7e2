// SPDX-License-Identifier: GPL-3.0-or-later
#include "render/scene.h"

#include "engine/checked.h"
#include "engine/engine.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace veltrax {

BodyTables StartupBodyTables()
{
    return BodyTables{
        {190, 17, 16, 22, 20},
        {0x4FBEFF, 0xFFFF, 0xFFFFFF, 0xFF, 0xFFFF00},
        {0.94, 1, 1, 1, 1},
        {"", "Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ"},
    };
}

bool SpotDelta(double M, double G, double& delta)
{
    if (M < 0)
        M = M + 360;
    if (G >= 270 && 0 <= M && M <= G - 270) {
        delta = M + 360 - G;
        return true;
    }
    if (G <= 90 && 270 <= M && M <= 360 && M - 360 - G >= -90) {
        delta = M - 360 - G;
        return true;
    }
    if (std::fabs(M - G) <= 90) {
        delta = M - G;
        return true;
    }
    return false;
}

namespace {

// Tracks the sky view's current position while the operations are built.
struct Builder {
    std::vector<SurfaceOp>& ops;
    float curX = 0, curY = 0;

    void Add(SurfaceOp op) { ops.push_back(std::move(op)); }
    void MoveTo(float x, float y)
    {
        curX = x;
        curY = y;
        Add(SurfaceOp(1, SurfaceOp::MoveTo, x, y));
    }
    void Circle(float dx, float dy, float r, float a)
    {
        curX = curX + dx;
        curY = curY + dy;
        SurfaceOp op(1, SurfaceOp::CircleStep, dx, dy);
        op.r = r;
        op.a = a;
        Add(op);
    }
    void Box(float dx1, float dy1, float dx2, float dy2, uint32_t color)
    {
        const float x1 = curX + dx1, y1 = curY + dy1;
        curX = x1 + dx2;
        curY = y1 + dy2;
        SurfaceOp op(1, SurfaceOp::BoxFilledStep, dx1, dy1, dx2, dy2);
        op.color = color;
        Add(op);
    }
};

// n times k, k being WinScale x Magnify: WinScale x (n x Magnify).
float Scaled(int32_t n, const SceneInput& in, float winScale)
{
    return static_cast<float>(static_cast<double>(winScale) * Mul32(n, in.Magnify));
}

// Belts and the Great Red Spot, from the disk's centre.
void PlanetFeatures(Builder& b, const SceneInput& in, const ViewOrientation& view, float winScale, int32_t S,
                    Scene& scene)
{
    // The belts run from 160 left of the centre to 140 right of it; a mirror
    // exchanges the two.
    b.Box(Scaled(view.mirrored ? -140 : -160, in, winScale), Scaled(30, in, winScale), Scaled(300, in, winScale),
          Scaled(20, in, winScale), kBeltColor);
    b.Box(Scaled(-300, in, winScale), Scaled(-70, in, winScale), Scaled(300, in, winScale),
          Scaled(-20, in, winScale), kBeltColor);
    b.Add(SurfaceOp::Colour(1, SurfaceOp::FillColor, kSpotColor));

    if (scene.CM2 > 360)
        scene.CM2 = scene.CM2 - 360;

    if (in.grid) {
        // On the grid the spot stands where the disk's geometry puts its
        // centre, measured from the whole-disk meridian the grid uses.
        const double fromCm = std::remainder(in.GrsLongitude - scene.pose.cmWholeDeg[1], 360.0);
        const DiskPoint p = DiskProject(scene.pose.earthDeclDeg, fromCm, kGrsLatitudeDeg);
        if (!p.facing)
            return;
        double x, y;
        scene.disk.ToTwips(p.X, p.Y, x, y);
        b.MoveTo(static_cast<float>(Finite(x, "the spot's place")), static_cast<float>(Finite(y, "the spot's place")));
        b.Circle(0, 0, static_cast<float>(0.25 * S), 0.8f);
        scene.spotDrawn = true;
        scene.spotDelta = -fromCm;
        scene.spotX = b.curX;
        scene.spotY = b.curY;
        return;
    }
    double delta = 0;
    if (!SpotDelta(scene.CM2, in.GrsLongitude, delta))
        return;
    const double s = std::sin(delta * 3.14 / 180);
    // The spot's offset from the meridian turns with the satellites' X. The
    // belts leave the position at their right end, 140 right of the centre
    // (160 when mirrored); the spot's row starts S / 1.4 left of it, or as
    // far right of the mirrored left end.
    const float dx = view.mirrored
                         ? static_cast<float>(Scaled(-300, in, winScale) + S / 1.4 + view.xSign * (0.9 * S * s))
                         : static_cast<float>(-S / 1.4 + view.xSign * (0.9 * S * s));
    const float dy = Scaled(view.spotRowStep, in, winScale);
    b.Circle(dx, dy, static_cast<float>(0.25 * S), 0.8f);
    scene.spotDrawn = true;
    scene.spotDelta = delta;
}

// The grid over the belts and the spot, kept inside the drawn disk.
void DrawGrid(Builder& b, const SceneBody& planet, const Scene& scene)
{
    SurfaceOp clip(1, SurfaceOp::ClipEllipse, static_cast<float>(scene.disk.cx), static_cast<float>(scene.disk.cy));
    clip.r = static_cast<float>(planet.size);
    clip.a = static_cast<float>(planet.aspect);
    b.Add(clip);
    for (const GridLine& line : DiskGridLines(scene.pose, 30)) {
        SurfaceOp op(1, SurfaceOp::Polyline);
        op.color = line.kind == GridLine::CentralMeridian ? kCentralMeridianColor : kGridColor;
        op.lineWidth = line.kind == GridLine::Meridian ? 1 : 2;
        op.points.reserve(2 * line.points.size());
        for (const auto& pt : line.points) {
            double x, y;
            scene.disk.ToTwips(pt[0], pt[1], x, y);
            op.points.push_back(static_cast<float>(Finite(x, "a grid point")));
            op.points.push_back(static_cast<float>(Finite(y, "a grid point")));
        }
        b.Add(std::move(op));
    }
    b.Add(SurfaceOp(1, SurfaceOp::ClipNone));
}

// A shadow: a black disk on the planet, kept inside the planet's outline.
void DrawShadow(Builder& b, const SceneBody& body, const SceneInput& in, const SceneBody& planet)
{
    const float px = static_cast<float>(Mul32(in.Magnify, in.CenterX));
    const float py = static_cast<float>(Mul32(in.Magnify, in.CenterY));
    SurfaceOp clip(1, SurfaceOp::ClipEllipse, px, py);
    clip.r = static_cast<float>(planet.size);
    clip.a = static_cast<float>(planet.aspect);
    b.Add(clip);
    b.Add(SurfaceOp::Colour(1, SurfaceOp::FillColor, body.color));
    b.Add(SurfaceOp(1, SurfaceOp::FillStyleSolid));
    b.Add(SurfaceOp::Colour(1, SurfaceOp::ForeColor, body.color));
    b.MoveTo(px, py);
    b.Circle(static_cast<float>(Mul32(in.Magnify, body.x)), static_cast<float>(Mul32(in.Magnify, body.y)),
             static_cast<float>(body.size), static_cast<float>(body.aspect));
    b.Add(SurfaceOp(1, SurfaceOp::ClipNone));
    b.Add(SurfaceOp::Colour(1, SurfaceOp::ForeColor, kWhite));
}

void DrawBody(Builder& b, const SceneBody& body, const SceneInput& in, const ViewOrientation& view, Scene& scene,
              float winScale)
{
    if (body.kind == SceneBody::Shadow) {
        DrawShadow(b, body, in, scene.Body(0));
        return;
    }
    const bool planet = body.kind == SceneBody::Planet;
    b.Add(SurfaceOp::Colour(1, SurfaceOp::FillColor, body.color));
    b.Add(SurfaceOp(1, SurfaceOp::FillStyleSolid));
    b.MoveTo(static_cast<float>(Mul32(in.Magnify, in.CenterX)), static_cast<float>(Mul32(in.Magnify, in.CenterY)));
    if (planet)
        b.Add(SurfaceOp::Colour(1, SurfaceOp::ForeColor, kPlanetColor));
    b.Circle(static_cast<float>(Mul32(in.Magnify, body.x)), static_cast<float>(Mul32(in.Magnify, body.y)),
             static_cast<float>(body.size), static_cast<float>(body.aspect));
    if (planet)
        PlanetFeatures(b, in, view, winScale, body.size, scene);
    if (planet && in.grid)
        DrawGrid(b, body, scene);
    b.Add(SurfaceOp::Colour(1, SurfaceOp::ForeColor, kWhite));
    if (body.kind == SceneBody::Satellite) {
        b.Add(SurfaceOp(2, SurfaceOp::MoveTo, b.curX - 80, 0));
        SurfaceOp print(2, SurfaceOp::Print);
        print.text = body.label;
        b.Add(print);
    }
}

}  // namespace

ViewOrientation OrientationFor(bool inverted, bool mirrored)
{
    ViewOrientation v = inverted ? ViewOrientation{-1, 1, -30, "北", "西", "東", false}
                                 : ViewOrientation{1, -1, 110, "南", "東", "西", false};
    if (mirrored) {
        v.xSign = -v.xSign;
        std::swap(v.left, v.right);
        v.mirrored = true;
    }
    return v;
}

double PreciseDepthKey(double depth)
{
    // atan keeps every depth inside the range and their order.
    return 90 + std::atan(Finite(depth, "a satellite's depth")) * kDegreesPerRadian;
}

const SceneBody& Scene::Body(int32_t index) const
{
    for (const SceneBody& body : bodies)
        if (body.index == index && body.kind != SceneBody::Shadow)
            return body;
    throw Fault("subscript out of range");
}

const SceneBody* Scene::ShadowOf(int32_t index) const
{
    for (const SceneBody& body : bodies)
        if (body.kind == SceneBody::Shadow && body.index == index)
            return &body;
    return nullptr;
}

Scene BuildScene(const SceneInput& in, const BodyTables& t)
{
    Scene scene{};
    scene.CM2 = in.CM2;
    scene.spotDrawn = false;
    const ViewOrientation view = OrientationFor(in.inverted, in.mirrored);

    const double d = in.jde - kEpoch1900Jd;
    const JupiterAspect aspect = CalcAspect(d);
    const MoonPositions moons = CalcMoons(d, aspect);

    // The planet first, then the shadows, then satellites I to IV: with the
    // stable sort below, a tie of depth keeps this order, so a shadow lies on
    // the planet and under a satellite drawn in front.
    scene.bodies.reserve(9);
    int shadowCount = 0;
    // Twips per Jupiter radius (before WinScale): the window's own theory is
    // drawn at 200, the precise places on the drawn disk's scale.
    const double perRadius = in.places ? kPreciseTwipsPerRadius : 200;
    scene.bodies.push_back(SceneBody{SceneBody::Planet, 0, 0, 0, t.BodySize[0], t.BodyColor[0], t.BodyAspect[0], 90, {}});
    for (int i = 1; i <= 4; ++i) {
        SceneBody moon{SceneBody::Satellite, i, 0, 0, t.BodySize[i], t.BodyColor[i], t.BodyAspect[i], 0, t.MoonLabel[i]};
        if (in.places) {
            const SatellitePlaces& p = *in.places;
            moon.x = RoundToInt32(view.xSign * p.x[i - 1] * perRadius * in.WinScale);
            moon.y = RoundToInt32(view.ySign * p.y[i - 1] * perRadius * in.WinScale);
            moon.depthKey = PreciseDepthKey(p.depth[i - 1]);
        } else {
            moon.x = RoundToInt32(view.xSign * moons.X[i - 1] * perRadius * in.WinScale);
            moon.y = RoundToInt32(view.ySign * moons.Y[i - 1] * perRadius * in.WinScale);
            // the angular distance from U = 0, the near point of the orbit
            moon.depthKey = DepthKey(moons.U[i - 1]);
        }
        if (in.shadows) {
            const SceneShadows& sh = *in.shadows;
            if (sh.eclipsed[i - 1])
                moon.color = kEclipsedColor;
            if (sh.seen[i - 1]) {
                // Where the drawn satellite stands, moved by the shadow's true
                // separation from it.
                SceneBody shadow{SceneBody::Shadow, i, 0, 0, moon.size, kShadowColor, 1, 90, {}};
                shadow.x = Add32(moon.x, RoundToInt32(view.xSign * sh.dx[i - 1] * perRadius * in.WinScale));
                shadow.y = Add32(moon.y, RoundToInt32(view.ySign * sh.dy[i - 1] * perRadius * in.WinScale));
                scene.bodies.insert(scene.bodies.begin() + 1 + shadowCount++, std::move(shadow));
            }
        }
        scene.bodies.push_back(std::move(moon));
    }
    scene.WinScale = in.WinScale == 0 ? 1.0f : in.WinScale;

    // Farthest first.
    std::stable_sort(scene.bodies.begin(), scene.bodies.end(),
                     [](const SceneBody& a, const SceneBody& b) { return a.depthKey > b.depthKey; });

    // Where the planet is drawn: the reference centre, its radius per
    // equatorial radius, the orientation's signs.
    scene.disk.cx = static_cast<float>(Mul32(in.Magnify, in.CenterX));
    scene.disk.cy = static_cast<float>(Mul32(in.Magnify, in.CenterY));
    scene.disk.twipsPerRadius = t.BodySize[0];
    scene.disk.xSign = view.xSign;
    scene.disk.ySign = view.ySign;
    scene.grid = in.grid;
    if (in.grid)
        scene.pose = DiskPoseAt(in.jde);

    Builder b{scene.ops};
    for (const SceneBody& body : scene.bodies)
        DrawBody(b, body, in, view, scene, scene.WinScale);
    return scene;
}

std::vector<Shape> ResolveShapes(const std::vector<SurfaceOp>& ops, uint32_t fore1, uint32_t fore2)
{
    struct Surf {
        double x = 0, y = 0;
        uint32_t fore, fill = 0;
        bool solid = false;
    } s[3];
    s[1].fore = fore1;
    s[2].fore = fore2;
    std::vector<Shape> out;
    for (const SurfaceOp& op : ops) {
        Surf& c = s[op.surface];
        switch (op.kind) {
        case SurfaceOp::FillColor: c.fill = op.color; break;
        case SurfaceOp::FillStyleSolid: c.solid = true; break;
        case SurfaceOp::ForeColor: c.fore = op.color; break;
        case SurfaceOp::MoveTo:
            c.x = op.x;
            c.y = op.y;
            break;
        case SurfaceOp::CircleStep: {
            c.x = static_cast<float>(c.x + op.x);
            c.y = static_cast<float>(c.y + op.y);
            Shape sh(Shape::Ellipse, op.surface);
            sh.cx = c.x;
            sh.cy = c.y;
            sh.rx = op.a <= 1 ? op.r : op.r / op.a;
            sh.ry = op.a <= 1 ? static_cast<double>(op.r) * op.a : op.r;
            sh.fill = c.fill;
            sh.filled = c.solid;
            sh.outline = c.fore;
            out.push_back(sh);
            break;
        }
        case SurfaceOp::BoxFilledStep: {
            Shape sh(Shape::Box, op.surface);
            sh.x1 = static_cast<float>(c.x + op.x);
            sh.y1 = static_cast<float>(c.y + op.y);
            sh.x2 = static_cast<float>(sh.x1 + op.x2);
            sh.y2 = static_cast<float>(sh.y1 + op.y2);
            sh.fill = op.color;
            sh.filled = true;
            c.x = sh.x2;
            c.y = sh.y2;
            out.push_back(sh);
            break;
        }
        case SurfaceOp::ClipEllipse: {
            Shape sh(Shape::Clip, op.surface);
            sh.cx = op.x;
            sh.cy = op.y;
            sh.rx = op.a <= 1 ? op.r : op.r / op.a;
            sh.ry = op.a <= 1 ? static_cast<double>(op.r) * op.a : op.r;
            out.push_back(sh);
            break;
        }
        case SurfaceOp::ClipNone: out.push_back(Shape(Shape::Unclip, op.surface)); break;
        case SurfaceOp::Polyline: {
            Shape sh(Shape::Lines, op.surface);
            sh.outline = op.color;
            sh.points = op.points;
            out.push_back(sh);
            break;
        }
        case SurfaceOp::Print: {
            Shape sh(Shape::Text, op.surface);
            sh.x1 = c.x;
            sh.y1 = c.y;
            sh.outline = c.fore;
            sh.text = op.text;
            out.push_back(sh);
            break;
        }
        }
    }
    return out;
}

}  // namespace veltrax
