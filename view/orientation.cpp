// SPDX-License-Identifier: GPL-3.0-or-later
// Erect (binoculars) or inverted (astronomical telescope) view, either of
// them mirrored when the star diagonal's view is chosen.
#include "window/main_window.h"

#include "render/scene.h"
#include "window/view_options.h"

#include <QRadioButton>

namespace veltrax {

void MainWindow::Option1_Click(int16_t)
{
    DrawView(global.CurrentJDE);
    // The compass follows the same orientation as the scene.
    const ViewOrientation view = OrientationFor(!Option1[0]->isChecked(), viewOptions->Choices().mirror);
    Label4->SetCaption(QString::fromUtf8(view.top));
    Label5->SetCaption(QString::fromUtf8(view.left));
    Label6->SetCaption(QString::fromUtf8(view.right));
}

}  // namespace veltrax
