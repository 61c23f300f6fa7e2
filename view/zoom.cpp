// SPDX-License-Identifier: GPL-3.0-or-later
// Zoom: the slider chooses the magnification of the next zoom; the zoom button
// switches between the wide view and the magnified one.
#include "platform/twips.h"
#include "window/main_window.h"

#include <QPushButton>
#include <QSlider>

namespace veltrax {

QString ZoomToolTip(int32_t zoomChoice);  // window/startup.cpp

void MainWindow::Slider1_Change()
{
    ZoomChoice = Slider1->value();
    Label9->SetCaption(QString::number(ZoomChoice) + QStringLiteral("倍"));
    SetToolTipCaption(Command2, ZoomToolTip(ZoomChoice));
}

void MainWindow::Command2_Click()
{
    namespace tw = platform;
    if (Command2->text() == QStringLiteral("拡大") && Zoomed == kFalse) {
        // The point brought to the middle: the centre of a finished selection
        // dragged in the wide view, otherwise the reference centre (the
        // planet). A selection steers one zoom only.
        const bool onSelection = global.SelectionDone && selectionSteersZoom_;
        selectionSteersZoom_ = false;
        const int32_t wideCenterX = global.CenterX, wideCenterY = global.CenterY;
        if (onSelection) {
            global.SelCenterX = Add32(std::abs(Sub32(global.SelX1, global.SelX2)) / 2,
                                      std::min(global.SelX1, global.SelX2));
            global.SelCenterY = Add32(std::abs(Sub32(global.SelY1, global.SelY2)) / 2,
                                      std::min(global.SelY1, global.SelY2));
        } else {
            global.SelCenterX = global.CenterX;
            global.SelCenterY = global.CenterY;
        }
        Magnify = ZoomChoice;
        Picture1->SetScaleLeft(static_cast<float>(Sub32(Mul32(Magnify, global.SelCenterX), global.CenterX)));
        const int32_t H = RoundToInt32(tw::Height(Picture1));
        Picture1->SetScaleTop(static_cast<float>(Magnify * 1.17 * Add32(H / 5, 680) +
                                                 Sub32(Mul32(Magnify, global.SelCenterY), global.CenterY)));
        Picture1->SetScaleLeft(static_cast<float>(Picture1->ScaleLeft() +
                                                  (static_cast<double>(global.WinScale) - 1) * Mul32(ZoomChoice, 80)));
        Picture1->SetScaleTop(static_cast<float>(Picture1->ScaleTop() +
                                                 (static_cast<double>(global.WinScale) - 1) * Mul32(ZoomChoice, 20)));
        Picture2->SetScaleLeft(Picture1->ScaleLeft());
        Picture2->SetScaleTop(0);
        Command2->setText(QStringLiteral("広域"));
        Zoomed = kTrue;
        ViewCenterX = RoundToInt32((static_cast<double>(Picture1->ScaleLeft()) + RoundToInt32(tw::Width(Picture1)) / 2) /
                                   static_cast<double>(global.WinScale));
        ViewCenterY = RoundToInt32((static_cast<double>(Picture1->ScaleTop()) + RoundToInt32(tw::Height(Picture1)) / 2) /
                                   static_cast<double>(global.WinScale));
        Form_Resize();
        if (onSelection) {
            // The layout pass scales the whole offset (by 1.01 across, 0.99
            // down), which moves a point far from the planet off the middle:
            // bring the selection's centre, as the magnified scene draws it,
            // exactly to the middle of the visible area.
            const double tx = static_cast<double>(Magnify) * (global.CenterX + (global.SelCenterX - wideCenterX));
            const double ty = static_cast<double>(Magnify) * (global.CenterY + (global.SelCenterY - wideCenterY));
            const int32_t halfW = RoundToInt32(tw::Width(Picture1)) / 2;
            const int32_t halfH = RoundToInt32(tw::Height(Picture1)) / 2;
            Picture1->SetScaleLeft(static_cast<float>(tx - halfW));
            Picture1->SetScaleTop(static_cast<float>(ty - halfH));
            Picture2->SetScaleLeft(Picture1->ScaleLeft());
            ViewCenterX = RoundToInt32((static_cast<double>(Picture1->ScaleLeft()) + halfW) / static_cast<double>(global.WinScale));
            ViewCenterY = RoundToInt32((static_cast<double>(Picture1->ScaleTop()) + halfH) / static_cast<double>(global.WinScale));
        }
        DrawView(global.CurrentJDE);
    } else {
        Magnify = 1;
        Picture1->SetScaleLeft(0);
        Picture1->SetScaleTop(0);
        Picture2->SetScaleLeft(0);
        Picture2->SetScaleTop(0);
        tw::SetWidth(Picture1, global.BaseWidth);
        tw::SetHeight(Picture1, global.BaseHeight);
        global.SelCenterX = 0;
        global.SelCenterY = 0;
        selectionSteersZoom_ = false;  // the repaint below erases its outline
        Command2->setText(QStringLiteral("拡大"));
        Zoomed = kFalse;
        ViewCenterX = 0;
        ViewCenterY = 0;
        Form_Resize();
        DrawView(global.CurrentJDE);
    }
}

}  // namespace veltrax
