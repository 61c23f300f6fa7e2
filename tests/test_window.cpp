// SPDX-License-Identifier: GPL-3.0-or-later
// The window on the real widgets (offscreen): controls, start-up, the
// recalculation wiring, the painted scene, the layout pass, zoom, orientation
// and closing.
#include "platform/twips.h"
#include "support/window_fixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

namespace veltrax {
namespace {

using namespace testing;  // the window's controls by their names

namespace tw = platform;
using testing::ClockAt;
using testing::StartedWindow;

// Table rows print as their names.
#define PRINTS_AS_NAME(Row) \
    [[maybe_unused]] void PrintTo(const Row& r, std::ostream* os) { *os << r.name; }

const char kGothic[] = "ＭＳ ゴシック";
const char kPGothic[] = "ＭＳ Ｐゴシック";
const char kMincho[] = "ＭＳ 明朝";

std::unique_ptr<MainWindow> At(int y, int mo, int d, int h, int mi, int s)
{
    return StartedWindow(ClockAt(y, mo, d, h, mi, s));
}

std::unique_ptr<MainWindow> Started()
{
    return At(2026, 12, 7, 9, 5, 47);
}

QWidget* Named(MainWindow& w, const char* name)
{
    return w.findChild<QWidget*>(QString::fromLatin1(name));
}

// The text a control shows: a label's caption, a button's text, a frame's title.
QString CaptionOf(const QWidget* c)
{
    if (auto* l = qobject_cast<const platform::CaptionLabel*>(c))
        return l->Caption();
    if (auto* b = qobject_cast<const QAbstractButton*>(c))
        return b->text();
    if (auto* g = qobject_cast<const QGroupBox*>(c))
        return g->title();
    return QStringLiteral("<no caption>");
}

// The colour of the image pixel under a logical point (twips) of a surface.
QColor PixelAt(const platform::PictureBox* p, double x, double y)
{
    const QPointF at = p->ToPixels(static_cast<float>(x), static_cast<float>(y));
    const QImage& im = p->Image();
    const double dpr = im.devicePixelRatio();
    const QPoint px(static_cast<int>(std::floor(at.x() * dpr)), static_cast<int>(std::floor(at.y() * dpr)));
    if (!im.rect().contains(px))
        return QColor();
    return im.pixelColor(px);
}

std::string Rgb(const QColor& c)
{
    if (!c.isValid())
        return "outside the image";
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue());
}

const std::string kPlanetRgb = "255,190,79";
const std::string kBeltRgb = "128,0,0";
const std::string kSpotRgb = "255,0,0";

// ---- controls -----------------------------------------------------------------

TEST(WindowControls, EachControlOfTheFormHasItsNameOnce)
{
    auto w = Started();
    const char* const names[] = {"Nen",      "tuki",      "Hi",       "Jikoku",   "Hun",      "Byo",      "VSmon",
                                 "VSday",    "VSh",       "VSmin",    "VSsec",    "tday",     "RTime",    "Command1",
                                 "Frame1",   "Option2",   "Option3",  "Slider1",  "Command2", "Check1",   "Option1_0",
                                 "Option1_1", "Copysel",  "Cexit",    "Picture1", "Picture2", "Picdest",  "title1",
                                 "Label10",  "Label9",    "result",   "Taikei",   "Label7",   "Label1",   "Label2_0",
                                 "Label2_1", "Label2_2",  "Label2_3", "Label3",   "Label4",   "Label5",   "Label6",
                                 "Timer1"};
    std::set<const QObject*> controls;
    for (const char* name : names) {
        EXPECT_EQ(w->findChildren<QObject*>(QString::fromLatin1(name)).size(), 1) << name;
        controls.insert(w->findChild<QObject*>(QString::fromLatin1(name)));
    }
    EXPECT_EQ(controls.size(), std::size(names));
    EXPECT_EQ(w->windowTitle().toStdString(), "Veltrax");

    // Each field is named by its unit label.
    const std::pair<QLabel*, QWidget*> buddies[] = {{Form(*w).Label1, Form(*w).Nen},     {Form(*w).Label2[0], Form(*w).tuki},
                                                    {Form(*w).Label3, Form(*w).Hi},      {Form(*w).Label2[1], Form(*w).Jikoku},
                                                    {Form(*w).Label2[2], Form(*w).Hun},  {Form(*w).Label2[3], Form(*w).Byo}};
    for (const auto& [label, field] : buddies)
        EXPECT_EQ(label->buddy(), field) << label->objectName().toStdString();
}

struct CaptionRow {
    const char* name;
    const char* caption;
};
PRINTS_AS_NAME(CaptionRow)

class WindowCaptions : public ::testing::TestWithParam<CaptionRow> {};

TEST_P(WindowCaptions, AfterStartUp)
{
    auto w = Started();
    const QWidget* c = Named(*w, GetParam().name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(CaptionOf(c).toStdString(), GetParam().caption);
}

INSTANTIATE_TEST_SUITE_P(
    Window, WindowCaptions,
    ::testing::Values(
        CaptionRow{"tday", "今日の日付"}, CaptionRow{"RTime", "実時間運転"}, CaptionRow{"Command1", "ｱﾆﾒｰｼｮﾝ"},
        CaptionRow{"Frame1", "アニメーション速度"}, CaptionRow{"Option2", "低速"}, CaptionRow{"Option3", "高速"},
        CaptionRow{"Command2", "広域"}, CaptionRow{"Check1", "画面移動"},
        CaptionRow{"Option1_0", "双眼鏡（正立像）"}, CaptionRow{"Option1_1", "天体望遠鏡（倒立像）"},
        CaptionRow{"Copysel", "選択領域をｺﾋﾟｰ"}, CaptionRow{"Cexit", "終了"},
        CaptionRow{"Label7", "I：イオ(Io)   II：エウロパ(europa)   III：ガニメデ(Ganymede)   IV：カリスト(Callisto)"},
        CaptionRow{"Label1", "年"}, CaptionRow{"Label2_0", "月"}, CaptionRow{"Label2_1", "時"},
        CaptionRow{"Label2_2", "分"}, CaptionRow{"Label2_3", "秒"}, CaptionRow{"Label3", "日"},
        CaptionRow{"Label4", "北"}, CaptionRow{"Label5", "西"}, CaptionRow{"Label6", "東"},
        CaptionRow{"Label9", "4倍"}, CaptionRow{"Label10", "（大赤斑ＧＲＳや衛星はサイズを大きくしています。）"},
        CaptionRow{"title1", "木星の中央経度を計算、４大衛星の位置を表示します\r日時（日本標準時、２４時間制）を入力して下さい"}),
    [](const auto& i) { return std::string(i.param.name); });

struct FontRow {
    const char* name;
    const char* family;
    double points;
};
PRINTS_AS_NAME(FontRow)

class WindowFonts : public ::testing::TestWithParam<FontRow> {};

TEST_P(WindowFonts, FamilyAndSize)
{
    auto w = Started();
    const QWidget* c = std::string(GetParam().name) == "Form" ? w.get() : Named(*w, GetParam().name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->font().family().toStdString(), GetParam().family);
    EXPECT_DOUBLE_EQ(c->font().pointSizeF(), GetParam().points);
}

INSTANTIATE_TEST_SUITE_P(
    Window, WindowFonts,
    ::testing::Values(FontRow{"Form", kPGothic, 9.75}, FontRow{"tday", kPGothic, 9.75},
                      FontRow{"title1", kPGothic, 11.25}, FontRow{"result", kGothic, 12},
                      FontRow{"Taikei", kGothic, 12}, FontRow{"Cexit", kPGothic, 12}, FontRow{"Nen", kGothic, 14.25},
                      FontRow{"Byo", kGothic, 14.25}, FontRow{"Label1", kGothic, 12},
                      FontRow{"Label2_3", kGothic, 11.25}, FontRow{"Label3", kGothic, 11.25},
                      FontRow{"Picture1", kMincho, 9.75}, FontRow{"Picture2", kMincho, 9.75},
                      FontRow{"Label5", kPGothic, 12}),
    [](const auto& i) { return std::string(i.param.name); });

struct PlaceRow {
    const char* name;
    double left, top, width, height;  // width and height < 0: grown to its caption, not checked
};
PRINTS_AS_NAME(PlaceRow)

class WindowDesignPlaces : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(WindowDesignPlaces, KeptByStartUpAndTheLayoutPass)
{
    auto w = Started();
    const PlaceRow& r = GetParam();
    const QWidget* c = Named(*w, r.name);
    ASSERT_NE(c, nullptr);
    EXPECT_DOUBLE_EQ(tw::Left(c), r.left);
    EXPECT_DOUBLE_EQ(tw::Top(c), r.top);
    if (r.width >= 0) {
        EXPECT_DOUBLE_EQ(tw::Width(c), r.width);
        EXPECT_DOUBLE_EQ(tw::Height(c), r.height);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Window, WindowDesignPlaces,
    ::testing::Values(
        PlaceRow{"title1", 120, 120, -1, -1}, PlaceRow{"Picdest", 4080, 120, 615, 495},
        PlaceRow{"result", 5640, 120, -1, -1}, PlaceRow{"Nen", 360, 840, 735, 375},
        PlaceRow{"Label1", 1155, 945, 255, 225}, PlaceRow{"tuki", 1560, 840, 495, 375},
        PlaceRow{"VSmon", 2040, 840, 200, 370}, PlaceRow{"Label2_0", 2280, 945, 240, 255},
        PlaceRow{"Hi", 2580, 840, 495, 375}, PlaceRow{"VSday", 3080, 840, 200, 370},
        PlaceRow{"Label3", 3315, 945, 210, 270}, PlaceRow{"tday", 3660, 840, 1155, 375},
        PlaceRow{"Taikei", 5520, 840, -1, -1}, PlaceRow{"Jikoku", 440, 1320, 495, 375},
        PlaceRow{"VSh", 920, 1320, 200, 370}, PlaceRow{"Label2_1", 1170, 1380, 255, 255},
        PlaceRow{"Hun", 1560, 1320, 495, 375}, PlaceRow{"VSmin", 2040, 1320, 200, 370},
        PlaceRow{"Label2_2", 2280, 1380, 255, 255}, PlaceRow{"Byo", 2580, 1320, 495, 375},
        PlaceRow{"VSsec", 3080, 1320, 200, 370}, PlaceRow{"Label2_3", 3315, 1380, 255, 255},
        PlaceRow{"Frame1", 2880, 1800, 2895, 615}, PlaceRow{"Option2", 360, 240, 1095, 255},
        PlaceRow{"Option3", 1680, 240, 975, 255}, PlaceRow{"Command1", 1920, 1920, 940, 480},
        PlaceRow{"Command2", 7320, 1920, 705, 360}, PlaceRow{"RTime", 360, 2040, 1335, 255},
        PlaceRow{"Check1", 8040, 2040, 1215, 200}, PlaceRow{"Slider1", 7080, 2280, 1455, 375},
        PlaceRow{"Label7", 360, 2520, -1, -1}, PlaceRow{"Label9", 8880, 2520, -1, -1}),
    [](const auto& i) { return std::string(i.param.name); });

// ---- start-up -------------------------------------------------------------------

TEST(WindowStartUp, EndState)
{
    auto w = Started();  // 2026-12-07 09:05:47
    const FieldTexts f = FieldsOf(*w);
    EXPECT_EQ(f.Nen, "2026");
    EXPECT_EQ(f.tuki, "12");
    EXPECT_EQ(f.Hi, "7");
    EXPECT_EQ(f.Jikoku, "9");
    EXPECT_EQ(f.Hun, "5");
    EXPECT_EQ(f.Byo, "0");
    EXPECT_EQ(Form(*w).VSmon->Value(), 12);
    EXPECT_EQ(Form(*w).VSday->Value(), 7);
    EXPECT_EQ(Form(*w).VSh->Value(), 9);
    EXPECT_EQ(Form(*w).VSmin->Value(), 5);
    EXPECT_EQ(Form(*w).VSsec->Value(), 0);

    EXPECT_EQ(Form(*w).Slider1->minimum(), 2);
    EXPECT_EQ(Form(*w).Slider1->maximum(), 6);
    EXPECT_EQ(Form(*w).Slider1->value(), 4);
    EXPECT_EQ(w->State().view.zoomChoice, 4);
    EXPECT_EQ(w->State().view.magnify, 4);
    EXPECT_EQ(w->State().view.zoomed, true);
    EXPECT_EQ(w->State().animating, false);
    EXPECT_FALSE(Form(*w).RTime->isChecked());
    EXPECT_FALSE(Form(*w).Timer1->isActive());
    EXPECT_EQ(Form(*w).Timer1->interval(), 990);
    EXPECT_TRUE(Form(*w).Option2->isChecked());
    EXPECT_FALSE(Form(*w).Option3->isChecked());
    EXPECT_TRUE(Form(*w).Option1[1]->isChecked());
    EXPECT_FALSE(Form(*w).Check1->isChecked());
    // the caption's carriage return shows as a line break
    EXPECT_TRUE(Form(*w).title1->text().contains(QLatin1Char('\n')));
    EXPECT_FALSE(Form(*w).title1->text().contains(QLatin1Char('\r')));

    EXPECT_EQ(platform::ToolTipCaption(Form(*w).Command2).toStdString(),
              "画面を選択してください。\r選択後、このボタンをクリックすると選択した領域の中心が画面の中心になるように約4"
              "倍の大きさに拡大します。");
    EXPECT_EQ(platform::ToolTipCaption(Form(*w).Check1).toStdString(),
              "ここにチェックを入れて画面をドラッグ（左クリックしたままマウスを動かす）すると画面を上下左右に移動でき"
              "ます。");
    EXPECT_EQ(platform::ToolTipCaption(Form(*w).Copysel).toStdString(),
              "画面を選択しこのボタンをクリックすると選択した領域がクリップボードに転送（コピー）されます。何も選択しない"
              "と画面全てがコピーされます。");

    EXPECT_GT(w->State().draws, 0);
}

struct FebruaryRow {
    const char* name;
    int year, month, day;
    int32_t wantFebruary;
};
PRINTS_AS_NAME(FebruaryRow)

class WindowMonthDays : public ::testing::TestWithParam<FebruaryRow> {};

TEST_P(WindowMonthDays, FebruaryFollowsTheStartYear)
{
    const FebruaryRow& r = GetParam();
    auto w = At(r.year, r.month, r.day, 21, 30, 0);
    const MonthTable want = {31, r.wantFebruary, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    EXPECT_EQ(w->State().monthDays, want);
    EXPECT_EQ(FieldsOf(*w).Nen, std::to_string(r.year));
}

INSTANTIATE_TEST_SUITE_P(Window, WindowMonthDays,
                         ::testing::Values(FebruaryRow{"Common2026", 2026, 12, 7, 28},
                                           FebruaryRow{"Leap2024", 2024, 2, 29, 29},
                                           FebruaryRow{"Century2100", 2100, 3, 1, 28},
                                           FebruaryRow{"FourCenturies2000", 2000, 1, 31, 29}),
                         [](const auto& i) { return std::string(i.param.name); });

// ---- the recalculation in the window ----------------------------------------------

TEST(WindowRecalc, LabelsAndStoredValuesAreTheResultsOfTheFields)
{
    auto w = Started();
    const RecalcOutcome o = Recalculate(FieldsOf(*w), w->State().monthDays, GrsTable::Standard());
    ASSERT_TRUE(o.ok());
    const Results& r = *o.results;
    ASSERT_LT(r.CM2, 360);  // not reduced by the drawing
    EXPECT_EQ(Form(*w).result->Caption().toStdString(), r.result);
    EXPECT_EQ(Form(*w).Taikei->Caption().toStdString(), r.Taikei);
    EXPECT_EQ(w->State().results.CurrentJDE, r.CurrentJDE);
    EXPECT_EQ(w->State().results.CM1, r.CM1);
    EXPECT_EQ(w->State().picture.cm2, r.CM2);
    EXPECT_EQ(w->State().results.CM3, r.CM3);
    EXPECT_EQ(w->State().results.GrsLongitude, r.GrsLongitude);
    EXPECT_EQ(w->State().results.JupArgJ, r.JupArgJ);
    EXPECT_EQ(w->State().results.PhaseCorr, r.PhaseCorr);
}

TEST(WindowRecalc, EndedCycleChangesNothingACompletedOneRedrawsOnce)
{
    auto w = Started();
    const std::string before = Form(*w).result->Caption().toStdString();
    const double jde = w->State().results.CurrentJDE;
    const long recalcs = w->State().recalculations, draws = w->State().draws;

    for (const char* bad : {"60", "abc", ""}) {
        Form(*w).Hun->blockSignals(true);  // the field as it stands, without its own handler
        Form(*w).Hun->setText(QString::fromLatin1(bad));
        Form(*w).Hun->blockSignals(false);
        w->Recalc();
        EXPECT_EQ(w->State().recalculations, recalcs) << "minute '" << bad << "'";
        EXPECT_EQ(w->State().draws, draws) << "minute '" << bad << "'";
        EXPECT_EQ(Form(*w).result->Caption().toStdString(), before) << "minute '" << bad << "'";
        EXPECT_EQ(w->State().results.CurrentJDE, jde) << "minute '" << bad << "'";
    }

    Form(*w).Hun->blockSignals(true);
    Form(*w).Hun->setText(QStringLiteral("6"));
    Form(*w).Hun->blockSignals(false);
    w->Recalc();
    EXPECT_EQ(w->State().recalculations, recalcs + 1);
    EXPECT_EQ(w->State().draws, draws + 1);
    EXPECT_NEAR(w->State().results.CurrentJDE - jde, 1.0 / 1440, 1e-9);
}

TEST(WindowRecalc, RedrawTakesATurnOffTheSystemIIMeridianAbove360)
{
    auto w = Started();
    ViewController* view = w->findChild<ViewController*>();
    const PictureMoment shown = w->State().picture;
    view->Show(PictureMoment{shown.jde, 365, shown.grsLongitude});
    EXPECT_EQ(w->State().picture.cm2, 5);
    view->Show(PictureMoment{shown.jde, -0.3, shown.grsLongitude});  // just below 0: kept as it is
    EXPECT_EQ(w->State().picture.cm2, -0.3);
}

// ---- the layout pass ----------------------------------------------------------------

struct LayoutRow {
    const char* name;
    double width;
    bool zoomed;
    float WinScale;
    double windowHeight, pic1Width, pic1Height;
    int32_t size[5];
    int32_t CenterX, CenterY;
    double label5Top, label6Left, label4Top, label4Left, cexitLeft, copyselLeft;
};
PRINTS_AS_NAME(LayoutRow)

class WindowLayout : public ::testing::TestWithParam<LayoutRow> {};

TEST_P(WindowLayout, EverythingFollowsTheWidth)
{
    const LayoutRow& r = GetParam();
    auto w = Started();  // zoomed 4 times at 13100
    tw::SetWidth(w.get(), r.width);
    Relayout(*w);
    if (!r.zoomed)
        Form(*w).Command2->click();
    ASSERT_EQ(w->State().view.magnify, r.zoomed ? 4 : 1);

    EXPECT_FLOAT_EQ(w->State().geometry.winScale, r.WinScale);
    EXPECT_FLOAT_EQ(w->State().geometry.formWidthNow, static_cast<float>(r.width));
    EXPECT_NEAR(tw::Width(w.get()), r.width, 0.01);
    EXPECT_NEAR(tw::Height(w.get()), r.windowHeight, 0.01);
    const QWidget *p1 = Form(*w).Picture1, *p2 = Form(*w).Picture2;
    EXPECT_NEAR(tw::Left(p1), 370, 0.01);
    EXPECT_NEAR(tw::Top(p1), 2760, 0.01);
    EXPECT_NEAR(tw::Width(p1), r.pic1Width, 0.01);
    EXPECT_NEAR(tw::Height(p1), r.pic1Height, 0.01);
    EXPECT_NEAR(tw::Left(p2), 370, 0.01);
    EXPECT_NEAR(tw::Top(p2), 2760 + r.pic1Height, 0.01);
    EXPECT_NEAR(tw::Width(p2), r.pic1Width, 0.01);
    EXPECT_NEAR(tw::Height(p2), 260, 0.01);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(w->State().geometry.bodies.BodySize[i], r.size[i]) << "body " << i;
    EXPECT_EQ(w->State().geometry.centerX, r.CenterX);
    EXPECT_EQ(w->State().geometry.centerY, r.CenterY);

    EXPECT_NEAR(tw::Top(Form(*w).Label5), r.label5Top, 0.01);
    EXPECT_NEAR(tw::Top(Form(*w).Label6), r.label5Top, 0.01);
    EXPECT_NEAR(tw::Left(Form(*w).Label5), 90, 0.01);
    EXPECT_NEAR(tw::Left(Form(*w).Label6), r.label6Left, 0.01);
    EXPECT_NEAR(tw::Top(Form(*w).Label4), r.label4Top, 0.01);
    EXPECT_NEAR(tw::Left(Form(*w).Label4), r.label4Left, 0.01);
    EXPECT_NEAR(tw::Top(Form(*w).Label10), r.label4Top + 100, 0.01);
    EXPECT_NEAR(tw::Left(Form(*w).Label10), r.label4Left + 2000, 0.01);
    EXPECT_NEAR(tw::Top(Form(*w).Option1[0]), r.label4Top, 0.01);
    EXPECT_NEAR(tw::Top(Form(*w).Option1[1]), r.label4Top, 0.01);
    EXPECT_NEAR(tw::Left(Form(*w).Cexit), r.cexitLeft, 0.01);
    EXPECT_NEAR(tw::Left(Form(*w).Copysel), r.copyselLeft, 0.01);
    EXPECT_NEAR(tw::Top(Form(*w).Cexit), 120, 0.01);
    EXPECT_NEAR(tw::Top(Form(*w).Copysel), 2400, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Window, WindowLayout,
    ::testing::Values(
        LayoutRow{"Wide13100", 13100, false, 1.0f, 5120, 12100, 1060, {190, 19, 17, 28, 26}, 6030, 510,
                  3163, 12530, 4080, 6313, 11545, 10825},
        LayoutRow{"Zoomed13100", 13100, true, 1.0f, 7168, 12100, 3108, {760, 77, 66, 112, 102}, 6030, 1534,
                  4187, 12530, 6128, 6313, 11545, 10825},
        LayoutRow{"Wide9170", 9170, false, 0.7f, 4472, 8170, 412, {133, 17, 16, 22, 20}, 4065, 186,
                  2839, 8600, 3432, 4348, 7615, 6895},
        LayoutRow{"Zoomed9170", 9170, true, 0.7f, 6260.8, 8170, 2200.8, {532, 54, 46, 78, 72}, 4065, 1080,
                  3733, 8600, 5220.8, 4348, 7615, 6895}),
    [](const auto& i) { return std::string(i.param.name); });

// Where the window system draws a title bar and frame (46 pixels here), the
// heights above are outer heights: the client area is the frame lower, and
// the picture and the controls under it keep their places and still fit.
TEST_P(WindowLayout, WithAFrameTheHeightsAreOuterHeights)
{
    const LayoutRow& r = GetParam();
    static constexpr int kFramePx = 46;
    auto w = Started();
    w->seams.frameHeightPx = [] { return kFramePx; };
    tw::SetWidth(w.get(), r.width);
    Relayout(*w);
    if (!r.zoomed)
        Form(*w).Command2->click();
    ASSERT_EQ(w->State().view.magnify, r.zoomed ? 4 : 1);
    EXPECT_EQ(w->height(), std::lround(r.windowHeight / tw::TwipsPerPixel()) - kFramePx);
    EXPECT_NEAR(tw::Height(Form(*w).Picture1), r.pic1Height, 0.01);
    EXPECT_NEAR(tw::Top(Form(*w).Label4), r.label4Top, 0.01);
    EXPECT_LE(Form(*w).Label10->geometry().bottom(), w->height());
}

TEST(WindowLayout, ShownWindowFollowsAChangeOfItsWidth)
{
    auto w = Started();
    w->show();
    tw::SetWidth(w.get(), 9170);  // as the user drags the frame; the pass runs by itself
    EXPECT_FLOAT_EQ(w->State().geometry.winScale, 0.7f);
    EXPECT_NEAR(tw::Height(w.get()), 6260.8, 0.01);
    EXPECT_NEAR(tw::Width(Form(*w).Picture1), 8170, 0.01);
    EXPECT_EQ(w->State().geometry.bodies.BodySize[0], 532);
}

TEST(WindowLayout, NothingBeforeStartUpHasStoredTheHeight)
{
    MainWindow w;
    const double height = tw::Height(&w);
    Relayout(w);
    EXPECT_EQ(w.State().geometry.winScale, 0);
    EXPECT_EQ(w.State().geometry.formWidthNow, 0);
    EXPECT_DOUBLE_EQ(tw::Height(&w), height);
    EXPECT_DOUBLE_EQ(tw::Width(Form(w).Picture1), 11000);
    EXPECT_EQ(w.State().draws, 0);
}

// ---- zoom ------------------------------------------------------------------------------

TEST(WindowZoom, StartUpOpensZoomedAboutTheDesignCentre)
{
    auto w = Started();
    // Start-up zooms about the centre it sets before its first recalculation:
    // half the picture, (6050, 530), not yet moved 20 twips in by the layout pass.
    EXPECT_EQ(w->State().view.viewCenterX, 24200);
    EXPECT_EQ(w->State().view.viewCenterY, 6295);
    EXPECT_NEAR(Form(*w).Picture1->ScaleLeft(), 1.01 * 18150, 0.01);
    EXPECT_NEAR(Form(*w).Picture1->ScaleTop(), 0.99 * (6295 - 1554), 0.01);
    EXPECT_EQ(Form(*w).Picture2->ScaleLeft(), Form(*w).Picture1->ScaleLeft());
    EXPECT_EQ(Form(*w).Picture2->ScaleTop(), 0);
}

TEST(WindowZoom, OutAndBackIn)
{
    auto w = Started();
    Form(*w).Command2->click();  // back to the wide view
    EXPECT_EQ(Form(*w).Command2->text().toStdString(), "拡大");
    EXPECT_EQ(w->State().view.magnify, 1);
    EXPECT_EQ(w->State().view.zoomed, false);
    EXPECT_EQ(Form(*w).Picture1->ScaleLeft(), 0);
    EXPECT_EQ(Form(*w).Picture1->ScaleTop(), 0);
    EXPECT_EQ(Form(*w).Picture2->ScaleLeft(), 0);
    EXPECT_EQ(Form(*w).Picture2->ScaleTop(), 0);
    EXPECT_EQ(w->State().view.selection.centerX, 0);
    EXPECT_EQ(w->State().view.selection.centerY, 0);
    EXPECT_EQ(w->State().view.viewCenterX, 0);
    EXPECT_EQ(w->State().view.viewCenterY, 0);
    EXPECT_NEAR(tw::Height(w.get()), 5120, 0.01);

    const long draws = w->State().draws;
    Form(*w).Command2->click();  // zoomed again, about the planet at (6030, 510)
    EXPECT_GT(w->State().draws, draws);
    EXPECT_EQ(Form(*w).Command2->text().toStdString(), "広域");
    EXPECT_EQ(w->State().view.magnify, 4);
    EXPECT_EQ(w->State().view.zoomed, true);
    EXPECT_EQ(w->State().view.selection.centerX, 6030);
    EXPECT_EQ(w->State().view.selection.centerY, 510);
    EXPECT_EQ(w->State().view.viewCenterX, 24140);
    EXPECT_EQ(w->State().view.viewCenterY, 6235);
    const double left = Form(*w).Picture1->ScaleLeft(), top = Form(*w).Picture1->ScaleTop();
    EXPECT_NEAR(left, 1.01 * 18090, 0.01);
    EXPECT_NEAR(top, 0.99 * 4681, 0.01);
    EXPECT_EQ(Form(*w).Picture2->ScaleLeft(), left);
    EXPECT_EQ(Form(*w).Picture2->ScaleTop(), 0);
    // The planet stands about 200 twips left of and 50 above the visible middle.
    EXPECT_NEAR(4 * w->State().geometry.centerX - (left + 6050), -200, 2);
    EXPECT_NEAR(4 * w->State().geometry.centerY - (top + 1554), -50, 3);
}

TEST(WindowZoom, InAtWidth9170CorrectsForTheScale)
{
    auto w = Started();
    tw::SetWidth(w.get(), 9170);
    Relayout(*w);
    Form(*w).Command2->click();  // wide: CenterX 4065, CenterY 186
    Form(*w).Command2->click();
    EXPECT_EQ(w->State().view.viewCenterX, 23120);
    EXPECT_EQ(w->State().view.viewCenterY, 6152);
    EXPECT_NEAR(Form(*w).Picture1->ScaleLeft(), 0.7 * (23120 - 4085) * 1.01, 0.01);
    EXPECT_NEAR(Form(*w).Picture1->ScaleTop(), 0.7 * (6152 - 1100) * 0.99, 0.01);
}

TEST(WindowZoom, SliderChoosesTheNextZoomOnly)
{
    auto w = Started();
    Form(*w).Slider1->setValue(6);
    EXPECT_EQ(w->State().view.zoomChoice, 6);
    EXPECT_EQ(Form(*w).Label9->Caption().toStdString(), "6倍");
    EXPECT_TRUE(platform::ToolTipCaption(Form(*w).Command2).contains(QStringLiteral("約6倍の")));
    EXPECT_EQ(w->State().view.magnify, 4);
    EXPECT_EQ(w->State().geometry.bodies.BodySize[0], 760);
    EXPECT_EQ(Form(*w).Command2->text().toStdString(), "広域");

    Form(*w).Command2->click();  // wide, whatever the slider shows
    EXPECT_EQ(w->State().view.magnify, 1);
    Form(*w).Command2->click();
    EXPECT_EQ(w->State().view.magnify, 6);
    EXPECT_EQ(w->State().geometry.bodies.BodySize[0], 1140);
    EXPECT_NEAR(tw::Height(w.get()), 7168, 0.01);

    Form(*w).Slider1->setValue(9);  // the slider ends at 6
    EXPECT_EQ(w->State().view.zoomChoice, 6);
    Form(*w).Slider1->setValue(2);
    Form(*w).Command2->click();
    Form(*w).Command2->click();
    EXPECT_EQ(w->State().view.magnify, 2);
    EXPECT_EQ(Form(*w).Label9->Caption().toStdString(), "2倍");
}

// ---- orientation -------------------------------------------------------------------

TEST(WindowOrientation, CompassLabelsAndReflectedSatellites)
{
    auto w = Started();
    int32_t invX[5], invY[5];
    std::copy(w->State().geometry.bodyX, w->State().geometry.bodyX + 5, invX);
    std::copy(w->State().geometry.bodyY, w->State().geometry.bodyY + 5, invY);

    long draws = w->State().draws;
    Form(*w).Option1[0]->setChecked(true);
    // The pair excludes each other only: the speed options keep their state.
    EXPECT_FALSE(Form(*w).Option1[1]->isChecked());
    EXPECT_TRUE(Form(*w).Option2->isChecked());
    EXPECT_EQ(w->State().draws, draws + 1);
    EXPECT_EQ(Form(*w).Label4->Caption().toStdString(), "南");
    EXPECT_EQ(Form(*w).Label5->Caption().toStdString(), "東");
    EXPECT_EQ(Form(*w).Label6->Caption().toStdString(), "西");
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(w->State().geometry.bodyX[i], -invX[i]) << "body " << i;
        EXPECT_EQ(w->State().geometry.bodyY[i], -invY[i]) << "body " << i;
    }

    Form(*w).Option1[1]->setChecked(true);
    EXPECT_EQ(Form(*w).Label4->Caption().toStdString(), "北");
    EXPECT_EQ(Form(*w).Label5->Caption().toStdString(), "西");
    EXPECT_EQ(Form(*w).Label6->Caption().toStdString(), "東");
    EXPECT_EQ(w->State().geometry.bodyX[1], invX[1]);

    draws = w->State().draws;
    Form(*w).Option1[1]->click();  // the option already selected: repainted, same labels
    EXPECT_TRUE(Form(*w).Option1[1]->isChecked());
    EXPECT_EQ(w->State().draws, draws + 1);
    EXPECT_EQ(Form(*w).Label4->Caption().toStdString(), "北");
}

// ---- the painted picture -------------------------------------------------------------

TEST(WindowPicture, PlanetBeltsSpotAndLabelStrip)
{
    auto w = At(2026, 12, 7, 15, 5, 0);  // the spot on the central meridian
    ASSERT_NEAR(w->State().picture.cm2, w->State().results.GrsLongitude, 0.5);
    ASSERT_EQ(w->State().view.magnify, 4);
    const platform::PictureBox* p1 = Form(*w).Picture1;
    const double Px = 4.0 * w->State().geometry.centerX, Py = 4.0 * w->State().geometry.centerY;
    for (int i = 1; i <= 4; ++i)  // no satellite over the disk
        ASSERT_GT(std::abs(4 * w->State().geometry.bodyX[i]), 760 + w->State().geometry.bodies.BodySize[i]) << "body " << i;

    EXPECT_EQ(Rgb(PixelAt(p1, Px, Py)), kPlanetRgb);
    EXPECT_EQ(Rgb(PixelAt(p1, Px, Py + 160)), kBeltRgb);  // belt 1, 120 to 200 below
    EXPECT_EQ(Rgb(PixelAt(p1, Px, Py - 120)), kBeltRgb);  // belt 2, 80 to 160 above
    EXPECT_EQ(Rgb(PixelAt(p1, Px, Py - 60)), kPlanetRgb);  // between them
    EXPECT_EQ(Rgb(PixelAt(p1, Px + 17, Py - 280)), kSpotRgb);  // inverted: above
    EXPECT_EQ(Rgb(PixelAt(p1, Px + 17, Py + 280)), kPlanetRgb);
    EXPECT_EQ(Rgb(PixelAt(p1, Px + 900, Py)), "0,0,0");  // sky beside the disk
    const QImage& strip = Form(*w).Picture2->Image();
    EXPECT_EQ(Rgb(strip.pixelColor(strip.width() - 1, strip.height() - 1)), "224,224,224");

    Form(*w).Option1[0]->setChecked(true);  // erect: the spot below, belts unchanged
    EXPECT_EQ(Rgb(PixelAt(p1, Px + 17, Py + 280)), kSpotRgb);
    EXPECT_EQ(Rgb(PixelAt(p1, Px + 17, Py - 280)), kPlanetRgb);
    // The spot now lies over the middle of belt 1: look at the belts beside it.
    EXPECT_EQ(Rgb(PixelAt(p1, Px - 400, Py + 160)), kBeltRgb);
    EXPECT_EQ(Rgb(PixelAt(p1, Px - 400, Py - 120)), kBeltRgb);
    EXPECT_EQ(Rgb(PixelAt(p1, Px, Py + 160)), kSpotRgb);

    const PictureMoment shown = w->State().picture;  // the spot on the far side:
    w->findChild<ViewController*>()->Show(PictureMoment{shown.jde, shown.cm2, std::fmod(shown.cm2 + 180, 360)});
    EXPECT_EQ(Rgb(PixelAt(p1, Px + 17, Py + 280)), kPlanetRgb);
}

TEST(WindowPicture, EveryNumeralInkedInTheStripBelowItsSatellite)
{
    auto w = At(2026, 12, 7, 15, 5, 0);
    Form(*w).Command2->click();  // wide: all four satellites in view
    const platform::PictureBox* p2 = Form(*w).Picture2;
    for (int i = 1; i <= 4; ++i) {
        const double x = w->State().geometry.centerX + w->State().geometry.bodyX[i] - 80;
        bool inked = false;
        for (double dx = 0; dx < 200 && !inked; dx += 5)
            for (double y = 0; y < 260 && !inked; y += 5)
                inked = PixelAt(p2, x + dx, y) != QColor(224, 224, 224) && PixelAt(p2, x + dx, y).isValid();
        EXPECT_TRUE(inked) << "no numeral ink right of x = " << x << " for satellite " << i;
    }
}

// ---- closing -----------------------------------------------------------------------------

TEST(WindowClose, ExitButtonClosesAtOnce)
{
    auto w = Started();
    w->show();
    ASSERT_TRUE(w->isVisible());
    Form(*w).Cexit->click();
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->Closed());

    // Nothing is drawn or laid out any more.
    const long draws = w->State().draws;
    w->Recalc();
    Relayout(*w);
    EXPECT_EQ(w->State().draws, draws);
}

TEST(WindowClose, FrameCloseDuringTheRealTimeRunStopsTheTimer)
{
    auto w = Started();
    w->show();
    Form(*w).RTime->setChecked(true);
    ASSERT_TRUE(Form(*w).Timer1->isActive());
    EXPECT_TRUE(w->close());
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(w->Closed());
    EXPECT_FALSE(Form(*w).Timer1->isActive());
}

// The surfaces repaint on the screen only what the scene drew and what the
// clearing erased: after the satellites have moved, the widgets must show
// exactly their images, with no trace of the old positions.
TEST(WindowPicture, ScreenShowsTheImageAfterTheSceneMoves)
{
    auto w = At(2026, 12, 7, 15, 5, 0);
    w->show();
    QCoreApplication::processEvents();
    for (int step = 0; step < 3; ++step) {
        Form(*w).Jikoku->setText(QString::number(16 + 3 * step));  // satellites move between redraws
        QCoreApplication::processEvents();
        // What the window system holds for the window, not a fresh rendering.
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(w->winId()).toImage();
        for (platform::PictureBox* p : {Form(*w).Picture1, Form(*w).Picture2}) {
            const QImage shown = screen.copy(p->geometry()).convertToFormat(QImage::Format_RGB32);
            const QImage image = p->Image().convertToFormat(QImage::Format_RGB32);
            ASSERT_EQ(shown.size(), image.size()) << p->objectName().toStdString();
            EXPECT_TRUE(shown == image) << p->objectName().toStdString() << " differs from its image at step " << step;
        }
    }
}

// The results change a few digits at each step and only those are
// repainted: what the window system holds must stay what a whole new
// rendering of the window shows, through minutes, carries into the hour and
// the day, and a caption that changes its length.
TEST(WindowPicture, ScreenShowsAWholeRenderingThroughAnimationSteps)
{
    auto w = At(2026, 12, 7, 22, 50, 0);
    w->show();
    QCoreApplication::processEvents();
    for (int step = 0; step < 24; ++step) {
        Form(*w).VSmin->SetValue(Form(*w).VSmin->Value() + (step % 4 == 3 ? 7 : 1));
        QCoreApplication::processEvents();
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32);
        const QImage whole = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(screen.size(), whole.size());
        ASSERT_TRUE(screen == whole) << "stale pixels after step " << step << " ("
                                     << Form(*w).result->Caption().toStdString() << ")";
    }
    // A longer caption in the same label, then the results again.
    Form(*w).Nen->setText(QStringLiteral("99999"));
    QCoreApplication::processEvents();
    Form(*w).Nen->setText(QStringLiteral("2026"));
    QCoreApplication::processEvents();
    const QImage screen = QGuiApplication::primaryScreen()->grabWindow(w->winId()).toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(screen == w->grab().toImage().convertToFormat(QImage::Format_RGB32));
}

// Each caption line looks as Qt draws a text at a point in the label's font,
// its baseline one ascent below the line's top.
TEST(WindowPicture, CaptionLinesLookLikeTextDrawnAtAPoint)
{
    auto w = At(2021, 12, 9, 23, 45, 0);
    w->show();
    QCoreApplication::processEvents();
    for (int step = 0; step < 3; ++step) {
        for (platform::CaptionLabel* l : w->findChildren<platform::CaptionLabel*>()) {
            QImage shown(l->size(), QImage::Format_RGB32);
            shown.fill(Qt::white);
            l->render(&shown, QPoint(), QRegion(), QWidget::RenderFlags());
            QImage drawn(l->size(), QImage::Format_RGB32);
            drawn.fill(Qt::white);
            QPainter p(&drawn);
            p.setFont(l->font());
            p.setPen(l->palette().color(QPalette::Active, l->foregroundRole()));
            const QFontMetricsF fm(l->font());
            const QStringList lines = l->Caption().split(QLatin1Char('\r'));
            double y = l->contentsRect().top();
            if (l->alignment() & Qt::AlignVCenter)
                y += (l->contentsRect().height() - fm.height() * lines.size()) / 2;
            for (const QString& line : lines) {
                p.drawText(QPointF(l->contentsRect().left(), y + fm.ascent()), line);
                y += fm.height();
            }
            p.end();
            EXPECT_TRUE(shown == drawn) << l->objectName().toStdString();
        }
        Form(*w).VSh->SetValue(Form(*w).VSh->Value() + 5);
        QCoreApplication::processEvents();
    }
}

// The numerals look as Qt draws a text at a point, at every fraction of a
// pixel a place in twips can fall on.
TEST(WindowPicture, PrintedNumeralsLookLikeTextDrawnAtAPoint)
{
    auto w = Started();
    platform::PictureBox& box = *Form(*w).Picture2;
    int differing = 0;
    for (const char* text : {"Ⅰ", "Ⅱ", "Ⅲ", "Ⅳ"}) {
        for (int dx = 0; dx < 15; ++dx) {
            for (int dy = 0; dy < 15; dy += 7) {
                box.Cls();
                box.ForeColor = 0;
                box.CurrentX = static_cast<float>(300 + dx);
                box.CurrentY = static_cast<float>(dy);
                box.Print(QString::fromUtf8(text));
                QImage drawn(box.Image().size(), QImage::Format_RGB32);
                drawn.fill(box.Image().pixel(0, 0));
                QPainter p(&drawn);
                p.setFont(box.font());
                p.setPen(Qt::black);
                const QPointF at = box.ToPixels(static_cast<float>(300 + dx), static_cast<float>(dy));
                p.drawText(QPointF(at.x(), at.y() + QFontMetricsF(box.font()).ascent()), QString::fromUtf8(text));
                p.end();
                differing += box.Image().convertToFormat(QImage::Format_RGB32) == drawn ? 0 : 1;
            }
        }
    }
    EXPECT_EQ(differing, 0);
}

// A spin control shows, for every value, what a plain scroll bar of the same
// size and range shows; tall enough, the bar shows its handle moving.
TEST(Controls, SpinBarLooksLikeAPlainScrollBarAtEveryValue)
{
    QWidget top;
    top.resize(80, 240);
    platform::SpinBar spin(&top, 0, 59);
    spin.setGeometry(10, 10, 13, 200);
    QScrollBar plain(Qt::Vertical, &top);
    plain.setRange(spin.Bar()->minimum(), spin.Bar()->maximum());
    plain.setPageStep(spin.Bar()->pageStep());
    plain.setGeometry(40, 20, 13, 200);
    top.show();
    QCoreApplication::processEvents();
    QImage first;
    for (int v = 0; v <= 59; v += 3) {
        spin.SetValue(v);
        plain.setValue(spin.Bar()->value());
        QCoreApplication::processEvents();
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(top.winId()).toImage();
        const QImage shown = screen.copy(spin.geometry());
        ASSERT_TRUE(shown == screen.copy(plain.geometry())) << "value " << v;
        if (first.isNull()) {
            first = shown;
        } else if (v == 30) {
            EXPECT_FALSE(shown == first) << "the handle did not move";
        }
    }
}

// A label repaints only the glyphs that changed: through captions whose
// lines change in places, in length and in script, what the window system
// holds stays what a whole new rendering shows.
TEST(Controls, CaptionRepaintLeavesNoStalePixels)
{
    QWidget top;
    top.resize(420, 120);
    platform::CaptionLabel label(&top, QStringLiteral("CM Ⅰ= 121.47　CMⅠcc= 121.73\r世界時 01時58分00秒"));
    label.setGeometry(10, 10, 400, 80);
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    top.show();
    QCoreApplication::processEvents();
    const char* captions[] = {
        "CM Ⅰ= 122.08　CMⅠcc= 122.34\r世界時 01時59分00秒",    // digits in two places
        "CM Ⅰ= 9.1　CMⅠcc= 9.1\r世界時 1時0分0秒",              // shorter lines
        "CM Ⅰ= 9.1　CMⅠcc= 9.1\r世界時 1時0分0秒 (GRS予想経度 245.6)",  // a longer line
        "CM Ⅰ= ＡＢＣ　CMⅠcc= ｱｲｳ\rWorld time 01:59:00",            // other scripts
        "\r",                                                         // empty lines
        "CM Ⅰ= 121.47　CMⅠcc= 121.73\r世界時 01時58分00秒",
    };
    for (const char* c : captions) {
        label.SetCaption(QString::fromUtf8(c));
        QCoreApplication::processEvents();
        const QImage screen = QGuiApplication::primaryScreen()->grabWindow(top.winId()).toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_TRUE(screen == top.grab().toImage().convertToFormat(QImage::Format_RGB32)) << c;
    }
}

}  // namespace
}  // namespace veltrax
