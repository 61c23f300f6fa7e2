// SPDX-License-Identifier: GPL-3.0-or-later
// A started window with a wall clock the test sets, and the window's controls
// found by their names, as assistive technology finds them.
#pragma once

#include "platform/controls.h"
#include "platform/picture_box.h"
#include "view/view_controller.h"
#include "window/main_window.h"
#include "window/settings.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSlider>
#include <QTimer>
#include <array>
#include <memory>
#include <stdexcept>
#include <string>

namespace veltrax::testing {

// The control of that name, or an exception naming it.
template <typename T = QWidget>
T* Named(const QObject& w, const char* name)
{
    T* c = w.findChild<T*>(QString::fromLatin1(name));
    if (!c)
        throw std::runtime_error(std::string("no control named ") + name);
    return c;
}

// The form's controls by their names.
struct FormControls {
    explicit FormControls(const QObject& window) : w(window) {}
    const QObject& w;
    template <typename T>
    T* N(const char* name) const { return Named<T>(w, name); }
    using Edit = platform::LimitedLineEdit;
    using Spin = platform::SpinBar;
    using Label = platform::CaptionLabel;
    using Box = platform::PictureBox;
    Edit *Nen = N<Edit>("Nen"), *tuki = N<Edit>("tuki"), *Hi = N<Edit>("Hi"), *Jikoku = N<Edit>("Jikoku"),
         *Hun = N<Edit>("Hun"), *Byo = N<Edit>("Byo");
    Spin *VSmon = N<Spin>("VSmon"), *VSday = N<Spin>("VSday"), *VSh = N<Spin>("VSh"), *VSmin = N<Spin>("VSmin"),
         *VSsec = N<Spin>("VSsec");
    QPushButton *tday = N<QPushButton>("tday"), *Command1 = N<QPushButton>("Command1"),
                *Command2 = N<QPushButton>("Command2"), *Copysel = N<QPushButton>("Copysel"),
                *Cexit = N<QPushButton>("Cexit");
    QCheckBox *RTime = N<QCheckBox>("RTime"), *Check1 = N<QCheckBox>("Check1");
    QTimer* Timer1 = N<QTimer>("Timer1");
    QGroupBox* Frame1 = N<QGroupBox>("Frame1");
    QRadioButton *Option2 = N<QRadioButton>("Option2"), *Option3 = N<QRadioButton>("Option3");
    std::array<QRadioButton*, 2> Option1{N<QRadioButton>("Option1_0"), N<QRadioButton>("Option1_1")};
    QSlider* Slider1 = N<QSlider>("Slider1");
    Box *Picture1 = N<Box>("Picture1"), *Picture2 = N<Box>("Picture2"), *Picdest = N<Box>("Picdest");
    Label *title1 = N<Label>("title1"), *Label10 = N<Label>("Label10"), *Label9 = N<Label>("Label9"),
          *result = N<Label>("result"), *Taikei = N<Label>("Taikei"), *Label7 = N<Label>("Label7"),
          *Label1 = N<Label>("Label1"), *Label3 = N<Label>("Label3"), *Label4 = N<Label>("Label4"),
          *Label5 = N<Label>("Label5"), *Label6 = N<Label>("Label6");
    std::array<Label*, 4> Label2{N<Label>("Label2_0"), N<Label>("Label2_1"), N<Label>("Label2_2"), N<Label>("Label2_3")};
};

inline FormControls Form(const QObject& w)
{
    return FormControls(w);
}

// The six field texts as they stand.
inline FieldTexts FieldsOf(const QObject& w)
{
    const FormControls c = Form(w);
    return FieldTexts{c.Nen->text().toStdString(),    c.tuki->text().toStdString(), c.Hi->text().toStdString(),
                      c.Jikoku->text().toStdString(), c.Hun->text().toStdString(),  c.Byo->text().toStdString()};
}

// The picture drawn again for the moment shown (events run first).
inline void Redraw(QObject& w)
{
    w.findChild<ViewController*>()->Redraw();
}

// The layout pass, as the window system's resize runs it.
inline void Relayout(QWidget& w)
{
    QResizeEvent e(w.size(), w.size());
    QCoreApplication::sendEvent(&w, &e);
}

// One tick of the real-time run's timer.
inline void Tick(QObject& w)
{
    QMetaObject::invokeMethod(Named<QTimer>(w, "Timer1"), "timeout", Qt::DirectConnection);
}

// The background menu's item of that name.
inline QAction* Action(const QObject& w, const char* name)
{
    return Named<QAction>(w, name);
}

struct FixedClock {
    QDateTime now;
};

// A window after start-up, its clock reading `clock->now` (changeable later)
// and its animation pauses skipped; its steady clock stands still, so every
// step asks for its whole pause.
inline std::unique_ptr<MainWindow> StartedWindow(std::shared_ptr<FixedClock> clock)
{
    auto w = std::make_unique<MainWindow>();
    w->seams.clock.now = [clock] { return clock->now; };
    w->seams.clock.sleep = [](int) {};
    w->seams.clock.steadyMs = [] { return int64_t{0}; };
    w->StartUp();
    return w;
}

inline std::shared_ptr<FixedClock> ClockAt(int y, int mo, int d, int h, int mi, int s)
{
    auto c = std::make_shared<FixedClock>();
    c->now = QDateTime(QDate(y, mo, d), QTime(h, mi, s));
    return c;
}

// A window started at that local (JST) minute with the settings the test's
// settings file gives, as the program would start without options.
inline std::unique_ptr<MainWindow> StartedAt(int y, int mo, int d, int h, int mi)
{
    auto w = std::make_unique<MainWindow>();
    auto clock = ClockAt(y, mo, d, h, mi, 0);
    w->seams.clock.now = [clock] { return clock->now; };
    w->seams.clock.sleep = [](int) {};
    w->SetSettings(LoadWindowSettings({}));
    w->StartUp();
    return w;
}

}  // namespace veltrax::testing
