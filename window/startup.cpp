// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the controls' run-time state, the tables, the wall-clock moment,
// the first layout, the first recalculation and the zoom that opens the view
// magnified.
#include "window/main_window.h"

#include "platform/twips.h"
#include "results/numtext.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSlider>

namespace veltrax {

QString ZoomToolTip(int32_t zoomChoice)
{
    return QStringLiteral("画面を選択してください。") + QChar(13) +
           QStringLiteral("選択後、このボタンをクリックすると選択した領域の中心が画面の中心になるように約") +
           QString::number(zoomChoice) + QStringLiteral("倍の大きさに拡大します。");
}

void MainWindow::Form_Load()
{
    // 1. The magnification slider and its label.
    Slider1->setMinimum(2);
    Slider1->setMaximum(6);
    Slider1->setValue(4);
    ZoomChoice = Slider1->value();
    Label9->SetCaption(QString::number(ZoomChoice) + QStringLiteral("倍"));

    // 2-5.
    Magnify = 1;
    global.MonthDays = CommonMonthDays();
    title1->SetCaption(QStringLiteral("木星の中央経度を計算、４大衛星の位置を表示します") + QChar(13) +
                       QStringLiteral("日時（日本標準時、２４時間制）を入力して下さい"));
    Label10->SetCaption(QStringLiteral("（大赤斑ＧＲＳや衛星はサイズを大きくしています。）"));

    // 6-7. Today's date, then the hour and minute of the wall clock; the
    // second stays 0.
    tday_Click();
    const QTime now = Clock().time();
    Jikoku->setText(QString::number(now.hour()));
    Hun->setText(QString::number(now.minute()));

    // 8. The spin controls from the field texts.
    auto spinOf = [](const QLineEdit* e) { return FieldSpin(e->text().toStdString()); };
    if (auto v = spinOf(Hun))
        VSmin->SetValue(*v);
    if (auto v = spinOf(Jikoku))
        VSh->SetValue(*v);
    if (auto v = spinOf(Hi))
        VSday->SetValue(*v);
    if (auto v = spinOf(tuki))
        VSmon->SetValue(*v);

    // 9. The window's width; the picture's height in the wide view comes from
    // the design's outer height.
    platform::SetWidth(this, 13100);
    global.BaseWidth = 13100;
    global.BaseHeight = 5400;

    // 10-11. Drawing tables and the Great Red Spot table.
    global.Bodies = StartupBodyTables();
    for (int i = 0; i < 4; ++i)
        MoonRadius[i] = kMoonRadiusKm[i] / kJupiterEquatorialRadiusKm;
    GrsTable_ = GrsTable::Standard();

    // 12-13.
    Picture1->SetScaleLeft(0);
    Picture1->SetScaleTop(0);
    Picture2->SetScaleLeft(0);
    Picture2->SetScaleTop(0);
    Form_Resize();

    // 14. The reference centre; from here on the scene is drawn.
    global.CenterX = RoundToInt32(platform::Width(Picture1)) / 2;
    global.CenterY = RoundToInt32(platform::Height(Picture1)) / 2;
    global.SelCenterX = global.CenterX;
    global.SelCenterY = global.CenterY;
    loaded_ = true;

    // 15-18.
    Recalc();
    SetToolTipCaption(Command2, ZoomToolTip(ZoomChoice));
    SetToolTipCaption(Check1, QStringLiteral("ここにチェックを入れて画面をドラッグ（左クリックしたままマウスを動かす）"
                                             "すると画面を上下左右に移動できます。"));
    SetToolTipCaption(Copysel, QStringLiteral("画面を選択しこのボタンをクリックすると選択した領域がクリップボードに"
                                              "転送（コピー）されます。何も選択しないと画面全てがコピーされます。"));

    // 19-20. Open zoomed.
    Zoomed = kFalse;
    global.AnimRunning = kFalse;
    Command2_Click();
}

}  // namespace veltrax
