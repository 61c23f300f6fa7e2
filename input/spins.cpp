// SPDX-License-Identifier: GPL-3.0-or-later
// The five spin controls. Each writes its value back into its field (which
// may carry and wrap it, nested) and recalculates unless the next finer unit
// is itself still in the middle of a carry.
#include "window/main_window.h"

namespace veltrax {

namespace {

bool InRange(int v, int lo, int hi)
{
    return v >= lo && v <= hi;
}

}  // namespace

void MainWindow::VSmon_Change()
{
    tuki->setText(QString::number(VSmon->Value()));
    Recalc();
}

void MainWindow::VSday_Change()
{
    Hi->setText(QString::number(VSday->Value()));
    if (InRange(VSh->Value(), 0, 23))
        Recalc();
}

void MainWindow::VSh_Change()
{
    Jikoku->setText(QString::number(VSh->Value()));
    if (InRange(VSmin->Value(), 0, 59))
        Recalc();
}

void MainWindow::VSmin_Change()
{
    Hun->setText(QString::number(VSmin->Value()));
    if (InRange(VSsec->Value(), 0, 59))
        Recalc();
}

void MainWindow::VSsec_Change()
{
    {
        // The second handler must not recalculate for the text written here:
        // this handler does it once the chain has wrapped.
        const bool outer = writingSecond_;
        writingSecond_ = true;
        struct Restore {
            bool& flag;
            bool value;
            ~Restore() { flag = value; }
        } restore{writingSecond_, outer};
        Byo->setText(QString::number(VSsec->Value()));
    }
    Recalc();
}

}  // namespace veltrax
