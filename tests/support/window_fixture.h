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
    platform::LimitedLineEdit *Nen, *tuki, *Hi, *Jikoku, *Hun, *Byo;
    platform::SpinBar *VSmon, *VSday, *VSh, *VSmin, *VSsec;
    QPushButton *tday, *Command1, *Command2, *Copysel, *Cexit;
    QCheckBox *RTime, *Check1;
    QTimer* Timer1;
    QGroupBox* Frame1;
    QRadioButton *Option2, *Option3;
    std::array<QRadioButton*, 2> Option1;
    QSlider* Slider1;
    platform::PictureBox *Picture1, *Picture2, *Picdest;
    platform::CaptionLabel *title1, *Label10, *Label9, *result, *Taikei, *Label7;
    platform::CaptionLabel *Label1, *Label3, *Label4, *Label5, *Label6;
    std::array<platform::CaptionLabel*, 4> Label2;
};

inline FormControls Form(const QObject& w)
{
    using platform::CaptionLabel;
    using platform::LimitedLineEdit;
    using platform::PictureBox;
    using platform::SpinBar;
    FormControls c{};
    c.Nen = Named<LimitedLineEdit>(w, "Nen");
    c.tuki = Named<LimitedLineEdit>(w, "tuki");
    c.Hi = Named<LimitedLineEdit>(w, "Hi");
    c.Jikoku = Named<LimitedLineEdit>(w, "Jikoku");
    c.Hun = Named<LimitedLineEdit>(w, "Hun");
    c.Byo = Named<LimitedLineEdit>(w, "Byo");
    c.VSmon = Named<SpinBar>(w, "VSmon");
    c.VSday = Named<SpinBar>(w, "VSday");
    c.VSh = Named<SpinBar>(w, "VSh");
    c.VSmin = Named<SpinBar>(w, "VSmin");
    c.VSsec = Named<SpinBar>(w, "VSsec");
    c.tday = Named<QPushButton>(w, "tday");
    c.Command1 = Named<QPushButton>(w, "Command1");
    c.Command2 = Named<QPushButton>(w, "Command2");
    c.Copysel = Named<QPushButton>(w, "Copysel");
    c.Cexit = Named<QPushButton>(w, "Cexit");
    c.RTime = Named<QCheckBox>(w, "RTime");
    c.Check1 = Named<QCheckBox>(w, "Check1");
    c.Timer1 = Named<QTimer>(w, "Timer1");
    c.Frame1 = Named<QGroupBox>(w, "Frame1");
    c.Option2 = Named<QRadioButton>(w, "Option2");
    c.Option3 = Named<QRadioButton>(w, "Option3");
    c.Option1 = {Named<QRadioButton>(w, "Option1_0"), Named<QRadioButton>(w, "Option1_1")};
    c.Slider1 = Named<QSlider>(w, "Slider1");
    c.Picture1 = Named<PictureBox>(w, "Picture1");
    c.Picture2 = Named<PictureBox>(w, "Picture2");
    c.Picdest = Named<PictureBox>(w, "Picdest");
    c.title1 = Named<CaptionLabel>(w, "title1");
    c.Label10 = Named<CaptionLabel>(w, "Label10");
    c.Label9 = Named<CaptionLabel>(w, "Label9");
    c.result = Named<CaptionLabel>(w, "result");
    c.Taikei = Named<CaptionLabel>(w, "Taikei");
    c.Label7 = Named<CaptionLabel>(w, "Label7");
    c.Label1 = Named<CaptionLabel>(w, "Label1");
    c.Label3 = Named<CaptionLabel>(w, "Label3");
    c.Label4 = Named<CaptionLabel>(w, "Label4");
    c.Label5 = Named<CaptionLabel>(w, "Label5");
    c.Label6 = Named<CaptionLabel>(w, "Label6");
    c.Label2 = {Named<CaptionLabel>(w, "Label2_0"), Named<CaptionLabel>(w, "Label2_1"),
                Named<CaptionLabel>(w, "Label2_2"), Named<CaptionLabel>(w, "Label2_3")};
    return c;
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
