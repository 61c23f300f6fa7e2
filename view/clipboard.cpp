// SPDX-License-Identifier: GPL-3.0-or-later
// The clipboard copy: the selected area, or the whole picture.
#include "platform/twips.h"
#include "window/main_window.h"

#include <QClipboard>
#include <QGuiApplication>

namespace veltrax {

void MainWindow::GetSelectionRect(float& left, float& top, float& width, float& height)
{
    left = static_cast<float>(std::min(global.SelX1, global.SelX2) - static_cast<double>(Picture1->ScaleLeft()));
    top = static_cast<float>(std::min(global.SelY1, global.SelY2) - static_cast<double>(Picture1->ScaleTop()));
    const int32_t w = Sub32(global.SelX2, global.SelX1);
    const int32_t h = Sub32(global.SelY2, global.SelY1);
    if (w == INT32_MIN || h == INT32_MIN)
        throw Fault("integer overflow");
    width = static_cast<float>(std::abs(w));
    height = static_cast<float>(std::abs(h));
}

void MainWindow::CopyView()
{
    float left = 0, top = 0, width = 0, height = 0;
    GetSelectionRect(left, top, width, height);
    QClipboard* clip = QGuiApplication::clipboard();
    // A selection without width or height (a click) copies the whole picture.
    if (global.SelectionDone && width > 0 && height > 0) {
        const QImage part = Picture1->CopyRect(left, top, width, height);
        Picdest->SetImage(part);
        clip->clear();
        clip->setImage(Picdest->Image());
        global.SelectionDone = kFalse;
    } else {
        clip->clear();
        clip->setImage(Picture1->Image());
    }
}

void MainWindow::Copysel_Click()
{
    CopyView();
}

}  // namespace veltrax
