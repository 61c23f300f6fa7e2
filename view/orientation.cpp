// Erect (binoculars) or inverted (astronomical telescope) view.
#include "window/main_window.h"

#include <QRadioButton>

namespace veltrax {

void MainWindow::Option1_Click(int16_t)
{
    DrawView(global.CurrentJDE);
    if (Option1[0]->isChecked()) {
        Label4->SetCaption(QStringLiteral("南"));
        Label5->SetCaption(QStringLiteral("東"));
        Label6->SetCaption(QStringLiteral("西"));
    } else {
        Label4->SetCaption(QStringLiteral("北"));
        Label5->SetCaption(QStringLiteral("西"));
        Label6->SetCaption(QStringLiteral("東"));
    }
}

}  // namespace veltrax
