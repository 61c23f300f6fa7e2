// SPDX-License-Identifier: GPL-3.0-or-later
// The main window. It composes the moment input (input/), the view controller
// and its picture (view/), the results panel and the background menu, and
// ties them together: a moment typed or stepped is recalculated, shown in the
// panel and drawn. It also holds the run's settings and opens the spot's
// dialog and the night plan.
#pragma once

#include "input/moment_input.h"
#include "results/grs.h"
#include "results/recalc.h"
#include "view/view_controller.h"
#include "window/form.h"
#include "window/settings.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace veltrax {

class BackgroundMenu;
class DiskReadout;
class EventsDialog;
class ResultsPanel;

// What tests replace: the wall clock and the animation's pace, and the height
// of the frame the window system puts around the window (pixels; none: the
// window system's own, 0 without one).
struct WindowSeams {
    MomentClock clock;
    std::function<int()> frameHeightPx;
};

// What the window shows, read-only: the view, the layout's geometry, the
// moment drawn, the last results and how many recalculations and redraws
// have been completed.
struct WindowState {
    const ViewState& view;
    const ViewGeometry& geometry;
    const PictureMoment& picture;  // its cm2 is reduced by the drawing
    const Results& results;
    const MonthTable& monthDays;
    bool animating;
    long recalculations;
    long draws;
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // Start-up: the controls' run-time state, the tables, the wall-clock
    // moment, the first layout, the first recalculation and the zoom that
    // opens the view magnified.
    void StartUp();
    // Turns the six fields into results, shows them and draws the picture;
    // a state of the fields that is no moment changes nothing.
    void Recalc();
    // The settings of a run: which spot is in force, the picture's switches,
    // the site and the plan. Recalculates once start-up has run.
    void SetSettings(WindowSettings s);
    const WindowSettings& Settings() const { return settings_; }
    WindowState State() const;
    // True once the window has been closed: loops still on the call stack
    // end without touching it.
    bool Closed() const { return closed_; }

    WindowSeams seams;

protected:
    void resizeEvent(QResizeEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void closeEvent(QCloseEvent*) override;

private:
    void ChooseSwitches(const ViewSwitches& s);
    // The background menu's language: in force at once, and kept in the
    // settings file.
    void ChooseLanguage(Language language);
    // Every text of the window and its open plan in `language`, installed now.
    void ShowLanguage(Language language);
    void OpenGrsDialog();
    void OpenPlan();
    int FrameHeightPx() const;

    WindowSettings settings_;
    std::vector<FormText> formTexts_;
    ResultWords words_;
    GrsTable grsTable_;
    Results results_{};
    MomentInput* input_;
    ViewController* view_;
    std::unique_ptr<ResultsPanel> panel_;
    BackgroundMenu* menu_;
    DiskReadout* readout_;
    EventsDialog* plan_ = nullptr;  // once opened; kept while the window lives
    bool closed_ = false;
    bool started_ = false;
    long recalculations_ = 0;
};

}  // namespace veltrax
