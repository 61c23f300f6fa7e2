// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/main_window.h"

#include "platform/twips.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QVariant>

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

MainWindow::MainWindow()
{
    setWindowTitle(QStringLiteral("Veltrax"));
    setFont(DesignFont(kPGothic, 9.75));
    platform::SetWidth(this, 13290);
    platform::SetHeight(this, 4890);
    CreateControls();
    ConnectHandlers();
    CreateBackgroundMenu();
    UpdateGrsToolTip();
}

MainWindow::~MainWindow() = default;

void MainWindow::CreateControls()
{
    auto label = [this](const char* name, const char* caption, double l, double t, double w, double h) {
        return Place(new CaptionLabel(this, QString::fromUtf8(caption)), name, l, t, w, h);
    };
    auto field = [this](const char* name, int limit, const char* text, double l, double t, double w, double h) {
        auto* e = Place(new LimitedLineEdit(this, limit), name, l, t, w, h);
        e->setFont(DesignFont(kGothic, 14.25));
        e->setText(QString::fromUtf8(text));
        return e;
    };
    auto spin = [this](const char* name, int lo, int hi, double l, double t, double w, double h) {
        return Place(new SpinBar(this, lo, hi), name, l, t, w, h);
    };
    auto button = [this](const char* name, const char* caption, double l, double t, double w, double h) {
        return Place(new QPushButton(QString::fromUtf8(caption), this), name, l, t, w, h);
    };

    title1 = label("title1", "", 120, 120, 4575, 495);
    title1->setFont(DesignFont(kPGothic, 11.25));
    Picdest = new PictureBox(nullptr, 0xFFFFFF);  // off-screen: the clipboard copy's canvas
    Picdest->setObjectName(QStringLiteral("Picdest"));
    Picdest->setParent(this);
    Picdest->hide();
    platform::SetGeometry(Picdest, 4080, 120, 615, 495);
    result = label("result", "", 5640, 120, 6240, 480);
    result->setFont(DesignFont(kGothic, 12));
    Cexit = button("Cexit", "終了", 12000, 120, 855, 420);
    Cexit->setFont(DesignFont(kPGothic, 12));

    Nen = field("Nen", 9, "2000", 360, 840, 735, 375);
    Label1 = label("Label1", "年", 1155, 945, 255, 225);
    Label1->setFont(DesignFont(kGothic, 12));
    tuki = field("tuki", 2, "1", 1560, 840, 495, 375);
    VSmon = spin("VSmon", 0, 13, 2040, 840, 200, 370);
    Label2[0] = label("Label2_0", "月", 2280, 945, 240, 255);
    Hi = field("Hi", 2, "1", 2580, 840, 495, 375);
    VSday = spin("VSday", 0, 32, 3080, 840, 200, 370);
    Label3 = label("Label3", "日", 3315, 945, 210, 270);
    tday = button("tday", "今日の日付", 3660, 840, 1155, 375);
    Taikei = label("Taikei", "", 5520, 840, 6240, 465);
    Taikei->setFont(DesignFont(kGothic, 12));

    Jikoku = field("Jikoku", 2, "0", 440, 1320, 495, 375);
    VSh = spin("VSh", -1, 24, 920, 1320, 200, 370);
    Label2[1] = label("Label2_1", "時", 1170, 1380, 255, 255);
    Hun = field("Hun", 2, "0", 1560, 1320, 495, 375);
    VSmin = spin("VSmin", -1, 60, 2040, 1320, 200, 370);
    Label2[2] = label("Label2_2", "分", 2280, 1380, 255, 255);
    Byo = field("Byo", 2, "0", 2580, 1320, 495, 375);
    VSsec = spin("VSsec", -1, 60, 3080, 1320, 200, 370);
    Label2[3] = label("Label2_3", "秒", 3315, 1380, 255, 255);
    for (CaptionLabel* l : Label2)
        l->setFont(DesignFont(kGothic, 11.25));
    Label3->setFont(DesignFont(kGothic, 11.25));

    // Each unit label names its field for assistive technology.
    Label1->setBuddy(Nen);
    Label2[0]->setBuddy(tuki);
    Label3->setBuddy(Hi);
    Label2[1]->setBuddy(Jikoku);
    Label2[2]->setBuddy(Hun);
    Label2[3]->setBuddy(Byo);
    Nen->setAccessibleName(QStringLiteral("年"));
    tuki->setAccessibleName(QStringLiteral("月"));
    Hi->setAccessibleName(QStringLiteral("日"));
    Jikoku->setAccessibleName(QStringLiteral("時"));
    Hun->setAccessibleName(QStringLiteral("分"));
    Byo->setAccessibleName(QStringLiteral("秒"));

    Frame1 = Place(new QGroupBox(QStringLiteral("アニメーション速度"), this), "Frame1", 2880, 1800, 2895, 615);
    Option2 = Place(new QRadioButton(QStringLiteral("低速"), Frame1), "Option2", 360, 240, 1095, 255);
    Option3 = Place(new QRadioButton(QStringLiteral("高速"), Frame1), "Option3", 1680, 240, 975, 255);
    // Each pair of options is its own exclusive group.
    auto* speed = new QButtonGroup(this);
    speed->addButton(Option2);
    speed->addButton(Option3);
    Option2->setChecked(true);
    Command1 = button("Command1", "ｱﾆﾒｰｼｮﾝ", 1920, 1920, 940, 480);
    Command2 = button("Command2", "拡大", 7320, 1920, 705, 360);
    RTime = Place(new QCheckBox(QStringLiteral("実時間運転"), this), "RTime", 360, 2040, 1335, 255);
    Check1 = Place(new QCheckBox(QStringLiteral("画面移動"), this), "Check1", 8040, 2040, 1215, 200);
    Slider1 = Place(new QSlider(Qt::Horizontal, this), "Slider1", 7080, 2280, 1455, 375);
    Copysel = button("Copysel", "選択領域をｺﾋﾟｰ", 9600, 2400, 1575, 340);
    Label7 = label("Label7", "I：イオ(Io)   II：エウロパ(europa)   III：ガニメデ(Ganymede)   IV：カリスト(Callisto)",
                   360, 2520, 6735, 210);
    Label9 = label("Label9", "", 8880, 2520, 615, 195);

    Picture1 = Place(new PictureBox(this, 0x000000), "Picture1", 360, 2760, 11000, 1665);
    Picture1->setFont(DesignFont(kMincho, 9.75));
    Label5 = label("Label5", "西", 120, 3240, 255, 255);
    Label6 = label("Label6", "東", 11400, 3240, 255, 255);
    Picture2 = Place(new PictureBox(this, 0xE0E0E0), "Picture2", 360, 4080, 11000, 225);
    Picture2->setFont(DesignFont(kMincho, 9.75));
    Picture2->setFocusPolicy(Qt::NoFocus);
    Option1[0] = Place(new QRadioButton(QStringLiteral("双眼鏡（正立像）"), this), "Option1_0", 360, 4560, 1700, 255);
    Option1[1] = Place(new QRadioButton(QStringLiteral("天体望遠鏡（倒立像）"), this), "Option1_1", 2160, 4560, 2175, 255);
    auto* orientation = new QButtonGroup(this);
    orientation->addButton(Option1[0]);
    orientation->addButton(Option1[1]);
    Option1[1]->setChecked(true);
    Label4 = label("Label4", "北", 5760, 4560, 255, 255);
    Label10 = label("Label10", "", 6840, 4560, 6255, 255);
    for (CaptionLabel* l : {Label4, Label5, Label6})
        l->setFont(DesignFont(kPGothic, 12));

    for (CaptionLabel* l : {title1, result, Taikei, Label7, Label9, Label10})
        l->SetAutoSize(true);
    result->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Taikei->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(990);
    Timer1->setTimerType(Qt::PreciseTimer);
}

