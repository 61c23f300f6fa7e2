// SPDX-License-Identifier: GPL-3.0-or-later
// The mouse, the keys and the clipboard over the sky view, on the started
// window: the selection outline, drag-pan, arrow keys, zoom on a selection and
// the copy of the selected area or of the whole picture.
#include "platform/twips.h"
#include "engine/checked.h"
#include "support/window_fixture.h"
#include "window/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <ostream>
#include <string>

namespace veltrax {
namespace {

using namespace testing;  // the window's controls by their names

// The dotted outline from (x1, y1) to (px, py) on the window's picture.
void Band(MainWindow& w, int32_t x1, int32_t y1, int32_t px, int32_t py)
{
    Picture(Form(w).Picture1, Form(w).Picture2).DrawBand(x1, y1, px, py);
}

// The outline as last drawn, drawn again: erased.
void EraseBand(MainWindow& w)
{
    const Selection& s = w.State().view.selection;
    Band(w, s.x1, s.y1, s.bandX, s.bandY);
}

constexpr QRgb kPlanetRgb = 0xFFBE4F;  // RGB(255, 190, 79), the planet's fill
constexpr double kFewPixels = 4;      // how far a zoomed selection centre may miss the middle

template <class Row>
std::string RowName(const ::testing::TestParamInfo<Row>& i)
{
    return i.param.name;
}

// Failure messages name the table row.
template <class Row>
auto operator<<(std::ostream& os, const Row& r) -> decltype(r.name, os)
{
    return os << r.name;
}

std::unique_ptr<MainWindow> Started()
{
    return testing::StartedWindow(testing::ClockAt(2024, 3, 10, 21, 30, 0));
}

double Tpp() { return platform::TwipsPerPixel(); }

// Logical twips of a point given in pixels of Picture1's visible area, as
// whole twips (the handlers round halves to even; whole values keep the
// expected corners clear of that).
QPointF At(const MainWindow& w, QPointF px)
{
    return {std::round(Form(w).Picture1->ScaleLeft() + px.x() * Tpp()), std::round(Form(w).Picture1->ScaleTop() + px.y() * Tpp())};
}

// Where the planet's centre is shown, in whole pixels of the visible area.
QPoint PlanetPx(const MainWindow& w)
{
    return QPointF((w.State().view.magnify * w.State().geometry.centerX - static_cast<double>(Form(w).Picture1->ScaleLeft())) / Tpp(),
                   (w.State().view.magnify * w.State().geometry.centerY - static_cast<double>(Form(w).Picture1->ScaleTop())) / Tpp())
        .toPoint();
}

// A left-button drag through the handlers from pixel a to pixel b, wandering
// on the way.
void DragPx(MainWindow& w, QPoint a, QPoint b)
{
    const QPointF from = At(w, a), to = At(w, b);
    const auto f = [](double v) { return static_cast<float>(v); };
    Form(w).Picture1->MouseDown(1, 0, f(from.x()), f(from.y()));
    Form(w).Picture1->MouseMove(1, 0, f((from.x() + to.x()) / 2), f(to.y()));
    Form(w).Picture1->MouseMove(1, 0, f(to.x() + 300), f((from.y() + to.y()) / 2));
    Form(w).Picture1->MouseMove(1, 0, f(to.x()), f(to.y()));
    Form(w).Picture1->MouseUp(1, 0, f(to.x()), f(to.y()));
}

void RightClick(MainWindow& w)
{
    Form(w).Picture1->MouseDown(2, 0, 0, 0);
    Form(w).Picture1->MouseUp(2, 0, 0, 0);
}

// The outline leaves Picture1's line style dotted, so every repaint after the
// first selection draws the scene's outlines dotted. Tests that compare a
// repaint with an earlier picture start from that settled state.
void SettleLineStyle(MainWindow& w)
{
    DragPx(w, {10, 10}, {20, 20});
    RightClick(w);
}

QImage Clipboard() { return QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32); }

QImage Shown(const MainWindow& w) { return Form(w).Picture1->Image().copy(); }

// What a repaint shows now (the picture is left repainted).
QImage Repainted(MainWindow& w)
{
    Redraw(w);
    return Shown(w);
}

// Pixel for pixel, comparing the bits in `mask`; names the first difference.
::testing::AssertionResult SameImage(const QImage& want, const QImage& got, QRgb mask = 0xFFFFFF)
{
    if (want.size() != got.size())
        return ::testing::AssertionFailure() << "size wanted " << want.width() << "x" << want.height() << ", got "
                                             << got.width() << "x" << got.height();
    long differ = 0;
    std::string first;
    for (int y = 0; y < want.height(); ++y)
        for (int x = 0; x < want.width(); ++x)
            if ((want.pixel(x, y) & mask) != (got.pixel(x, y) & mask) && differ++ == 0)
                first = QStringLiteral("(%1,%2) wanted %3 got %4")
                            .arg(x)
                            .arg(y)
                            .arg(want.pixel(x, y) & mask, 8, 16, QLatin1Char('0'))
                            .arg(got.pixel(x, y) & mask, 8, 16, QLatin1Char('0'))
                            .toStdString();
    if (differ == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << differ << " pixels differ, first " << first;
}

// ---- the selected area on the clipboard -----------------------------------

struct DirectionRow {
    const char* name;
    bool fromRight, fromBottom;
};

class DragDirection : public ::testing::TestWithParam<DirectionRow> {};

TEST_P(DragDirection, CopiesTheSameAreaAsTopLeftToBottomRight)
{
    const DirectionRow& row = GetParam();
    const QRect r(PlanetPx(*Started()) - QPoint(60, 25), QSize(120, 50));
    auto first = Started();
    DragPx(*first, r.topLeft(), r.topLeft() + QPoint(r.width(), r.height()));
    Form(*first).Copysel->click();
    const QImage reference = Clipboard();
    ASSERT_EQ(reference.size(), r.size());

    auto w = Started();
    const int left = r.left(), right = r.left() + r.width(), top = r.top(), bottom = r.top() + r.height();
    const QPoint from(row.fromRight ? right : left, row.fromBottom ? bottom : top);
    const QPoint to(row.fromRight ? left : right, row.fromBottom ? top : bottom);
    DragPx(*w, from, to);
    EXPECT_EQ(w->State().view.selection.x1, At(*w, from).x()) << "corners stored as pressed and released";
    EXPECT_EQ(w->State().view.selection.y2, At(*w, to).y());
    Form(*w).Copysel->click();
    EXPECT_TRUE(SameImage(reference, Clipboard()));
}

INSTANTIATE_TEST_SUITE_P(View, DragDirection,
                         ::testing::Values(DirectionRow{"BottomRightToTopLeft", true, true},
                                           DirectionRow{"TopRightToBottomLeft", true, false},
                                           DirectionRow{"BottomLeftToTopRight", false, true}),
                         RowName<DirectionRow>);

struct SizeRow {
    const char* name;
    int width, height;  // pixels, about the planet's centre
};

class CopySize : public ::testing::TestWithParam<SizeRow> {};

TEST_P(CopySize, ClipboardHoldsTheOutlinedPixels)
{
    const SizeRow& row = GetParam();
    auto w = Started();
    const QPoint a = PlanetPx(*w) - QPoint(row.width / 2, row.height / 2);
    DragPx(*w, a, a + QPoint(row.width, row.height));
    const QImage shown = Shown(*w);
    Form(*w).Copysel->click();
    EXPECT_TRUE(SameImage(shown.copy(QRect(a, QSize(row.width, row.height))), Clipboard()));
}

INSTANTIATE_TEST_SUITE_P(View, CopySize,
                         ::testing::Values(SizeRow{"WideStrip", 200, 40}, SizeRow{"OnePixel", 1, 1},
                                           SizeRow{"TallAndNarrow", 2, 60}),
                         RowName<SizeRow>);

TEST(View, CopyAroundThePlanetCentreIsPlanetColouredInsideTheOutline)
{
    auto w = Started();
    const QPoint a = PlanetPx(*w) - QPoint(4, 3);
    DragPx(*w, a, a + QPoint(8, 6));
    Form(*w).Copysel->click();
    const QImage got = Clipboard();
    ASSERT_EQ(got.size(), QSize(8, 6));
    long outline = 0;
    for (int y = 0; y < got.height(); ++y)
        for (int x = 0; x < got.width(); ++x) {
            const QRgb p = got.pixel(x, y) & 0xFFFFFF;
            const bool edge = x == 0 || y == 0 || x == got.width() - 1 || y == got.height() - 1;
            if (edge && p == (~kPlanetRgb & 0xFFFFFF))
                ++outline;
            else
                EXPECT_EQ(p, kPlanetRgb) << "pixel (" << x << "," << y << ")";
        }
    EXPECT_GT(outline, 0) << "the outline on the area's edge is copied with the scene";
}

// ---- the outline -------------------------------------------------------------

struct BandRow {
    const char* name;
    QPoint anchor, corner;  // pixels of the visible area
    int plusTwips;          // added to the corner's x
};

class Outline : public ::testing::TestWithParam<BandRow> {};

TEST_P(Outline, ShowsInvertedPixelsAndDrawnTwiceLeavesThePictureUnchanged)
{
    const BandRow& row = GetParam();
    auto w = Started();
    const QPointF a = At(*w, row.anchor), b = At(*w, row.corner);
    const int32_t ax = static_cast<int32_t>(a.x()), ay = static_cast<int32_t>(a.y());
    const int32_t bx = static_cast<int32_t>(b.x()) + row.plusTwips, by = static_cast<int32_t>(b.y());
    const QImage before = Shown(*w);

    Band(*w, ax, ay, bx, by);
    const QImage drawn = Shown(*w);
    long changed = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if ((drawn.pixel(x, y) & 0xFFFFFF) != (before.pixel(x, y) & 0xFFFFFF)) {
                ++changed;
                EXPECT_EQ(drawn.pixel(x, y) & 0xFFFFFF, ~before.pixel(x, y) & 0xFFFFFF)
                    << "outline pixel (" << x << "," << y << ") is the inverse colour";
            }
    EXPECT_GT(changed, 0) << "the outline is visible";

    Band(*w, ax, ay, bx, by);
    EXPECT_TRUE(SameImage(before, Shown(*w), 0xFFFFFFFF));
}

INSTANTIATE_TEST_SUITE_P(View, Outline,
                         ::testing::Values(BandRow{"AcrossThePlanet", {300, 40}, {520, 160}, 0},
                                           BandRow{"CornersReversed", {520, 160}, {300, 40}, 0},
                                           BandRow{"OneUnitAtThePress", {100, 100}, {100, 100}, 1},
                                           BandRow{"FlatAlongThePressRow", {100, 30}, {300, 30}, 0},
                                           BandRow{"PastTheVisibleArea", {700, 150}, {900, 260}, 0}),
                         RowName<BandRow>);

TEST(View, DragLeavesOnlyTheOutlineAtThePointer)
{
    auto w = Started();
    SettleLineStyle(*w);
    const auto f = [](double v) { return static_cast<float>(v); };
    Form(*w).Picture1->MouseDown(1, 0, f(At(*w, {100, 30}).x()), f(At(*w, {100, 30}).y()));
    const long draws = w->State().draws;
    for (const QPoint p : {QPoint(300, 150), QPoint(50, 10), QPoint(420, 90), QPoint(410, 100)})
        Form(*w).Picture1->MouseMove(1, 0, f(At(*w, p).x()), f(At(*w, p).y()));
    EXPECT_EQ(w->State().draws, draws) << "moving the outline does not repaint the scene";
    EraseBand(*w);  // erase the outline at the pointer
    const QImage erased = Shown(*w);
    EXPECT_TRUE(SameImage(Repainted(*w), erased)) << "no trace of earlier outlines";
}

TEST(View, RightPressKeepsTheOutlineUntilTheRightRelease)
{
    auto w = Started();
    SettleLineStyle(*w);
    const QImage scene = Shown(*w);
    ASSERT_EQ(scene.pixel(PlanetPx(*w)) & 0xFFFFFF, kPlanetRgb) << "the repaint after an outline draws in copy mode";
    DragPx(*w, {200, 40}, {500, 150});
    const QImage outlined = Shown(*w);
    ASSERT_FALSE(SameImage(scene, outlined));
    const long draws = w->State().draws;

    Form(*w).Picture1->MouseDown(2, 0, 0, 0);
    EXPECT_EQ(w->State().view.selection.done, false);
    EXPECT_EQ(w->State().draws, draws);
    EXPECT_TRUE(SameImage(outlined, Shown(*w)));

    Form(*w).Picture1->MouseUp(2, 0, 0, 0);
    EXPECT_EQ(w->State().draws, draws + 1);
    EXPECT_TRUE(SameImage(scene, Shown(*w))) << "the repaint removes the outline";
}

// ---- arrow keys ------------------------------------------------------------------

struct KeyRow {
    const char* name;
    int16_t key;
    int dx, dy;
};

class ArrowKey : public ::testing::TestWithParam<KeyRow> {};

TEST_P(ArrowKey, MovesTheWholeFinishedSelectionAndRedrawsIt)
{
    const KeyRow& row = GetParam();
    auto w = Started();
    DragPx(*w, {200, 40}, {500, 150});
    const Selection s = w->State().view.selection;
    const long draws = w->State().draws;
    Form(*w).Picture1->KeyDown(row.key, 0);
    EXPECT_EQ(w->State().view.selection.x1 - s.x1, row.dx);
    EXPECT_EQ(w->State().view.selection.bandX - s.bandX, row.dx);
    EXPECT_EQ(w->State().view.selection.x2 - s.x2, row.dx);
    EXPECT_EQ(w->State().view.selection.y1 - s.y1, row.dy);
    EXPECT_EQ(w->State().view.selection.bandY - s.bandY, row.dy);
    EXPECT_EQ(w->State().view.selection.y2 - s.y2, row.dy);
    EXPECT_EQ(w->State().draws, draws + 1);
    EraseBand(*w);
    const QImage erased = Shown(*w);
    EXPECT_TRUE(SameImage(Repainted(*w), erased)) << "the outline shown is the one at the moved corners";
}

TEST_P(ArrowKey, WithoutAFinishedSelectionMovesTheCornersOnly)
{
    const KeyRow& row = GetParam();
    auto w = Started();
    const QPointF p = At(*w, {200, 40});
    Form(*w).Picture1->MouseDown(1, 0, static_cast<float>(p.x()), static_cast<float>(p.y()));
    const Selection s = w->State().view.selection;
    const QImage shown = Shown(*w);
    const long draws = w->State().draws;
    Form(*w).Picture1->KeyDown(row.key, 0);
    EXPECT_EQ(w->State().view.selection.x1 - s.x1, row.dx);
    EXPECT_EQ(w->State().view.selection.bandX - s.bandX, row.dx);
    EXPECT_EQ(w->State().view.selection.y1 - s.y1, row.dy);
    EXPECT_EQ(w->State().view.selection.bandY - s.bandY, row.dy);
    EXPECT_EQ(w->State().draws, draws);
    EXPECT_TRUE(SameImage(shown, Shown(*w)));
}

INSTANTIATE_TEST_SUITE_P(View, ArrowKey,
                         ::testing::Values(KeyRow{"Left", 37, -1, 0}, KeyRow{"Up", 38, 0, -1},
                                           KeyRow{"Right", 39, 1, 0}, KeyRow{"Down", 40, 0, 1},
                                           KeyRow{"LetterA", 65, 0, 0}),
                         RowName<KeyRow>);

TEST(View, NudgedSelectionCopiesTheOutlineWhereItWasMoved)
{
    auto w = Started();
    const QRect r(200, 40, 150, 60);
    DragPx(*w, r.topLeft(), r.topLeft() + QPoint(r.width(), r.height()));
    for (long i = 0; i < std::lround(Tpp()); ++i) {  // one pixel right and down
        Form(*w).Picture1->KeyDown(39, 0);
        Form(*w).Picture1->KeyDown(40, 0);
    }
    const QImage shown = Shown(*w);
    Form(*w).Copysel->click();
    EXPECT_TRUE(SameImage(shown.copy(r.translated(1, 1)), Clipboard()));
}

// ---- drag-pan ------------------------------------------------------------------------

TEST(View, TickingCheck1SetsTheSizingPointerAndUntickingRepaints)
{
    auto w = Started();
    DragPx(*w, {200, 40}, {500, 150});
    long draws = w->State().draws;
    Form(*w).Check1->setChecked(true);
    EXPECT_EQ(Form(*w).Picture1->cursor().shape(), Qt::SizeFDiagCursor);
    EXPECT_EQ(w->State().view.selection.done, false);
    EXPECT_EQ(w->State().draws, draws) << "ticking repaints nothing";

    DragPx(*w, {200, 40}, {500, 150});
    ASSERT_EQ(w->State().view.selection.done, true);
    draws = w->State().draws;
    Form(*w).Check1->setChecked(false);
    EXPECT_EQ(Form(*w).Picture1->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(w->State().view.selection.done, false);
    EXPECT_EQ(w->State().draws, draws + 1);
}

struct PanRow {
    const char* name;
    int dx, dy;  // pointer movement, twips
};

class DragPan : public ::testing::TestWithParam<PanRow> {};

TEST_P(DragPan, MovesTheViewAndAResizeKeepsIt)
{
    const PanRow& row = GetParam();
    auto w = Started();
    ASSERT_EQ(w->State().geometry.winScale, 1.0f);
    Form(*w).Check1->setChecked(true);
    const float left0 = Form(*w).Picture1->ScaleLeft(), top0 = Form(*w).Picture1->ScaleTop();
    const auto half = [](double twips) { return static_cast<int32_t>(std::lround(twips)) / 2; };
    const float x = std::round(left0) + 4500, y = std::round(top0) + 900;

    const long draws = w->State().draws;
    Form(*w).Picture1->MouseDown(1, 0, x, y);
    Form(*w).Picture1->MouseMove(1, 0, x + row.dx, y + row.dy);
    EXPECT_NEAR(Form(*w).Picture1->ScaleLeft(), left0 - row.dx / 1.2, 0.01);
    EXPECT_NEAR(Form(*w).Picture1->ScaleTop(), top0 - row.dy / 1.2, 0.01);
    EXPECT_EQ(Form(*w).Picture2->ScaleLeft(), Form(*w).Picture1->ScaleLeft()) << "the label strip follows sideways";
    EXPECT_EQ(Form(*w).Picture2->ScaleTop(), 0.0f) << "but not up or down";
    EXPECT_NEAR(w->State().view.viewCenterX, Form(*w).Picture1->ScaleLeft() + half(platform::Width(Form(*w).Picture1)), 1)
        << "the centre of the visible area";
    EXPECT_NEAR(w->State().view.viewCenterY, Form(*w).Picture1->ScaleTop() + half(platform::Height(Form(*w).Picture1)), 1);
    EXPECT_EQ(w->State().draws, draws + 2) << "the press and the pan step repaint";
    const QImage shown = Shown(*w);
    EXPECT_TRUE(SameImage(Repainted(*w), shown)) << "the scene seen from the new position, no outline";

    const int32_t cx = w->State().view.viewCenterX, cy = w->State().view.viewCenterY;
    platform::SetWidth(w.get(), 15720);
    Relayout(*w);
    ASSERT_FLOAT_EQ(w->State().geometry.winScale, 1.2f);
    EXPECT_EQ(w->State().view.viewCenterX, cx);
    EXPECT_EQ(w->State().view.viewCenterY, cy);
    EXPECT_NEAR(Form(*w).Picture1->ScaleLeft(), 1.2 * (cx - half(platform::Width(Form(*w).Picture1))) * 1.01, 0.5);
    EXPECT_NEAR(Form(*w).Picture1->ScaleTop(), 1.2 * (cy - half(platform::Height(Form(*w).Picture1))) * 0.99, 0.5);
}

INSTANTIATE_TEST_SUITE_P(View, DragPan,
                         ::testing::Values(PanRow{"Right", 1200, 0}, PanRow{"Left", -600, 0},
                                           PanRow{"Down", 0, 360}, PanRow{"UpAndLeft", -240, -480}),
                         RowName<PanRow>);

// ---- zoom, and what the copy takes -------------------------------------------

TEST(View, SelectionSurvivesAZoomAndIsCopiedAtTheCurrentScroll)
{
    auto w = Started();
    const QRect r(PlanetPx(*w) - QPoint(40, 20), QSize(80, 40));
    DragPx(*w, r.topLeft(), r.topLeft() + QPoint(r.width(), r.height()));
    const Selection s = w->State().view.selection;
    ASSERT_EQ(Shown(*w).pixel(r.center()) & 0xFFFFFF, kPlanetRgb) << "selected around the planet";

    Form(*w).Command2->click();  // to the wide view: the stored corners now lie elsewhere
    ASSERT_EQ(w->State().view.magnify, 1);
    EXPECT_EQ(w->State().view.selection.done, true);
    EXPECT_EQ(w->State().view.selection.x1, s.x1);
    EXPECT_EQ(w->State().view.selection.y2, s.y2);
    const QPoint now = QPointF((s.x1 - Form(*w).Picture1->ScaleLeft()) / Tpp(),
                               (s.y1 - Form(*w).Picture1->ScaleTop()) / Tpp()).toPoint();
    const QImage shown = Shown(*w);
    Form(*w).Copysel->click();
    EXPECT_TRUE(SameImage(shown.copy(QRect(now, r.size())), Clipboard()));
}

TEST(View, AfterCopyingASelectionTheNextCopyIsTheWholePicture)
{
    auto w = Started();
    DragPx(*w, {200, 40}, {500, 150});
    Form(*w).Copysel->click();
    EXPECT_EQ(Clipboard().size(), QSize(300, 110));
    EXPECT_EQ(w->State().view.selection.done, false);
    Form(*w).Copysel->click();
    EXPECT_TRUE(SameImage(Shown(*w), Clipboard()));
}

struct ThinRow {
    const char* name;
    int dx, dy;  // pixels
};

class ThinSelection : public ::testing::TestWithParam<ThinRow> {};

TEST_P(ThinSelection, CopiesTheWholePicture)
{
    const ThinRow& row = GetParam();
    auto w = Started();
    DragPx(*w, {300, 80}, {300 + row.dx, 80 + row.dy});
    ASSERT_EQ(w->State().view.selection.done, true);
    Form(*w).Copysel->click();
    EXPECT_TRUE(SameImage(Shown(*w), Clipboard()));
}

INSTANTIATE_TEST_SUITE_P(View, ThinSelection,
                         ::testing::Values(ThinRow{"ClickWithoutMovement", 0, 0}, ThinRow{"NoHeight", 120, 0},
                                           ThinRow{"NoWidth", 0, 50}),
                         RowName<ThinRow>);

struct ZoomRow {
    const char* name;
    int x, y;            // centre of the selection, pixels of the wide view
    bool fromBottomRight = false;  // dragged from the lower right corner to the upper left
};

class ZoomOnSelection : public ::testing::TestWithParam<ZoomRow> {
protected:
    // Zooms on a selection made in the wide view about the row's point; the
    // window is left zoomed.
    void SetUp() override
    {
        const ZoomRow& row = GetParam();
        w = Started();
        Form(*w).Command2->click();
        ASSERT_EQ(w->State().view.magnify, 1);
        const int32_t cxWide = w->State().geometry.centerX, cyWide = w->State().geometry.centerY;
        const QPoint topLeft(row.x - 40, row.y - 15), bottomRight(row.x + 40, row.y + 15);
        if (row.fromBottomRight)
            DragPx(*w, bottomRight, topLeft);
        else
            DragPx(*w, topLeft, bottomRight);
        const double selX = (w->State().view.selection.x1 + w->State().view.selection.x2) / 2.0;
        const double selY = (w->State().view.selection.y1 + w->State().view.selection.y2) / 2.0;
        Form(*w).Command2->click();
        ASSERT_EQ(w->State().view.magnify, 4);
        // The scene is drawn about Magnify times the reference centre, which
        // the taller zoomed picture moves down.
        shownX = w->State().view.magnify * (selX - cxWide + w->State().geometry.centerX) - Form(*w).Picture1->ScaleLeft();
        shownY = w->State().view.magnify * (selY - cyWide + w->State().geometry.centerY) - Form(*w).Picture1->ScaleTop();
        midX = platform::Width(Form(*w).Picture1) / 2;
        midY = platform::Height(Form(*w).Picture1) / 2;
    }
    std::unique_ptr<MainWindow> w;
    double shownX = 0, shownY = 0, midX = 0, midY = 0;  // twips of the visible area
};

TEST_P(ZoomOnSelection, ShowsTheSelectionCentre)
{
    EXPECT_TRUE(shownX > 0 && shownX < 2 * midX && shownY > 0 && shownY < 2 * midY)
        << "selection centre shown at (" << shownX << ", " << shownY << ") twips, visible area " << 2 * midX
        << " x " << 2 * midY;
}

TEST_P(ZoomOnSelection, BringsTheSelectionCentreToTheMiddle)
{
    EXPECT_LE(std::fabs(shownX - midX) / Tpp(), kFewPixels)
        << "selection centre shown at x " << shownX << " twips, middle " << midX;
    EXPECT_LE(std::fabs(shownY - midY) / Tpp(), kFewPixels)
        << "selection centre shown at y " << shownY << " twips, middle " << midY;
}

INSTANTIATE_TEST_SUITE_P(View, ZoomOnSelection,
                         ::testing::Values(ZoomRow{"LeftOfThePlanet", 200, 30}, ZoomRow{"RightOfThePlanet", 600, 45},
                                           ZoomRow{"BesideThePlanet", 450, 20},
                                           ZoomRow{"DraggedFromBottomRight", 600, 45, true}),
                         RowName<ZoomRow>);

struct CentreRow {
    const char* name;
    void (*prepare)(MainWindow&);  // in the wide view, before the zoom
};

class ZoomWithoutWideSelection : public ::testing::TestWithParam<CentreRow> {};

TEST_P(ZoomWithoutWideSelection, CentresTheReferenceCentre)
{
    auto plain = Started();  // back to the wide view and zoomed again, nothing selected
    Form(*plain).Command2->click();
    Form(*plain).Command2->click();

    auto w = Started();
    DragPx(*w, {100, 40}, {200, 90});  // made in the zoomed view
    Form(*w).Command2->click();
    GetParam().prepare(*w);
    Form(*w).Command2->click();
    EXPECT_FLOAT_EQ(Form(*w).Picture1->ScaleLeft(), Form(*plain).Picture1->ScaleLeft());
    EXPECT_FLOAT_EQ(Form(*w).Picture1->ScaleTop(), Form(*plain).Picture1->ScaleTop());
}

INSTANTIATE_TEST_SUITE_P(View, ZoomWithoutWideSelection,
                         ::testing::Values(CentreRow{"SelectionMadeZoomed", [](MainWindow&) {}},
                                           CentreRow{"WideSelectionClearedByRightClick",
                                                     [](MainWindow& w) {
                                                         DragPx(w, {100, 20}, {200, 50});
                                                         RightClick(w);
                                                     }},
                                           CentreRow{"WideSelectionAlreadyCopied",
                                                     [](MainWindow& w) {
                                                         DragPx(w, {100, 20}, {200, 50});
                                                         Form(w).Copysel->click();
                                                     }},
                                           CentreRow{"ClickWithoutMovement",
                                                     [](MainWindow& w) {
                                                         const QPointF at = At(w, {600, 45});
                                                         const float x = static_cast<float>(at.x());
                                                         const float y = static_cast<float>(at.y());
                                                         Form(w).Picture1->MouseDown(1, 0, x, y);
                                                         Form(w).Picture1->MouseUp(1, 0, x, y);
                                                     }},
                                           CentreRow{"AfterADragPan",
                                                     [](MainWindow& w) {
                                                         Form(w).Check1->setChecked(true);
                                                         DragPx(w, {600, 45}, {500, 20});
                                                     }},
                                           CentreRow{"WideSelectionUsedByAnEarlierZoom",
                                                     [](MainWindow& w) {
                                                         DragPx(w, {550, 20}, {650, 70});
                                                         Form(w).Command2->click();
                                                         Form(w).Command2->click();
                                                     }}),
                         RowName<CentreRow>);

// ---- real pointer and key events ------------------------------------------------

TEST(View, PointerEventsReachTheHandlersInLogicalTwips)
{
    auto w = Started();
    const QPoint a(120, 30), b(260, 95);
    const auto send = [&](QEvent::Type type, QPoint p, Qt::MouseButtons held) {
        QMouseEvent e(type, QPointF(p), Form(*w).Picture1->mapToGlobal(QPointF(p)), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(Form(*w).Picture1, &e);
    };
    send(QEvent::MouseButtonPress, a, Qt::LeftButton);
    send(QEvent::MouseMove, b, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, b, Qt::NoButton);
    const double left = Form(*w).Picture1->ScaleLeft(), top = Form(*w).Picture1->ScaleTop();
    EXPECT_EQ(w->State().view.selection.x1, std::lrint(left + a.x() * Tpp()));
    EXPECT_EQ(w->State().view.selection.y1, std::lrint(top + a.y() * Tpp()));
    EXPECT_EQ(w->State().view.selection.x2, std::lrint(left + b.x() * Tpp()));
    EXPECT_EQ(w->State().view.selection.y2, std::lrint(top + b.y() * Tpp()));
    ASSERT_EQ(w->State().view.selection.done, true);

    QKeyEvent key(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QApplication::sendEvent(Form(*w).Picture1, &key);
    EXPECT_EQ(w->State().view.selection.x2, std::lrint(left + b.x() * Tpp()) - 1);

    const QImage shown = Shown(*w);
    Form(*w).Copysel->click();
    EXPECT_TRUE(SameImage(shown.copy(QRect(a, b - QPoint(1, 1))), Clipboard()));
}

// A click whose release is already queued when the press arrives: the press's
// redraw runs the release first. The selection still ends finished, from the
// press point to the release point, and no outline follows the pointer after.
TEST(QuickClick, ReleaseHandledDuringThePressRedrawFinishesTheSelection)
{
    auto w = Started();
    const QPointF press(200, 40), release(260, 60);  // pixels of the visible area
    QMouseEvent up(QEvent::MouseButtonRelease, release, Form(*w).Picture1->mapToGlobal(release), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QCoreApplication::postEvent(Form(*w).Picture1, up.clone());
    const QPointF at = Form(*w).Picture1->ToLogical(press);
    Form(*w).Picture1->MouseDown(1, 0, static_cast<float>(at.x()), static_cast<float>(at.y()));

    const QPointF to = Form(*w).Picture1->ToLogical(release);
    EXPECT_EQ(w->State().view.selection.dragging, false);
    EXPECT_EQ(w->State().view.selection.done, true);
    EXPECT_EQ(w->State().view.selection.x1, veltrax::RoundToInt32(at.x()));
    EXPECT_EQ(w->State().view.selection.y1, veltrax::RoundToInt32(at.y()));
    EXPECT_EQ(w->State().view.selection.x2, veltrax::RoundToInt32(to.x()));
    EXPECT_EQ(w->State().view.selection.y2, veltrax::RoundToInt32(to.y()));

    const QImage before = Form(*w).Picture1->Image().copy();
    Form(*w).Picture1->MouseMove(0, 0, static_cast<float>(to.x() + 300), static_cast<float>(to.y() + 300));
    EXPECT_EQ(before, Form(*w).Picture1->Image()) << "an outline followed the pointer after the release";
}

}  // namespace
}  // namespace veltrax
