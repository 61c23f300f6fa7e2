// SPDX-License-Identifier: GPL-3.0-or-later
// The moment input: the six date and time fields (Japan Standard Time), their
// five spin controls, today's date, the real-time run and the animation.
//
// The six field texts are the moment. Editing a field carries into or borrows
// from the next larger unit and moves the field's spin control; the spin
// control writes its value back and asks for a recalculation. Every write
// runs these handlers at once, nested in the writer, in the order the form
// gives them, so one edit can ask for several recalculations; the window's
// recalculation ignores every state whose month, day, hour or minute is out
// of range.
#pragma once

#include "engine/calendar.h"
#include "results/recalc.h"

#include <QDateTime>
#include <QObject>
#include <cstdint>
#include <functional>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace veltrax {

namespace platform {
class LimitedLineEdit;
class SpinBar;
}  // namespace platform

// The controls of the moment input, made at their places by the window's form.
struct MomentControls {
    platform::LimitedLineEdit *year, *month, *day, *hour, *minute, *second;
    platform::SpinBar *monthSpin, *daySpin, *hourSpin, *minuteSpin, *secondSpin;
    QPushButton* today;       // "今日の日付"
    QCheckBox* realTime;      // "実時間運転"
    QTimer* timer;            // the real-time run's tick, 990 ms
    QPushButton* animate;     // "ｱﾆﾒｰｼｮﾝ" / "ｱﾆﾒ停止"
    QRadioButton *slow, *fast;  // "低速" (a minute a step), "高速" (an hour a step)
};

// The clocks the input reads; tests replace them.
struct MomentClock {
    // The wall clock: local date and time, taken as Japan Standard Time.
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTime(); };
    // The animation's pause, milliseconds (none: a real sleep).
    std::function<void(int ms)> sleep;
    // A steady clock in milliseconds that paces the animation's steps.
    std::function<int64_t()> steadyMs;
};

class MomentInput : public QObject {
    Q_OBJECT
public:
    // clock is read at every use and must outlive the input.
    MomentInput(const MomentControls& controls, const MomentClock& clock, QObject* parent);

    // What the input asks of the window, called at once, nested in the
    // handler that asks: recalculate from the fields; show that the year is
    // beyond the last one computed.
    std::function<void()> recalculate;
    std::function<void()> yearRefused;

    // Start-up: the month table, today's date, the wall clock's hour and
    // minute (the second stays 0) and the spin controls from the fields.
    void StartUp();

    // The six field texts as they stand, and the month lengths (February
    // follows the year field).
    FieldTexts Fields() const;
    const MonthTable& MonthDays() const { return monthDays_; }

    // Types a moment (JST) into the six fields through their handlers, the
    // animation and the real-time run stopped first.
    void Type(const CivilTime& jst);

    // Stops a running animation: the loop ends after its current step.
    void StopAnimation();
    // The animation button's caption, in the language installed now.
    void ShowTexts();
    bool AnimationRunning() const { return animating_; }

    // The window has closed: loops still on the call stack end without
    // touching a control, and the timer stops.
    void Close();

private:
    // The fields' handlers: carry or borrow, then move the spin control.
    void YearChanged();
    void MonthChanged();
    void DayChanged();
    void HourChanged();
    void MinuteChanged();
    void SecondChanged();
    // The spin controls' handlers: write the value back, then recalculate
    // unless a finer unit is still carrying.
    void MonthSpun();
    void DaySpun();
    void HourSpun();
    void MinuteSpun();
    void SecondSpun();
    // "今日の日付", one tick of the real-time run, the real-time box, the
    // animation button.
    void TakeToday();
    void Tick();
    void RealTimeToggled();
    void AnimateClicked();

    using Handler = void (MomentInput::*)();
    void WrapSpin(platform::SpinBar* spin, int value, Handler spun);
    void HoldInRange(platform::SpinBar* spin, int lo, int hi, Handler spun);
    bool CarryOrBorrow(int32_t v, int lo, int hi, QLineEdit* larger, platform::SpinBar* spin, Handler spun);
    void Pause(int ms);
    void Recalculate();

    MomentControls c_;
    const MomentClock& clock_;
    MonthTable monthDays_{};
    bool animating_ = false;
    bool closed_ = false;
    bool writingSecond_ = false;  // the second's spin control is writing its field
    bool realTime_ = false;       // the real-time run is on ("実時間運転" ticked)
    bool fast_ = false;           // "高速": an hour a step (else "低速": a minute)
};

}  // namespace veltrax