void MainWindow::ConnectHandlers()
{
    auto onText = [this](QLineEdit* e, void (MainWindow::*h)()) {
        connect(e, &QLineEdit::textChanged, this, [this, h] { Guard([this, h] { (this->*h)(); }); });
    };
    onText(Nen, &MainWindow::Nen_Change);
    onText(tuki, &MainWindow::tuki_Change);
    onText(Hi, &MainWindow::Hi_Change);
    onText(Jikoku, &MainWindow::Jikoku_Change);
    onText(Hun, &MainWindow::Hun_Change);
    onText(Byo, &MainWindow::Byo_Change);

    auto onSpin = [this](SpinBar* s, void (MainWindow::*h)()) {
        connect(s, &SpinBar::Changed, this, [this, h] { Guard([this, h] { (this->*h)(); }); });
    };
    onSpin(VSmon, &MainWindow::VSmon_Change);
    onSpin(VSday, &MainWindow::VSday_Change);
    onSpin(VSh, &MainWindow::VSh_Change);
    onSpin(VSmin, &MainWindow::VSmin_Change);
    onSpin(VSsec, &MainWindow::VSsec_Change);

    auto onClick = [this](QAbstractButton* b, void (MainWindow::*h)()) {
        connect(b, &QAbstractButton::clicked, this, [this, h] { Guard([this, h] { (this->*h)(); }); });
    };
    onClick(tday, &MainWindow::tday_Click);
    onClick(Command1, &MainWindow::Command1_Click);
    onClick(Command2, &MainWindow::Command2_Click);
    onClick(Copysel, &MainWindow::Copysel_Click);
    onClick(Cexit, &MainWindow::Cexit_Click);

    // Check boxes: the click handler runs also when the program changes the state.
    connect(RTime, &QCheckBox::toggled, this, [this] { Guard([this] { RTime_Click(); }); });
    connect(Check1, &QCheckBox::toggled, this, [this] { Guard([this] { Check1_Click(); }); });
    connect(Timer1, &QTimer::timeout, this, [this] { Guard([this] { Timer1_Timer(); }); });
    connect(Slider1, &QSlider::valueChanged, this, [this] { Guard([this] { Slider1_Change(); }); });

    // An orientation option's click runs when it becomes selected (by the user
    // or the program) and when the user clicks the one already selected.
    for (int16_t i = 0; i < 2; ++i) {
        QRadioButton* o = Option1[i];
        connect(o, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                Guard([this, i] { Option1_Click(i); });
        });
        connect(o, &QRadioButton::pressed, this, [o] { o->setProperty("wasChecked", o->isChecked()); });
        connect(o, &QRadioButton::clicked, this, [this, o, i] {
            if (o->property("wasChecked").toBool())
                Guard([this, i] { Option1_Click(i); });
            o->setProperty("wasChecked", false);
        });
    }

    connect(Picture1, &PictureBox::MouseDown, this, [this](int b, int s, float x, float y) {
        Guard([&] { Picture1_MouseDown(static_cast<int16_t>(b), static_cast<int16_t>(s), x, y); });
    });
    connect(Picture1, &PictureBox::MouseMove, this, [this](int b, int s, float x, float y) {
        Guard([&] { Picture1_MouseMove(static_cast<int16_t>(b), static_cast<int16_t>(s), x, y); });
    });
    connect(Picture1, &PictureBox::MouseUp, this, [this](int b, int s, float x, float y) {
        Guard([&] { Picture1_MouseUp(static_cast<int16_t>(b), static_cast<int16_t>(s), x, y); });
    });
    connect(Picture1, &PictureBox::KeyDown, this, [this](int k, int s) {
        Guard([&] { Picture1_KeyDown(static_cast<int16_t>(k), static_cast<int16_t>(s)); });
    });
}

