// SPDX-License-Identifier: GPL-3.0-or-later
// Today's date, the real-time run and the animation. All three only write the
// fields and spin controls; the carries and the recalculation are the fields'.
#include "results/numtext.h"
#include "window/main_window.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QThread>
#include <QTimer>

#include <algorithm>

namespace veltrax {

namespace {

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

}  // namespace

void MainWindow::Pause(int ms)
{
    if (Sleep)
        Sleep(ms);
    else
        QThread::msleep(static_cast<unsigned long>(ms));
}

void MainWindow::tday_Click()
{
    if (closed_)
        return;
    const QDate today = Clock().date();
    const QString year = QString::number(today.year());
    if (Nen->text() == year)
        Nen_Change();  // an unchanged text raises no change, but February must follow the year
    else
        Nen->setText(year);
    tuki->setText(QString::number(today.month()));
    Hi->setText(QString::number(today.day()));

    // Brings back into step a spin control the fields have left behind (the
    // minute during the real-time run). The hour, minute and second stay.
    if (auto v = WholeForSpin(Hun))
        VSmin->SetValue(*v);
    if (auto v = WholeForSpin(Jikoku))
        VSh->SetValue(*v);
    if (auto v = WholeForSpin(Hi))
        VSday->SetValue(*v);
    if (auto v = WholeForSpin(tuki))
        VSmon->SetValue(*v);
}

void MainWindow::Timer1_Timer()
{
    if (closed_)
        return;
    tday_Click();
    const QTime now = Clock().time();
    Jikoku->setText(QString::number(now.hour()));
    Hun->setText(QString::number(now.minute()));
    Byo->setText(QString::number(now.second()));
    Recalc();
}

void MainWindow::RTime_Click()
{
    if (closed_)
        return;
    Timer1->stop();
    if (RTime->isChecked())
        Timer1->start();
    Timer1_Timer();
    if (!RTime->isChecked()) {
        // The run wrote the second without moving its spin control (today's
        // date brings back the others): bring it back too, so the next click
        // on it steps from the second shown.
        if (auto v = WholeForSpin(Byo); v && *v >= 0 && *v <= 59)
            VSsec->SetValue(*v);
    }
    Command1->setText(QStringLiteral("ｱﾆﾒｰｼｮﾝ"));
    global.AnimRunning = kFalse;
}

void MainWindow::Command1_Click()
{
    if (closed_)
        return;
    RTime->setChecked(false);  // stops a real-time run (its handler runs nested)
    if (global.AnimRunning) {
        // A run further out on the call stack sees the cleared flag and ends.
        Command1->setText(QStringLiteral("ｱﾆﾒｰｼｮﾝ"));
        global.AnimRunning = kFalse;
        return;
    }
    Command1->setText(QStringLiteral("ｱﾆﾒ停止"));
    global.AnimRunning = kTrue;
    // Each step is due its pause (5 or 50 ms) after the one before, on a
    // schedule counted from the run's start: neither a step's own work nor a
    // sleep that oversleeps adds up, and the run keeps its written pace.
    int64_t dueMs = SteadyMs();
    for (int step = 0; step <= 4800; ++step) {
        if (Option2->isChecked()) {
            VSmin->SetValue(VSmin->Value() + 1);
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (closed_)
                return;  // the window is gone: touch nothing more
            dueMs += 5;
            Pause(PauseUntil(dueMs, SteadyMs(), 5));
        } else if (Option3->isChecked()) {
            VSh->SetValue(VSh->Value() + 1);
            QCoreApplication::processEvents(QEventLoop::AllEvents);
            if (closed_)
                return;
            dueMs += 50;
            Pause(PauseUntil(dueMs, SteadyMs(), 50));
        }
        if (closed_ || !global.AnimRunning)
            return;
    }
    Command1->setText(QStringLiteral("ｱﾆﾒｰｼｮﾝ"));
    global.AnimRunning = kFalse;
}

}  // namespace veltrax
