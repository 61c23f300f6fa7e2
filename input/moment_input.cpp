// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/moment_input.h"

#include "engine/calendar.h"
#include "engine/checked.h"
#include "platform/controls.h"
#include "platform/guard.h"
#include "results/numtext.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>

namespace veltrax {

namespace {

std::string Text(const QLineEdit* e)
{
    return e->text().toStdString();
}

// Writes the field as the decimal text of its number plus delta (2026 + 1
// gives "2027"), which runs the field's handler at once. false, and nothing
// written, when the field is empty or not a number: nothing can carry into it.
bool WriteCarry(QLineEdit* field, double delta)
{
    const auto n = FieldNumber(Text(field));
    if (!n)
        return false;
    field->setText(QString::fromStdString(ShortText(*n + delta)));
    return true;
}

// The field's whole value as a spin value; nullopt when it is not a number.
std::optional<int> WholeForSpin(const QLineEdit* e)
{
    const auto v = FieldWhole(e->text().toStdString());
    if (!v)
        return std::nullopt;
    if (*v < -32768 || *v > 32767)
        throw Fault("overflow converting to a 16-bit integer");
    return *v;
}

bool InRange(int v, int lo, int hi)
{
    return v >= lo && v <= hi;
}

// A run that has fallen further behind its schedule than this (the window
// dragged, the machine busy) starts its schedule again from now rather than
// racing through the steps it missed.
constexpr int64_t kCatchUpMs = 250;

// The pause after a step that is due at dueMs, now being nowMs: what is left
// until then, nothing when the step is late. dueMs moves on when the run is
// too far behind.
int PauseUntil(int64_t& dueMs, int64_t nowMs, int pauseMs)
{
    if (nowMs - dueMs > kCatchUpMs)
        dueMs = nowMs;
    return static_cast<int>(std::clamp<int64_t>(dueMs - nowMs, 0, pauseMs));
}

// The animation: 4801 steps of a minute ("低速", 5 ms apart) or an hour
// ("高速", 50 ms apart).
constexpr int kAnimationSteps = 4801;
constexpr int kSlowPauseMs = 5;
constexpr int kFastPauseMs = 50;

int64_t SteadyNowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

}  // namespace

MomentInput::MomentInput(const MomentControls& controls, const MomentClock& clock, QObject* parent)
    : QObject(parent), c_(controls), clock_(clock)
{
    using platform::Guarded;
    ShowTexts();
    const auto onText = [this](QLineEdit* e, Handler h) {
        connect(e, &QLineEdit::textChanged, this, Guarded([this, h] { (this->*h)(); }));
    };
    onText(c_.year, &MomentInput::YearChanged);
    onText(c_.month, &MomentInput::MonthChanged);
    onText(c_.day, &MomentInput::DayChanged);
    onText(c_.hour, &MomentInput::HourChanged);
    onText(c_.minute, &MomentInput::MinuteChanged);
    onText(c_.second, &MomentInput::SecondChanged);
    const auto onSpin = [this](platform::SpinBar* s, Handler h) {
        connect(s, &platform::SpinBar::Changed, this, Guarded([this, h] { (this->*h)(); }));
    };
    onSpin(c_.monthSpin, &MomentInput::MonthSpun);
    onSpin(c_.daySpin, &MomentInput::DaySpun);
    onSpin(c_.hourSpin, &MomentInput::HourSpun);
    onSpin(c_.minuteSpin, &MomentInput::MinuteSpun);
    onSpin(c_.secondSpin, &MomentInput::SecondSpun);
    connect(c_.today, &QPushButton::clicked, this, Guarded([this] { TakeToday(); }));
    connect(c_.animate, &QPushButton::clicked, this, Guarded([this] { AnimateClicked(); }));
    // The real-time box's handler runs also when the program changes it.
    connect(c_.realTime, &QCheckBox::toggled, this, [this](bool on) {
        realTime_ = on;
        platform::Guard([this] { RealTimeToggled(); });
    });
    // The speed is read afresh at every step of the animation.
    realTime_ = c_.realTime->isChecked();
    fast_ = c_.fast->isChecked();
    connect(c_.fast, &QRadioButton::toggled, this, [this](bool on) { fast_ = on; });
    connect(c_.timer, &QTimer::timeout, this, Guarded([this] { Tick(); }));
}

void MomentInput::Recalculate()
{
    if (recalculate)
        recalculate();
}

FieldTexts MomentInput::Fields() const
{
    return FieldTexts{Text(c_.year), Text(c_.month), Text(c_.day), Text(c_.hour), Text(c_.minute), Text(c_.second)};
}

void MomentInput::StartUp()
{
    monthDays_ = kCommonYearMonthDays;
    // Today's date, then the hour and minute of the wall clock; the second
    // stays 0.
    TakeToday();
    const QTime now = clock_.now().time();
    c_.hour->setText(QString::number(now.hour()));
    c_.minute->setText(QString::number(now.minute()));
    // The spin controls from the field texts, rounded.
    const auto spinOf = [](const QLineEdit* e) { return FieldSpin(e->text().toStdString()); };
    if (auto v = spinOf(c_.minute))
        c_.minuteSpin->SetValue(*v);
    if (auto v = spinOf(c_.hour))
        c_.hourSpin->SetValue(*v);
    if (auto v = spinOf(c_.day))
        c_.daySpin->SetValue(*v);
    if (auto v = spinOf(c_.month))
        c_.monthSpin->SetValue(*v);
}

void MomentInput::Type(const CivilTime& jst)
{
    animating_ = false;
    if (realTime_)
        c_.realTime->click();
    // The day first to 1, which every month has, so no field carries on the way.
    const auto type = [](QLineEdit* field, int64_t v) { field->setText(QString::number(v)); };
    type(c_.day, 1);
    type(c_.year, jst.year);
    type(c_.month, jst.month);
    type(c_.day, jst.day);
    type(c_.hour, jst.hour);
    type(c_.minute, jst.minute);
    type(c_.second, jst.second);
}

void MomentInput::StopAnimation()
{
    animating_ = false;
}

void MomentInput::Close()
{
    closed_ = true;
    animating_ = false;
    c_.timer->stop();
}

// ---- the fields --------------------------------------------------------------
//
// Each handler runs on every change of its field's text, typed or written by
// the program. An empty field, or one that is not a number, is ignored; when
// the larger unit's field is such a one, nothing can carry into it.

// After a carry or borrow the spin control holds the wrapped value and its
// handler writes it back into the field, also when the control held that
// value already (the field must not keep the out-of-range text).
void MomentInput::WrapSpin(platform::SpinBar* spin, int value, Handler spun)
{
    if (spin->Value() == value)
        (this->*spun)();
    else
        spin->SetValue(value);
}

// When nothing can carry, the field is left as it is; only a spin control
// that a click took past the end of its range is brought back to that end.
void MomentInput::HoldInRange(platform::SpinBar* spin, int lo, int hi, Handler spun)
{
    if (spin->Value() > hi)
        WrapSpin(spin, hi, spun);
    else if (spin->Value() < lo)
        WrapSpin(spin, lo, spun);
}

// A field of the units lo to hi: above hi it carries one into the larger
// unit's field and wraps to lo, below lo it borrows one and wraps to hi. true
// when the value was in range and nothing was done.
bool MomentInput::CarryOrBorrow(int32_t v, int lo, int hi, QLineEdit* larger, platform::SpinBar* spin, Handler spun)
{
    if (v >= lo && v <= hi)
        return true;
    const bool up = v > hi;
    if (WriteCarry(larger, up ? +1 : -1))
        WrapSpin(spin, up ? lo : hi, spun);
    else
        HoldInRange(spin, lo, hi, spun);
    return false;
}

void MomentInput::YearChanged()
{
    const std::string t = Text(c_.year);
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
    // February follows the year before anything is recalculated, also for
    // a refused year beyond the 32-bit range.
    monthDays_ = WindowMonthDays(whole);
    if (!y) {
        if (yearRefused)
            yearRefused();
        return;
    }
    Recalculate();
}

void MomentInput::MonthChanged()
{
    const std::string t = Text(c_.month);
    if (t.empty())
        return;
    const auto v = FieldWhole(t);
    if (!v)
        return;
    if (CarryOrBorrow(*v, 1, 12, c_.year, c_.monthSpin, &MomentInput::MonthSpun))
        c_.monthSpin->SetValue(*FieldSpin(t));
}

void MomentInput::DayChanged()
{
    const std::string t = Text(c_.day);
    if (t.empty())
        return;
    const auto d = FieldWhole(t);
    if (!d)
        return;
    const auto m = FieldWhole(Text(c_.month));
    if (!m || *m < 1 || *m > 12) {
        // No month to measure the day against: a day that some month has
        // moves its spin control as in range; any other is held at the end.
        if (*d >= 1 && *d <= 31)
            c_.daySpin->SetValue(*FieldSpin(t));
        else
            HoldInRange(c_.daySpin, 1, 31, &MomentInput::DaySpun);
        return;
    }
    const int32_t length = monthDays_[static_cast<size_t>(*m - 1)];
    if (*d > length) {
        if (WriteCarry(c_.month, +1))
            WrapSpin(c_.daySpin, 1, &MomentInput::DaySpun);
    } else if (*d < 1) {
        if (!WriteCarry(c_.month, -1))
            return;
        // The borrow may have gone on into the year and left the month at 12.
        const auto m2 = FieldWhole(Text(c_.month));
        const int32_t last = (m2 && *m2 >= 1 && *m2 <= 12) ? monthDays_[static_cast<size_t>(*m2 - 1)] : 31;
        WrapSpin(c_.daySpin, last, &MomentInput::DaySpun);
    } else {
        c_.daySpin->SetValue(*FieldSpin(t));
    }
}

void MomentInput::HourChanged()
{
    const std::string t = Text(c_.hour);
    if (t.empty())
        return;
    const auto v = FieldWhole(t);
    if (!v)
        return;
    if (CarryOrBorrow(*v, 0, 23, c_.day, c_.hourSpin, &MomentInput::HourSpun))
        c_.hourSpin->SetValue(*FieldSpin(t));
}

void MomentInput::MinuteChanged()
{
    const std::string t = Text(c_.minute);
    if (t.empty())
        return;
    const auto v = FieldWhole(t);
    if (!v)
        return;
    if (CarryOrBorrow(*v, 0, 59, c_.hour, c_.minuteSpin, &MomentInput::MinuteSpun) && !realTime_) {
        // While the real-time run is on, it writes the minute every second and
        // recalculates by itself.
        c_.minuteSpin->SetValue(*FieldSpin(t));
    }
}

void MomentInput::SecondChanged()
{
    const std::string t = Text(c_.second);
    if (t.empty())
        return;
    const auto v = FieldWhole(t);
    if (!v)
        return;
    if (CarryOrBorrow(*v, 0, 59, c_.minute, c_.secondSpin, &MomentInput::SecondSpun) &&
        !realTime_ && !writingSecond_) {
        // A typed second takes effect at once: the spin control follows it,
        // and the display is recalculated even when the control held that
        // value already (the real-time run may have left them apart).
        const int16_t s = *FieldSpin(t);
        if (c_.secondSpin->Value() != s)
            c_.secondSpin->SetValue(s);
        else
            Recalculate();
    }
}

// ---- the spin controls ---------------------------------------------------------

void MomentInput::MonthSpun()
{
    c_.month->setText(QString::number(c_.monthSpin->Value()));
    Recalculate();
}

void MomentInput::DaySpun()
{
    c_.day->setText(QString::number(c_.daySpin->Value()));
    if (InRange(c_.hourSpin->Value(), 0, 23))
        Recalculate();
}

void MomentInput::HourSpun()
{
    c_.hour->setText(QString::number(c_.hourSpin->Value()));
    if (InRange(c_.minuteSpin->Value(), 0, 59))
        Recalculate();
}

void MomentInput::MinuteSpun()
{
    c_.minute->setText(QString::number(c_.minuteSpin->Value()));
    if (InRange(c_.secondSpin->Value(), 0, 59))
        Recalculate();
}

void MomentInput::SecondSpun()
{
    {
        // The second's handler must not recalculate for the text written
        // here: this handler does it once the chain has wrapped.
        const bool outer = writingSecond_;
        writingSecond_ = true;
        struct Restore {
            bool& flag;
            bool value;
            ~Restore() { flag = value; }
        } restore{writingSecond_, outer};
        c_.second->setText(QString::number(c_.secondSpin->Value()));
    }
    Recalculate();
}

// ---- today, the real-time run and the animation --------------------------------

void MomentInput::TakeToday()
{
    if (closed_)
        return;
    const QDate today = clock_.now().date();
    const QString year = QString::number(today.year());
    if (c_.year->text() == year)
        YearChanged();  // an unchanged text raises no change, but February must follow the year
    else
        c_.year->setText(year);
    c_.month->setText(QString::number(today.month()));
    c_.day->setText(QString::number(today.day()));

    // Brings back into step a spin control the fields have left behind (the
    // minute during the real-time run). The hour, minute and second stay.
    if (auto v = WholeForSpin(c_.minute))
        c_.minuteSpin->SetValue(*v);
    if (auto v = WholeForSpin(c_.hour))
        c_.hourSpin->SetValue(*v);
    if (auto v = WholeForSpin(c_.day))
        c_.daySpin->SetValue(*v);
    if (auto v = WholeForSpin(c_.month))
        c_.monthSpin->SetValue(*v);
}

void MomentInput::Tick()
{
    if (closed_)
        return;
    TakeToday();
    const QTime now = clock_.now().time();
    c_.hour->setText(QString::number(now.hour()));
    c_.minute->setText(QString::number(now.minute()));
    c_.second->setText(QString::number(now.second()));
    Recalculate();
}

void MomentInput::RealTimeToggled()
{
    if (closed_)
        return;
    c_.timer->stop();
    if (realTime_)
        c_.timer->start();
    Tick();
    if (!realTime_) {
        // The run wrote the second without moving its spin control (today's
        // date brings back the others): bring it back too, so the next click
        // on it steps from the second shown.
        if (auto v = WholeForSpin(c_.second); v && *v >= 0 && *v <= 59)
            c_.secondSpin->SetValue(*v);
    }
    animating_ = false;
    ShowTexts();
}

void MomentInput::ShowTexts()
{
    c_.animate->setText(animating_ ? tr("ｱﾆﾒ停止") : tr("ｱﾆﾒｰｼｮﾝ"));
}

void MomentInput::Pause(int ms)
{
    if (clock_.sleep)
        clock_.sleep(ms);
    else
        QThread::msleep(static_cast<unsigned long>(ms));
}

void MomentInput::AnimateClicked()
{
    if (closed_)
        return;
    c_.realTime->setChecked(false);  // stops a real-time run (its handler runs nested)
    if (animating_) {
        // A run further out on the call stack sees the cleared flag and ends.
        animating_ = false;
        ShowTexts();
        return;
    }
    animating_ = true;
    ShowTexts();
    // Each step is due its pause after the one before, on a schedule counted
    // from the run's start: neither a step's own work nor a sleep that
    // oversleeps adds up, and the run keeps its written pace.
    const auto steady = [this] { return clock_.steadyMs ? clock_.steadyMs() : SteadyNowMs(); };
    int64_t dueMs = steady();
    for (int step = 0; step < kAnimationSteps; ++step) {
        // The speed is read afresh at every step.
        platform::SpinBar* spin = fast_ ? c_.hourSpin : c_.minuteSpin;
        const int pauseMs = fast_ ? kFastPauseMs : kSlowPauseMs;
        {
            spin->SetValue(spin->Value() + 1);
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (closed_)
                return;  // the window is gone: touch nothing more
            dueMs += pauseMs;
            Pause(PauseUntil(dueMs, steady(), pauseMs));
        }
        if (closed_ || !animating_)
            return;
    }
    animating_ = false;
    ShowTexts();
}

}  // namespace veltrax
