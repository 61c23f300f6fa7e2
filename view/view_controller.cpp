// SPDX-License-Identifier: GPL-3.0-or-later
#include "view/view_controller.h"

#include "engine/checked.h"
#include "platform/controls.h"
#include "platform/guard.h"
#include "platform/picture_box.h"
#include "platform/twips.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include <algorithm>
#include <cstdlib>

namespace veltrax {

namespace tw = platform;

namespace {

int32_t Round(double v)
{
    return RoundToInt32(v);
}

float F(double v)
{
    return static_cast<float>(v);
}

// The compass's words, as the orientations name them.
[[maybe_unused]] const char* const kCompassWords[] = {
    QT_TRANSLATE_NOOP("veltrax::ViewController", "北"), QT_TRANSLATE_NOOP("veltrax::ViewController", "南"),
    QT_TRANSLATE_NOOP("veltrax::ViewController", "東"), QT_TRANSLATE_NOOP("veltrax::ViewController", "西")};

// The design's window: 13100 twips wide at start-up; the wide view's picture
// height comes from the design's outer height.
constexpr float kStartWidth = 13100;
constexpr float kDesignOuterHeight = 5400;

// The satellites are drawn four times their true size, never below these.
constexpr int32_t kMinSatelliteSize[5] = {0, 17, 16, 22, 20};

}  // namespace

ViewController::ViewController(const ViewControls& controls, std::function<int()> frameHeightPx, QObject* parent)
    : QObject(parent), c_(controls), picture_(controls.sky, controls.labels), frameHeightPx_(std::move(frameHeightPx))
{
    using platform::Guarded;
    // The controls start as the state does: the telescope's view, no drag-pan.
    c_.inverted->setChecked(state_.inverted);
    c_.zoom->setText(ZoomCaption());
    ShowCompass();
    c_.dragPan->setChecked(state_.dragPan);
    connect(c_.magnification, &QSlider::valueChanged, this,
            [this](int v) { platform::Guard([&] { MagnificationChanged(v); }); });
    connect(c_.zoom, &QPushButton::clicked, this, Guarded([this] { ZoomClicked(); }));
    connect(c_.copy, &QPushButton::clicked, this, Guarded([this] { CopyClicked(); }));
    // The check box's handler runs also when the program changes it.
    connect(c_.dragPan, &QCheckBox::toggled, this, [this](bool on) { platform::Guard([&] { DragPanToggled(on); }); });
    // An orientation option's handler runs when it becomes selected (by the
    // user or the program) and when the user clicks the one already selected.
    for (QRadioButton* o : {c_.erect, c_.inverted}) {
        const bool inverted = o == c_.inverted;
        connect(o, &QRadioButton::toggled, this, [this, inverted](bool on) {
            if (on)
                platform::Guard([&] { OrientationChosen(inverted); });
        });
        connect(o, &QRadioButton::pressed, this, [o] { o->setProperty("wasChecked", o->isChecked()); });
        connect(o, &QRadioButton::clicked, this, Guarded([this, o, inverted] {
                    const bool again = o->property("wasChecked").toBool();
                    o->setProperty("wasChecked", false);
                    if (again)
                        OrientationChosen(inverted);
                }));
    }
    connect(c_.sky, &tw::PictureBox::MouseDown, this,
            [this](int b, int, float x, float y) { platform::Guard([&] { Pressed(b, x, y); }); });
    connect(c_.sky, &tw::PictureBox::MouseMove, this,
            [this](int b, int, float x, float y) { platform::Guard([&] { Moved(b, x, y); }); });
    connect(c_.sky, &tw::PictureBox::MouseUp, this,
            [this](int b, int, float x, float y) { platform::Guard([&] { Released(b, x, y); }); });
    connect(c_.sky, &tw::PictureBox::KeyDown, this, [this](int k, int) { platform::Guard([&] { KeyPressed(k); }); });
}

// ---- start-up ---------------------------------------------------------------------

void ViewController::StartSlider()
{
    c_.magnification->setMinimum(2);
    c_.magnification->setMaximum(6);
    c_.magnification->setValue(4);  // its handler shows the choice
    state_.magnify = 1;
    c_.sizeNote->SetCaption(tr("（大赤斑ＧＲＳや衛星はサイズを大きくしています。）"));
}

void ViewController::StartLayout()
{
    tw::SetWidth(c_.window, kStartWidth);
    geometry_.baseWidth = kStartWidth;
    geometry_.baseHeight = kDesignOuterHeight;
    geometry_.bodies = StartupBodyTables();
    for (int i = 0; i < 4; ++i)
        geometry_.moonRadius[i] = kMoonRadiusKm[i] / kJupiterEquatorialRadiusKm;
    state_.scaleLeft = 0;
    state_.scaleTop = 0;
    ApplyOrigin();
    Relayout();
    geometry_.centerX = Round(tw::Width(c_.sky)) / 2;
    geometry_.centerY = Round(tw::Height(c_.sky)) / 2;
    state_.selection.centerX = geometry_.centerX;
    state_.selection.centerY = geometry_.centerY;
    started_ = true;
}

void ViewController::FinishStartUp()
{
    tw::SetToolTipCaption(c_.zoom, ZoomToolTip());
    ShowToolTips();
    // Open magnified.
    state_.zoomed = false;
    ZoomClicked();
}

// ---- drawing ----------------------------------------------------------------------

void ViewController::Show(const PictureMoment& moment)
{
    moment_ = moment;
    Redraw();
}

void ViewController::Redraw()
{
    // Pending events run first; a recalculation made in them is drawn here.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    if (closed_ || !started_)
        return;
    const Scene scene = picture_.Paint(moment_, state_, geometry_);
    for (int i = 0; i < 5; ++i) {
        geometry_.bodyX[i] = scene.Body(i).x;
        geometry_.bodyY[i] = scene.Body(i).y;
    }
    geometry_.winScale = scene.WinScale;
    moment_.cm2 = scene.CM2;  // one turn taken off above 360, for later redraws too
    ++draws_;
    emit Drawn(scene);
}

void ViewController::Close()
{
    closed_ = true;
}

void ViewController::SetSwitches(const ViewSwitches& switches, bool redraw)
{
    state_.switches = switches;
    if (redraw && started_)
        Redraw();
    ShowCompass();
}

void ViewController::ShowCompass()
{
    const ViewOrientation view = state_.Orientation();
    c_.bottom->SetCaption(tr(view.top));
    c_.left->SetCaption(tr(view.left));
    c_.right->SetCaption(tr(view.right));
}

// ---- texts --------------------------------------------------------------------------

QString ViewController::ZoomCaption() const
{
    return state_.zoomed ? tr("広域") : tr("拡大");
}

// The zoom button's tool tip, with the magnification the next zoom uses.
QString ViewController::ZoomToolTip() const
{
    return tr("画面を選択してください。") + QChar(13) +
           tr("選択後、このボタンをクリックすると選択した領域の中心が画面の中心になるように約%1倍の大きさに拡大します。")
               .arg(state_.zoomChoice);
}

void ViewController::ShowToolTips()
{
    tw::SetToolTipCaption(c_.zoom, ZoomToolTip());
    tw::SetToolTipCaption(c_.dragPan, tr("ここにチェックを入れて画面をドラッグ（左クリックしたままマウスを動かす）"
                                         "すると画面を上下左右に移動できます。"));
    tw::SetToolTipCaption(c_.copy, tr("画面を選択しこのボタンをクリックすると選択した領域がクリップボードに"
                                      "転送（コピー）されます。何も選択しないと画面全てがコピーされます。"));
}

void ViewController::ShowTexts()
{
    c_.zoom->setText(ZoomCaption());
    ShowCompass();
    c_.magnificationLabel->SetCaption(tr("%1倍").arg(state_.zoomChoice));
    c_.sizeNote->SetCaption(tr("（大赤斑ＧＲＳや衛星はサイズを大きくしています。）"));
    ShowToolTips();
    ShowCompass();
}

void ViewController::ApplyOrigin()
{
    picture_.SetOrigin(state_.scaleLeft, state_.scaleTop);
}

void ViewController::UpdateViewCenter()
{
    const double winScale = geometry_.winScale;
    state_.viewCenterX = Round((static_cast<double>(state_.scaleLeft) + Round(tw::Width(c_.sky)) / 2) / winScale);
    state_.viewCenterY = Round((static_cast<double>(state_.scaleTop) + Round(tw::Height(c_.sky)) / 2) / winScale);
}

// ---- zoom -------------------------------------------------------------------------

void ViewController::MagnificationChanged(int choice)
{
    state_.zoomChoice = choice;
    c_.magnificationLabel->SetCaption(tr("%1倍").arg(state_.zoomChoice));
    tw::SetToolTipCaption(c_.zoom, ZoomToolTip());
}

void ViewController::ZoomClicked()
{
    Selection& sel = state_.selection;
    if (!state_.zoomed) {
        // The point brought to the middle: the centre of a finished selection
        // dragged in the wide view, otherwise the reference centre (the
        // planet). A selection steers one zoom only.
        const bool onSelection = sel.done && sel.steersZoom;
        sel.steersZoom = false;
        const int32_t wideCenterX = geometry_.centerX, wideCenterY = geometry_.centerY;
        if (onSelection) {
            sel.centerX = Add32(std::abs(Sub32(sel.x1, sel.x2)) / 2, std::min(sel.x1, sel.x2));
            sel.centerY = Add32(std::abs(Sub32(sel.y1, sel.y2)) / 2, std::min(sel.y1, sel.y2));
        } else {
            sel.centerX = geometry_.centerX;
            sel.centerY = geometry_.centerY;
        }
        state_.magnify = state_.zoomChoice;
        const int32_t magnify = state_.magnify;
        state_.scaleLeft = F(Sub32(Mul32(magnify, sel.centerX), geometry_.centerX));
        const int32_t H = Round(tw::Height(c_.sky));
        state_.scaleTop = F(magnify * 1.17 * Add32(H / 5, 680) + Sub32(Mul32(magnify, sel.centerY), geometry_.centerY));
        const double winScale = geometry_.winScale;
        state_.scaleLeft = F(state_.scaleLeft + (winScale - 1) * Mul32(state_.zoomChoice, 80));
        state_.scaleTop = F(state_.scaleTop + (winScale - 1) * Mul32(state_.zoomChoice, 20));
        ApplyOrigin();
        state_.zoomed = true;
        c_.zoom->setText(ZoomCaption());
        UpdateViewCenter();
        Relayout();
        if (onSelection) {
            // The layout pass scales the whole offset (by 1.01 across, 0.99
            // down), which moves a point far from the planet off the middle:
            // bring the selection's centre, as the magnified scene draws it,
            // exactly to the middle of the visible area.
            const double tx = static_cast<double>(magnify) * (geometry_.centerX + (sel.centerX - wideCenterX));
            const double ty = static_cast<double>(magnify) * (geometry_.centerY + (sel.centerY - wideCenterY));
            const int32_t halfW = Round(tw::Width(c_.sky)) / 2;
            const int32_t halfH = Round(tw::Height(c_.sky)) / 2;
            state_.scaleLeft = F(tx - halfW);
            state_.scaleTop = F(ty - halfH);
            ApplyOrigin();
            state_.viewCenterX = Round((static_cast<double>(state_.scaleLeft) + halfW) / static_cast<double>(geometry_.winScale));
            state_.viewCenterY = Round((static_cast<double>(state_.scaleTop) + halfH) / static_cast<double>(geometry_.winScale));
        }
        Redraw();
    } else {
        state_.magnify = 1;
        state_.scaleLeft = 0;
        state_.scaleTop = 0;
        ApplyOrigin();
        tw::SetWidth(c_.sky, geometry_.baseWidth);
        tw::SetHeight(c_.sky, geometry_.baseHeight);
        sel.centerX = 0;
        sel.centerY = 0;
        sel.steersZoom = false;  // the repaint below erases its outline
        state_.zoomed = false;
        c_.zoom->setText(ZoomCaption());
        state_.viewCenterX = 0;
        state_.viewCenterY = 0;
        Relayout();
        Redraw();
    }
}

// ---- the layout pass ----------------------------------------------------------------

void ViewController::SetWindowHeight(double twips)
{
    // The height given includes the title bar and frame; the user sets the
    // width only, so the height is held where the pass puts it.
    const double client = twips - layoutFramePx_ * tw::TwipsPerPixel();
    if (twips < 0 || client < 0)
        throw Fault("invalid property value: negative size");
    const int px = tw::TwipsToPixels(client);
    c_.window->setMinimumHeight(px);
    c_.window->setMaximumHeight(px);
    tw::SetHeight(c_.window, client);
}

double ViewController::OuterHeight() const
{
    return tw::Height(c_.window) + layoutFramePx_ * tw::TwipsPerPixel();
}

bool ViewController::FrameChanged() const
{
    return frameHeightPx_() != layoutFramePx_;
}

void ViewController::Relayout()
{
    if (geometry_.baseHeight == 0 || closed_)
        return;
    // Each statement on its own: a failing one is skipped and the pass goes on.
    const auto step = [](auto&& s) { platform::Guard(s); };
    ViewGeometry& g = geometry_;
    QWidget* window = c_.window;
    auto* sky = c_.sky;
    auto* strip = c_.labels;

    step([&] { layoutFramePx_ = std::max(frameHeightPx_(), 0); });
    step([&] {
        g.formWidthNow = F(tw::Width(window));
        g.winScale = g.formWidthNow / 13100;
        if (g.winScale == 0)
            g.winScale = 1;
    });
    double m = 1;
    step([&] { m = state_.magnify >= 2 ? 1.4 : 1; });
    step([&] { SetWindowHeight(F((static_cast<double>(g.baseHeight) * g.winScale * 0.4 + 2960) * m)); });
    step([&] { tw::SetWidth(sky, F(tw::Width(window) - 1000)); });
    step([&] { tw::SetLeft(sky, 370); });
    step([&] { tw::SetHeight(strip, 260); });
    step([&] { tw::SetHeight(sky, F(OuterHeight() - tw::Height(strip) - 3800)); });
    step([&] { tw::SetWidth(strip, tw::Width(sky)); });
    step([&] { tw::SetLeft(strip, tw::Left(sky)); });
    step([&] { tw::SetTop(strip, F(tw::Top(sky) + tw::Height(sky))); });

    if (state_.zoomed) {
        step([&] {
            const int32_t half = Round(tw::Width(sky)) / 2;
            state_.scaleLeft = F(static_cast<double>(g.winScale) * Sub32(state_.viewCenterX, half) * 1.01);
            ApplyOrigin();
        });
        step([&] {
            const int32_t half = Round(tw::Height(sky)) / 2;
            state_.scaleTop = F(static_cast<double>(g.winScale) * Sub32(state_.viewCenterY, half) * 0.99);
            ApplyOrigin();
        });
    }

    // Drawn sizes: the satellites four times their true size, never below
    // their start-up sizes.
    for (int i = 1; i <= 4; ++i)
        step([&] { g.bodies.BodySize[i] = Round(g.moonRadius[i - 1] * 190 * g.winScale * state_.magnify * 4); });
    step([&] { g.bodies.BodySize[0] = Round(static_cast<double>(g.winScale) * 190 * state_.magnify); });
    for (int i = 1; i <= 4; ++i)
        if (g.bodies.BodySize[i] < kMinSatelliteSize[i])
            g.bodies.BodySize[i] = kMinSatelliteSize[i];

    step([&] { g.centerX = Round(tw::Width(sky)) / 2 - 20; });
    step([&] { g.centerY = Round(tw::Height(sky)) / 2 - 20; });

    // The compass, the orientation options, the size note and the two
    // buttons that follow the picture's right edge.
    auto* bottom = c_.bottom;
    auto* left = c_.left;
    auto* right = c_.right;
    const auto centred = [&](const QWidget* l) {
        return tw::Left(sky) + Round(tw::Width(sky)) / 2 - Round(tw::Width(l)) / 2 + 20;
    };
    step([&] { tw::SetTop(left, F(tw::Top(sky) + Round(tw::Height(sky)) / 2 - Round(tw::Height(left)) / 2)); });
    step([&] { tw::SetTop(right, tw::Top(left)); });
    step([&] { tw::SetTop(bottom, F(tw::Top(strip) + tw::Height(strip))); });
    step([&] { tw::SetTop(c_.sizeNote, F(tw::Top(strip) + tw::Height(strip) + 100)); });
    step([&] { tw::SetTop(c_.erect, tw::Top(bottom)); });
    step([&] { tw::SetTop(c_.inverted, tw::Top(bottom)); });
    step([&] { tw::SetLeft(left, F(tw::Left(sky) - 280)); });
    step([&] { tw::SetLeft(right, F(tw::Left(sky) + tw::Width(sky) + 60)); });
    step([&] { tw::SetLeft(bottom, F(centred(bottom))); });
    step([&] { tw::SetLeft(c_.sizeNote, F(centred(bottom) + 2000)); });
    step([&] { tw::SetLeft(c_.exit, F(tw::Width(sky) - tw::Width(c_.exit) + 300)); });
    step([&] { tw::SetLeft(c_.copy, F(tw::Width(sky) - tw::Width(c_.copy) + 300)); });

    step([&] { Redraw(); });
}

// ---- orientation ----------------------------------------------------------------------

void ViewController::OrientationChosen(bool inverted)
{
    state_.inverted = inverted;
    Redraw();
    // The compass follows the same orientation as the scene.
    ShowCompass();
}

// ---- selection, drag-pan and keys -------------------------------------------------------

void ViewController::DrawBand(int32_t px, int32_t py)
{
    picture_.DrawBand(state_.selection.x1, state_.selection.y1, px, py);
}

void ViewController::Pressed(int button, float x, float y)
{
    Selection& sel = state_.selection;
    sel.lastMouseX = Round(x);
    sel.lastMouseY = Round(y);
    if (button == 1) {
        const long releasesBefore = leftReleases_;
        Redraw();
        sel.x1 = Round(x);
        sel.y1 = Round(y);
        sel.bandX = Round(static_cast<double>(x) + 1);
        sel.bandY = Round(y);
        DrawBand(sel.bandX, sel.bandY);
        sel.dragging = true;
        // A quick click can be released while the redraw above lets events
        // run: that release found no anchor yet, so it is taken again now, or
        // the outline would go on following a pointer whose button is up.
        if (leftReleases_ != releasesBefore)
            Released(1, lastReleaseX_, lastReleaseY_);
    } else if (button == 2) {
        sel.done = false;
    }
}

void ViewController::Moved(int button, float x, float y)
{
    Selection& sel = state_.selection;
    if (button == 1 && state_.dragPan) {
        state_.scaleLeft = F(state_.scaleLeft - (x - static_cast<double>(sel.lastMouseX)) / 1.2);
        state_.scaleTop = F(state_.scaleTop - (y - static_cast<double>(sel.lastMouseY)) / 1.2);
        ApplyOrigin();
        sel.lastMouseX = Round(x);
        sel.lastMouseY = Round(y);
        Redraw();
        UpdateViewCenter();
        return;
    }
    if (sel.dragging) {
        DrawBand(sel.bandX, sel.bandY);
        DrawBand(Round(x), Round(y));
        sel.bandX = Round(x);
        sel.bandY = Round(y);
    }
}

void ViewController::Released(int button, float x, float y)
{
    Selection& sel = state_.selection;
    if (button == 1) {
        ++leftReleases_;
        lastReleaseX_ = x;
        lastReleaseY_ = y;
        sel.x2 = Round(x);
        sel.y2 = Round(y);
        sel.done = true;
        sel.dragging = false;
        sel.centerX = Add32(std::abs(Sub32(sel.x1, sel.x2)) / 2, std::min(sel.x1, sel.x2));
        sel.centerY = Add32(std::abs(Sub32(sel.y1, sel.y2)) / 2, std::min(sel.y1, sel.y2));
        // A click without movement or the release of a drag-pan is no area
        // to zoom on; the copy keeps its own rule for such a selection.
        sel.steersZoom = state_.magnify == 1 && !state_.dragPan && sel.x1 != sel.x2 && sel.y1 != sel.y2;
    } else if (button == 2) {
        sel.done = false;
        Redraw();
    }
}

void ViewController::KeyPressed(int keyCode)
{
    // The arrow keys nudge the outline; the release corner moves with the
    // anchor, so the copy takes the outline the user sees.
    Selection& sel = state_.selection;
    int32_t dx = 0, dy = 0;
    switch (keyCode) {
    case 37: dx = -1; break;
    case 38: dy = -1; break;
    case 39: dx = 1; break;
    case 40: dy = 1; break;
    default: break;
    }
    if (dx || dy) {
        const int32_t x1 = Add32(sel.x1, dx), bx = Add32(sel.bandX, dx), x2 = Add32(sel.x2, dx);
        const int32_t y1 = Add32(sel.y1, dy), by = Add32(sel.bandY, dy), y2 = Add32(sel.y2, dy);
        sel.x1 = x1;
        sel.bandX = bx;
        sel.x2 = x2;
        sel.y1 = y1;
        sel.bandY = by;
        sel.y2 = y2;
    }
    if (sel.done) {
        Redraw();
        DrawBand(sel.bandX, sel.bandY);
    }
}

void ViewController::DragPanToggled(bool on)
{
    state_.dragPan = on;
    if (!state_.dragPan) {
        c_.sky->unsetCursor();
        Redraw();
    } else {
        c_.sky->setCursor(Qt::SizeFDiagCursor);
    }
    state_.selection.done = false;
}

// ---- the clipboard ------------------------------------------------------------------------

void ViewController::CopyClicked()
{
    const Selection& sel = state_.selection;
    // The selection's corners normalised, from the visible area's corner.
    const float left = F(std::min(sel.x1, sel.x2) - static_cast<double>(c_.sky->ScaleLeft()));
    const float top = F(std::min(sel.y1, sel.y2) - static_cast<double>(c_.sky->ScaleTop()));
    const int32_t w = Sub32(sel.x2, sel.x1);
    const int32_t h = Sub32(sel.y2, sel.y1);
    if (w == INT32_MIN || h == INT32_MIN)
        throw Fault("integer overflow");
    const float width = F(std::abs(w)), height = F(std::abs(h));
    QClipboard* clip = QGuiApplication::clipboard();
    // A selection without width or height (a click) copies the whole picture.
    if (sel.done && width > 0 && height > 0) {
        c_.copyCanvas->SetImage(c_.sky->CopyRect(left, top, width, height));
        clip->clear();
        clip->setImage(c_.copyCanvas->Image());
        state_.selection.done = false;
    } else {
        clip->clear();
        clip->setImage(c_.sky->Image());
    }
}

}  // namespace veltrax
