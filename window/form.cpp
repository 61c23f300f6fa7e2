// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form.h"

#include "platform/controls.h"
#include "platform/picture_box.h"
#include "platform/twips.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>

namespace veltrax {

using platform::CaptionLabel;
using platform::LimitedLineEdit;
using platform::PictureBox;
using platform::SpinBar;

namespace {

QFont DesignFont(const char* family, double points)
{
    QFont f(QString::fromUtf8(family));
    f.setPointSizeF(points);
    return f;
}

const char kGothic[] = "ＭＳ ゴシック";
const char kPGothic[] = "ＭＳ Ｐゴシック";
const char kMincho[] = "ＭＳ 明朝";

template <typename W>
W* Place(W* w, const char* name, double left, double top, double width, double height)
{
    w->setObjectName(QString::fromLatin1(name));
    platform::SetGeometry(w, left, top, width, height);
    return w;
}

}  // namespace

WindowForm BuildForm(QWidget* window)
{
    auto label = [window](const char* name, const char* caption, double l, double t, double w, double h) {
        return Place(new CaptionLabel(window, QString::fromUtf8(caption)), name, l, t, w, h);
    };
    auto field = [window](const char* name, int limit, const char* text, double l, double t, double w, double h) {
        auto* e = Place(new LimitedLineEdit(window, limit), name, l, t, w, h);
        e->setFont(DesignFont(kGothic, 14.25));
        e->setText(QString::fromUtf8(text));
        return e;
    };
    auto spin = [window](const char* name, int lo, int hi, double l, double t, double w, double h) {
        return Place(new SpinBar(window, lo, hi), name, l, t, w, h);
    };
    auto button = [window](const char* name, const char* caption, double l, double t, double w, double h) {
        return Place(new QPushButton(QString::fromUtf8(caption), window), name, l, t, w, h);
    };
    window->setWindowTitle(QStringLiteral("Veltrax"));
    window->setFont(DesignFont(kPGothic, 9.75));  // before the controls, which take it
    platform::SetWidth(window, 13290);
    platform::SetHeight(window, 4890);
    WindowForm f{};
    MomentControls& m = f.moment;
    ViewControls& v = f.view;
    ResultsControls& r = f.results;
    v.window = window;

    r.title = label("title1", "", 120, 120, 4575, 495);
    r.title->setFont(DesignFont(kPGothic, 11.25));
    v.copyCanvas = new PictureBox(nullptr, 0xFFFFFF);  // off-screen: the clipboard copy's canvas
    v.copyCanvas->setObjectName(QStringLiteral("Picdest"));
    v.copyCanvas->setParent(window);
    v.copyCanvas->hide();
    platform::SetGeometry(v.copyCanvas, 4080, 120, 615, 495);
    r.result = label("result", "", 5640, 120, 6240, 480);
    r.result->setFont(DesignFont(kGothic, 12));
    f.exit = button("Cexit", "終了", 12000, 120, 855, 420);
    f.exit->setFont(DesignFont(kPGothic, 12));
    v.exit = f.exit;

    m.year = field("Nen", 9, "2000", 360, 840, 735, 375);
    auto* yearUnit = label("Label1", "年", 1155, 945, 255, 225);
    yearUnit->setFont(DesignFont(kGothic, 12));
    m.month = field("tuki", 2, "1", 1560, 840, 495, 375);
    m.monthSpin = spin("VSmon", 0, 13, 2040, 840, 200, 370);
    auto* monthUnit = label("Label2_0", "月", 2280, 945, 240, 255);
    m.day = field("Hi", 2, "1", 2580, 840, 495, 375);
    m.daySpin = spin("VSday", 0, 32, 3080, 840, 200, 370);
    auto* dayUnit = label("Label3", "日", 3315, 945, 210, 270);
    m.today = button("tday", "今日の日付", 3660, 840, 1155, 375);
    r.Taikei = label("Taikei", "", 5520, 840, 6240, 465);
    r.Taikei->setFont(DesignFont(kGothic, 12));

    m.hour = field("Jikoku", 2, "0", 440, 1320, 495, 375);
    m.hourSpin = spin("VSh", -1, 24, 920, 1320, 200, 370);
    auto* hourUnit = label("Label2_1", "時", 1170, 1380, 255, 255);
    m.minute = field("Hun", 2, "0", 1560, 1320, 495, 375);
    m.minuteSpin = spin("VSmin", -1, 60, 2040, 1320, 200, 370);
    auto* minuteUnit = label("Label2_2", "分", 2280, 1380, 255, 255);
    m.second = field("Byo", 2, "0", 2580, 1320, 495, 375);
    m.secondSpin = spin("VSsec", -1, 60, 3080, 1320, 200, 370);
    auto* secondUnit = label("Label2_3", "秒", 3315, 1380, 255, 255);
    for (CaptionLabel* l : {monthUnit, dayUnit, hourUnit, minuteUnit, secondUnit})
        l->setFont(DesignFont(kGothic, 11.25));

    // Each unit label names its field for assistive technology.
    const std::pair<CaptionLabel*, LimitedLineEdit*> units[] = {{yearUnit, m.year},   {monthUnit, m.month},
                                                                {dayUnit, m.day},     {hourUnit, m.hour},
                                                                {minuteUnit, m.minute}, {secondUnit, m.second}};
    for (const auto& [unit, edit] : units) {
        unit->setBuddy(edit);
        edit->setAccessibleName(unit->Caption());
    }

    auto* speedFrame = Place(new QGroupBox(QStringLiteral("アニメーション速度"), window), "Frame1", 2880, 1800, 2895, 615);
    m.slow = Place(new QRadioButton(QStringLiteral("低速"), speedFrame), "Option2", 360, 240, 1095, 255);
    m.fast = Place(new QRadioButton(QStringLiteral("高速"), speedFrame), "Option3", 1680, 240, 975, 255);
    // Each pair of options is its own exclusive group.
    auto* speed = new QButtonGroup(window);
    speed->addButton(m.slow);
    speed->addButton(m.fast);
    m.slow->setChecked(true);
    m.animate = button("Command1", "ｱﾆﾒｰｼｮﾝ", 1920, 1920, 940, 480);
    v.zoom = button("Command2", "拡大", 7320, 1920, 705, 360);
    m.realTime = Place(new QCheckBox(QStringLiteral("実時間運転"), window), "RTime", 360, 2040, 1335, 255);
    v.dragPan = Place(new QCheckBox(QStringLiteral("画面移動"), window), "Check1", 8040, 2040, 1215, 200);
    v.magnification = Place(new QSlider(Qt::Horizontal, window), "Slider1", 7080, 2280, 1455, 375);
    v.copy = button("Copysel", "選択領域をｺﾋﾟｰ", 9600, 2400, 1575, 340);
    auto* legend = label("Label7", "I：イオ(Io)   II：エウロパ(europa)   III：ガニメデ(Ganymede)   IV：カリスト(Callisto)",
                         360, 2520, 6735, 210);
    v.magnificationLabel = label("Label9", "", 8880, 2520, 615, 195);

    v.sky = Place(new PictureBox(window, 0x000000), "Picture1", 360, 2760, 11000, 1665);
    v.sky->setFont(DesignFont(kMincho, 9.75));
    v.left = label("Label5", "西", 120, 3240, 255, 255);
    v.right = label("Label6", "東", 11400, 3240, 255, 255);
    v.labels = Place(new PictureBox(window, 0xE0E0E0), "Picture2", 360, 4080, 11000, 225);
    v.labels->setFont(DesignFont(kMincho, 9.75));
    v.labels->setFocusPolicy(Qt::NoFocus);
    v.erect = Place(new QRadioButton(QStringLiteral("双眼鏡（正立像）"), window), "Option1_0", 360, 4560, 1700, 255);
    v.inverted = Place(new QRadioButton(QStringLiteral("天体望遠鏡（倒立像）"), window), "Option1_1", 2160, 4560, 2175, 255);
    auto* orientation = new QButtonGroup(window);
    orientation->addButton(v.erect);
    orientation->addButton(v.inverted);
    v.inverted->setChecked(true);
    v.bottom = label("Label4", "北", 5760, 4560, 255, 255);
    v.sizeNote = label("Label10", "", 6840, 4560, 6255, 255);
    for (CaptionLabel* l : {v.bottom, v.left, v.right})
        l->setFont(DesignFont(kPGothic, 12));

    for (CaptionLabel* l : {r.title, r.result, r.Taikei, legend, v.magnificationLabel, v.sizeNote})
        l->SetAutoSize(true);
    r.result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    r.Taikei->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m.timer = new QTimer(window);
    m.timer->setObjectName(QStringLiteral("Timer1"));
    m.timer->setInterval(990);
    m.timer->setTimerType(Qt::PreciseTimer);
    return f;
}

}  // namespace veltrax