void MainWindow::Guard(const std::function<void()>& handler)
{
    try {
        handler();
    } catch (const std::exception&) {
        // A run-time error ends this handler; the display keeps its state.
    }
}

void MainWindow::DoEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void MainWindow::SetToolTipCaption(QWidget* w, const QString& caption)
{
    w->setProperty("toolTipCaption", caption);
    QString shown = caption;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    w->setToolTip(shown);
}

QString MainWindow::ToolTipCaption(const QWidget* w)
{
    return w->property("toolTipCaption").toString();
}

FieldTexts MainWindow::Fields() const
{
    return FieldTexts{Nen->text().toStdString(), tuki->text().toStdString(), Hi->text().toStdString(),
                      Jikoku->text().toStdString(), Hun->text().toStdString(), Byo->text().toStdString()};
}

void MainWindow::resizeEvent(QResizeEvent*)
{
    if (closed_)
        return;
    Guard([this] { Form_Resize(); });
}

int MainWindow::SystemFrameHeightPx() const
{
    // The offscreen platform reports a frame of 2 pixels a side that nothing
    // draws: only a real window system's frame counts.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return 0;
    return frameGeometry().height() - geometry().height();
}

void MainWindow::moveEvent(QMoveEvent*)
{
    // The window system reports the frame once the window is shown (it moves
    // the window into it): the layout then fits the outer height again.
    if (closed_ || FrameHeightPx() == layoutFramePx_)
        return;
    Guard([this] { Form_Resize(); });
}

void MainWindow::closeEvent(QCloseEvent* e)
{
    // Form_Unload: closing is never cancelled. Whatever is still on the call
    // stack (an animation loop, a redraw's event processing) sees Closed() and
    // ends without touching the window.
    closed_ = true;
    global.AnimRunning = kFalse;
    Timer1->stop();
    e->accept();
}

void MainWindow::Cexit_Click()
{
    close();
    QCoreApplication::exit(0);
}

}  // namespace veltrax
