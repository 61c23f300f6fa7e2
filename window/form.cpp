// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/form.h"

#include "platform/controls.h"
#include "platform/picture_box.h"
#include "platform/twips.h"
#include "window/translation.h"

#include <QButtonGroup>
#include <QCoreApplication>
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

// The form's fixed texts are translated in this context.
constexpr char kContext[] = "veltrax::Form";

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
    WindowForm f{};
    // A widget whose caption only the language changes.
    auto fixed = [&f](auto* w, const char* source) {
        f.texts.push_back({w, source, nullptr, {platform::Left(w), platform::Width(w)}, std::nullopt});
        return w;
    };
    auto label = [window, fixed](const char* name, const char* caption, double l, double t, double w, double h) {
        auto* c = Place(new CaptionLabel(window), name, l, t, w, h);
        return *caption ? fixed(c, caption) : c;
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
    auto option = [window, fixed](auto* w, QWidget* parent, const char* name, const char* caption, double l,
                                  double t, double width, double h) {
        w->setParent(parent);
        return fixed(Place(w, name, l, t, width, h), caption);
    };
    window->setWindowTitle(QStringLiteral("Veltrax"));
    window->setFont(DesignFont(kPGothic, 9.75));  // before the controls, which take it
    platform::SetWidth(window, 13290);
    platform::SetHeight(window, 4890);
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
    f.exit = fixed(button("Cexit", "", 12000, 120, 855, 420), QT_TRANSLATE_NOOP("veltrax::Form", "終了"));
    f.exit->setFont(DesignFont(kPGothic, 12));
    v.exit = f.exit;

    m.year = field("Nen", 9, "2000", 360, 840, 735, 375);
    auto* yearUnit = label("Label1", QT_TRANSLATE_NOOP("veltrax::Form", "年"), 1155, 945, 255, 225);
    yearUnit->setFont(DesignFont(kGothic, 12));
    m.month = field("tuki", 2, "1", 1560, 840, 495, 375);
    m.monthSpin = spin("VSmon", 0, 13, 2040, 840, 200, 370);
    auto* monthUnit = label("Label2_0", QT_TRANSLATE_NOOP("veltrax::Form", "月"), 2280, 945, 240, 255);
    m.day = field("Hi", 2, "1", 2580, 840, 495, 375);
    m.daySpin = spin("VSday", 0, 32, 3080, 840, 200, 370);
    auto* dayUnit = label("Label3", QT_TRANSLATE_NOOP("veltrax::Form", "日"), 3315, 945, 210, 270);
    m.today = fixed(button("tday", "", 3660, 840, 1155, 375), QT_TRANSLATE_NOOP("veltrax::Form", "今日の日付"));
    r.Taikei = label("Taikei", "", 5520, 840, 6240, 465);
    r.Taikei->setFont(DesignFont(kGothic, 12));

    m.hour = field("Jikoku", 2, "0", 440, 1320, 495, 375);
    m.hourSpin = spin("VSh", -1, 24, 920, 1320, 200, 370);
    auto* hourUnit = label("Label2_1", QT_TRANSLATE_NOOP("veltrax::Form", "時"), 1170, 1380, 255, 255);
    m.minute = field("Hun", 2, "0", 1560, 1320, 495, 375);
    m.minuteSpin = spin("VSmin", -1, 60, 2040, 1320, 200, 370);
    auto* minuteUnit = label("Label2_2", QT_TRANSLATE_NOOP("veltrax::Form", "分"), 2280, 1380, 255, 255);
    m.second = field("Byo", 2, "0", 2580, 1320, 495, 375);
    m.secondSpin = spin("VSsec", -1, 60, 3080, 1320, 200, 370);
    auto* secondUnit = label("Label2_3", QT_TRANSLATE_NOOP("veltrax::Form", "秒"), 3315, 1380, 255, 255);
    for (CaptionLabel* l : {monthUnit, dayUnit, hourUnit, minuteUnit, secondUnit})
        l->setFont(DesignFont(kGothic, 11.25));

    // Each unit label names its field for assistive technology.
    const std::pair<CaptionLabel*, LimitedLineEdit*> units[] = {{yearUnit, m.year},   {monthUnit, m.month},
                                                                {dayUnit, m.day},     {hourUnit, m.hour},
                                                                {minuteUnit, m.minute}, {secondUnit, m.second}};
    // (In Japanese the names are the units' captions; in English, whole words.)
    const struct {
        const char* source;
        const char* comment;
    } accessible[] = {QT_TRANSLATE_NOOP3("veltrax::Form", "年", "the year field's accessible name"),
                      QT_TRANSLATE_NOOP3("veltrax::Form", "月", "the month field's accessible name"),
                      QT_TRANSLATE_NOOP3("veltrax::Form", "日", "the day field's accessible name"),
                      QT_TRANSLATE_NOOP3("veltrax::Form", "時", "the hour field's accessible name"),
                      QT_TRANSLATE_NOOP3("veltrax::Form", "分", "the minute field's accessible name"),
                      QT_TRANSLATE_NOOP3("veltrax::Form", "秒", "the second field's accessible name")};
    for (size_t i = 0; i < std::size(units); ++i) {
        units[i].first->setBuddy(units[i].second);
        f.texts.push_back({units[i].second, accessible[i].source, accessible[i].comment, {}, std::nullopt});
    }

    auto* speedFrame = option(new QGroupBox, window, "Frame1", QT_TRANSLATE_NOOP("veltrax::Form", "アニメーション速度"), 2880, 1800, 2895, 615);
    m.slow = option(new QRadioButton, speedFrame, "Option2", QT_TRANSLATE_NOOP("veltrax::Form", "低速"), 360, 240, 1095, 255);
    m.fast = option(new QRadioButton, speedFrame, "Option3", QT_TRANSLATE_NOOP("veltrax::Form", "高速"), 1680, 240, 975, 255);
    // Each pair of options is its own exclusive group.
    auto* speed = new QButtonGroup(window);
    speed->addButton(m.slow);
    speed->addButton(m.fast);
    m.slow->setChecked(true);
    m.animate = button("Command1", "", 1920, 1920, 940, 480);
    v.zoom = button("Command2", "", 7320, 1920, 705, 360);
    m.realTime = option(new QCheckBox, window, "RTime", QT_TRANSLATE_NOOP("veltrax::Form", "実時間運転"), 360, 2040, 1335, 255);
    v.dragPan = option(new QCheckBox, window, "Check1", QT_TRANSLATE_NOOP("veltrax::Form", "画面移動"), 8040, 2040, 1215, 200);
    v.magnification = Place(new QSlider(Qt::Horizontal, window), "Slider1", 7080, 2280, 1455, 375);
    v.copy = fixed(button("Copysel", "", 9600, 2400, 1575, 340), QT_TRANSLATE_NOOP("veltrax::Form", "選択領域をｺﾋﾟｰ"));
    auto* legend = label("Label7", QT_TRANSLATE_NOOP("veltrax::Form", "I：イオ(Io)   II：エウロパ(europa)   III：ガニメデ(Ganymede)   IV：カリスト(Callisto)"),
                         360, 2520, 6735, 210);
    v.magnificationLabel = label("Label9", "", 8880, 2520, 615, 195);

    v.sky = Place(new PictureBox(window, 0x000000), "Picture1", 360, 2760, 11000, 1665);
    v.sky->setFont(DesignFont(kMincho, 9.75));
    v.left = label("Label5", "", 120, 3240, 255, 255);
    v.right = label("Label6", "", 11400, 3240, 255, 255);
    v.labels = Place(new PictureBox(window, 0xE0E0E0), "Picture2", 360, 4080, 11000, 225);
    v.labels->setFont(DesignFont(kMincho, 9.75));
    v.labels->setFocusPolicy(Qt::NoFocus);
    v.erect = option(new QRadioButton, window, "Option1_0", QT_TRANSLATE_NOOP("veltrax::Form", "双眼鏡（正立像）"), 360, 4560, 1700, 255);
    v.inverted = option(new QRadioButton, window, "Option1_1", QT_TRANSLATE_NOOP("veltrax::Form", "天体望遠鏡（倒立像）"), 2160, 4560, 2175, 255);
    // The English captions are longer: the two options take more of the
    // room beside them (the compass stands far to their right).
    f.texts.end()[-2].english = {360, 2040};
    f.texts.end()[-1].english = {2460, 2175};
    auto* orientation = new QButtonGroup(window);
    orientation->addButton(v.erect);
    orientation->addButton(v.inverted);
    v.inverted->setChecked(true);
    v.bottom = label("Label4", "", 5760, 4560, 255, 255);
    v.sizeNote = label("Label10", "", 6840, 4560, 6255, 255);
    for (CaptionLabel* l : {v.bottom, v.left, v.right})
        l->setFont(DesignFont(kPGothic, 12));

    for (CaptionLabel* l : {r.title, r.result, r.Taikei, legend, v.magnificationLabel, v.sizeNote})
        l->SetAutoSize(true);
    r.result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    r.Taikei->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    ShowFormTexts(f.texts);

    m.timer = new QTimer(window);
    m.timer->setObjectName(QStringLiteral("Timer1"));
    m.timer->setInterval(990);
    m.timer->setTimerType(Qt::PreciseTimer);
    return f;
}

void ShowFormTexts(const std::vector<FormText>& texts)
{
    for (const FormText& t : texts) {
        const QString text = QCoreApplication::translate(kContext, t.source, t.disambiguation);
        if (t.english) {
            const bool english = LanguageInUse() == Language::English;
            platform::SetLeft(t.widget, english ? t.english->left : t.design.left);
            platform::SetWidth(t.widget, english ? t.english->width : t.design.width);
        }
        if (t.disambiguation)
            t.widget->setAccessibleName(text);
        else if (auto* c = qobject_cast<CaptionLabel*>(t.widget))
            c->SetCaption(text);
        else if (auto* b = qobject_cast<QAbstractButton*>(t.widget))
            b->setText(text);
        else if (auto* g = qobject_cast<QGroupBox*>(t.widget))
            g->setTitle(text);
    }
}

}  // namespace veltrax
