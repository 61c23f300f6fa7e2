// SPDX-License-Identifier: GPL-3.0-or-later
// The six date and time fields. Each handler runs on every change of its
// field's text, typed or written by the program, nested in the writer. Out of
// range, a field carries into or borrows from the next larger unit and wraps
// its spin control; in range, it sets its spin control, whose handler
// recalculates. An empty field, or one that is not a number, is ignored; when
// the larger unit's field is such a one, nothing can carry into it.
#include "input/field_text.h"
#include "results/numtext.h"
#include "window/main_window.h"

#include <QCheckBox>

#include <cmath>
#include <optional>

namespace veltrax {

namespace input {

bool WriteCarry(QLineEdit* field, double delta)
{
    const auto n = FieldNumber(Text(field));
    if (!n)
        return false;
    field->setText(QString::fromStdString(ShortText(*n + delta)));
    return true;
}

}  // namespace input

namespace {

// After a carry or borrow the spin control holds the wrapped value and its
// handler writes it back into the field, also when the control held that
// value already (the field must not keep the out-of-range text).
void WrapSpin(platform::SpinBar* spin, int value, MainWindow& w, void (MainWindow::*handler)())
{
    if (spin->Value() == value)
        (w.*handler)();
    else
        spin->SetValue(value);
}

// When nothing can carry (the larger unit's field is empty or not a number),
// the field is left as it is; only a spin control that a click took past the
// end of its range is brought back to that end.
void HoldInRange(platform::SpinBar* spin, int lo, int hi, MainWindow& w, void (MainWindow::*handler)())
{
    if (spin->Value() > hi)
        WrapSpin(spin, hi, w, handler);
    else if (spin->Value() < lo)
        WrapSpin(spin, lo, w, handler);
}

// A field of the units lo to hi with its spin control: above hi it carries
// one into the larger unit's field and wraps to lo, below lo it borrows one
// and wraps to hi. true when the value was in range and nothing was done.
bool CarryOrBorrow(int32_t v, int lo, int hi, QLineEdit* larger, platform::SpinBar* spin, MainWindow& w,
                   void (MainWindow::*handler)())
{
    if (v >= lo && v <= hi)
        return true;
    const bool up = v > hi;
    if (input::WriteCarry(larger, up ? +1 : -1))
        WrapSpin(spin, up ? lo : hi, w, handler);
    else
        HoldInRange(spin, lo, hi, w, handler);
    return false;
}

// The leap rule on a whole year of any size: a refused year beyond the
// 32-bit range still sets February.
bool IsLeapYearWhole(double year)
{
    return std::fmod(year, 400) == 0 || (std::fmod(year, 4) == 0 && std::fmod(year, 100) != 0);
}

}  // namespace

using input::Text;
using input::WriteCarry;

void MainWindow::Nen_Change()
{
    const std::string t = Text(Nen);
    if (t.empty())
        return;
    const auto n = FieldNumber(t);
    if (!n)
        return;
    // A year above the limit is refused however large ("1e10" is typed in
    // four characters); one below the 32-bit range faults like any other
    // year that cannot be computed.
    const double whole = std::floor(*n);
    const auto y = whole > 8500 ? std::nullopt : std::optional<int32_t>(FloorToInt32(*n));
    // February follows the year before anything is recalculated.
    global.MonthDays[1] = 28;
    if (y ? IsLeapYear(*y) : IsLeapYearWhole(whole))
        global.MonthDays[1] = 29;
    if (!y) {
        result->SetCaption(QStringLiteral("年の最大は８５００年です"));
        return;
    }
    Recalc();
}

void MainWindow::tuki_Change()
{
    const std::string t = Text(tuki);
    if (t.empty())
        return;
    const auto v = FieldWhole(t);
    if (!v)
        return;
    if (CarryOrBorrow(*v, 1, 12, Nen, VSmon, *this, &MainWindow::VSmon_Change))
        VSmon->SetValue(*FieldSpin(t));
}

void MainWindow::Hi_Change()
{
    const std::string t = Text(Hi);
    if (t.empty())
        return;
    const auto d = FieldWhole(t);
    if (!d)
        return;
    const auto m = FieldWhole(Text(tuki));
    if (!m || *m < 1 || *m > 12) {
        // No month to measure the day against: a day that some month has
        // moves its spin control as in range; any other is held at the end.
        if (*d >= 1 && *d <= 31)
            VSday->SetValue(*FieldSpin(t));
        else
            HoldInRange(VSday, 1, 31, *this, &MainWindow::VSday_Change);
        return;
    }
    const int32_t length = global.MonthDays[static_cast<size_t>(*m - 1)];
    if (*d > length) {
        if (WriteCarry(tuki, +1))
            WrapSpin(VSday, 1, *this, &MainWindow::VSday_Change);
    } else if (*d < 1) {
        if (!WriteCarry(tuki, -1))
            return;
        // The borrow may have gone on into the year and left the month at 12.
        const auto m2 = FieldWhole(Text(tuki));
        const int32_t last = (m2 && *m2 >= 1 && *m2 <= 12) ? global.MonthDays[static_cast<size_t>(*m2 - 1)] : 31;
        WrapSpin(VSday, last, *this, &MainWindow::VSday_Change);
    } else {
        VSday->SetValue(*FieldSpin(t));
    }
}

void MainWindow::Jikoku_Change()
{
    const std::string t = Text(Jikoku);
    if (t.empty())
        return;
    const auto v = FieldWhole(t);
    if (!v)
        return;
    if (CarryOrBorrow(*v, 0, 23, Hi, VSh, *this, &MainWindow::VSh_Change))
        VSh->SetValue(*FieldSpin(t));
}

void MainWindow::Hun_Change()
{
    const std::string t = Text(Hun);
    if (t.empty())
        return;
    const auto v = FieldWhole(t);
    if (!v)
        return;
    if (CarryOrBorrow(*v, 0, 59, Jikoku, VSmin, *this, &MainWindow::VSmin_Change) && !RTime->isChecked()) {
        // While the real-time run is on, it writes the minute every second and
        // recalculates by itself.
        VSmin->SetValue(*FieldSpin(t));
    }
}

void MainWindow::Byo_Change()
{
    const std::string t = Text(Byo);
    if (t.empty())
        return;
    const auto v = FieldWhole(t);
    if (!v)
        return;
    if (CarryOrBorrow(*v, 0, 59, Hun, VSsec, *this, &MainWindow::VSsec_Change) && !RTime->isChecked() &&
        !writingSecond_) {
        // A typed second takes effect at once: the spin control follows it,
        // and the display is recalculated even when the control held that
        // value already (the real-time run may have left them apart).
        const int16_t s = *FieldSpin(t);
        if (VSsec->Value() != s)
            VSsec->SetValue(s);
        else
            Recalc();
    }
}

}  // namespace veltrax
