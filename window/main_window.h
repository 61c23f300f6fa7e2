// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: its controls at their design places, the window-wide state
// and the event handlers. The handlers live with their subsystem:
//   input/   the date and time fields, spin controls, today, real-time run, animation
//   view/    zoom, selection and drag-pan, orientation, clipboard copy
//   window/  start-up, the recalculation, the redraw, the layout pass, shutdown
#pragma once

#include "engine/engine.h"
#include "platform/controls.h"
#include "platform/picture_box.h"
#include "render/scene.h"
#include "results/grs.h"
#include "results/night_events.h"
#include "results/recalc.h"
#include "window/settings.h"

#include <QDateTime>
#include <QWidget>
#include <chrono>
#include <cstdint>
#include <functional>

class QAction;
class QCheckBox;
class QKeySequence;
class QMenu;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;

namespace veltrax {

class DiskReadout;
class EventsDialog;
class ViewOptions;

// Booleans of the window state: -1 true, 0 false.
constexpr int16_t kTrue = -1;
constexpr int16_t kFalse = 0;

// The module `global`: window-wide variables shared by every handler.
struct GlobalState {
    float WinScale = 0;      // window width / 13100; never left at 0 by the layout pass
    float FormWidthNow = 0;  // window width read by the last layout pass, twips
    float BaseWidth = 0;     // 13100 twips, the width given at start-up
    float BaseHeight = 0;    // the design's outer height, 5400 twips; 0 until start-up stores it
    int16_t AnimRunning = kFalse;
    double CurrentJDE = 0;   // JDE of the instant shown
    int16_t Selecting = kFalse;
    int16_t SelectionDone = kFalse;
    int32_t SelX1 = 0, SelY1 = 0;  // selection anchor (press point), twips
    int32_t SelX2 = 0, SelY2 = 0;  // selection release corner
    int32_t BandX = 0, BandY = 0;  // moving corner of the outline as last drawn
    int32_t LastMouseX = 0, LastMouseY = 0;
    int32_t SelCenterX = 0, SelCenterY = 0;
    int32_t CenterX = 0, CenterY = 0;  // reference centre at magnification 1, twips
    int32_t BodyX[5] = {}, BodyY[5] = {};
    BodyTables Bodies{};       // BodySize, BodyColor, BodyAspect, MoonLabel
    MonthTable MonthDays{};    // February follows the year field
};

class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow();
    ~MainWindow() override;

    // ---- controls (names as the window's design gives them) ----
    platform::LimitedLineEdit *Nen, *tuki, *Hi, *Jikoku, *Hun, *Byo;
    platform::SpinBar *VSmon, *VSday, *VSh, *VSmin, *VSsec;
    QPushButton *tday, *Command1, *Command2, *Copysel, *Cexit;
    QCheckBox *RTime, *Check1;
    QTimer* Timer1;
    QGroupBox* Frame1;
    QRadioButton *Option2, *Option3;
    QRadioButton* Option1[2];
    QSlider* Slider1;
    platform::PictureBox *Picture1, *Picture2, *Picdest;
    platform::CaptionLabel *title1, *Label10, *Label9, *result, *Taikei, *Label7;
    platform::CaptionLabel *Label1, *Label2[4], *Label3, *Label4, *Label5, *Label6;

    // ---- state ----
    GlobalState global;
    int32_t Magnify = 0;
    int32_t ZoomChoice = 0;
    int16_t Zoomed = kFalse;
    int32_t ViewCenterX = 0, ViewCenterY = 0;
    double MoonRadius[4] = {};
    GrsTable GrsTable_;  // `GrsTable`: yearly GRS longitudes, 1977 to 2021 filled at start-up
    double JupArgJ = 0, PhaseCorr = 0;
    double CM1 = 0, CM2 = 0, CM3 = 0;
    double GrsLongitude = 0;

    // The settings of this run (the spot's model, the settings file); the
    // recalculation reads the spot from here.
    WindowSettings settings;

    // The context menu of the window's background (a right click beside the
    // picture); each item is one AddBackgroundAction.
    QMenu* backgroundMenu = nullptr;
    QAction* shadowsAction = nullptr;  // "衛星の影", checked while the shadows are drawn
    ViewOptions* viewOptions = nullptr;  // the precise places, the mirror and the grid, beside it
    DiskReadout* diskReadout = nullptr;  // longitude and latitude under the pointer, with the grid
    EventsDialog* eventsDialog = nullptr;  // once opened; kept while the window lives

    // Seams for tests: the wall clock (local time, taken as Japan Standard
    // Time), the animation's pause and the steady clock (milliseconds) that
    // measures each animation step from its start.
    std::function<QDateTime()> Clock = [] { return QDateTime::currentDateTime(); };
    std::function<void(int ms)> Sleep;
    std::function<int64_t()> SteadyMs = [] {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };

    // The animation's pause: the Sleep seam when set, else a real sleep.
    void Pause(int ms);

    // Height of the title bar and frame that the window system puts around
    // the window, pixels: the layout's window heights include it. 0 until the
    // window is shown with a frame, and always 0 without a window manager.
    std::function<int()> FrameHeightPx = [this] { return SystemFrameHeightPx(); };
    int SystemFrameHeightPx() const;

    // True once the window has been closed: loops still on the call stack end
    // without touching the window.
    bool Closed() const { return closed_; }

    // ---- start-up, recalculation, redraw, layout, shutdown (window/) ----
    void Form_Load();
    void Form_Resize();
    void Recalc();
    void DrawView(double& jde);
    void Cexit_Click();

    // ---- settings (window/) ----
    // Takes the settings of a run, shows which spot is in force and, once
    // start-up has run, recalculates.
    void SetSettings(WindowSettings s);
    // "大赤斑の経度" (Ctrl+G, background menu): the dialog; OK saves the file
    // and recalculates, Cancel changes nothing.
    void GrsSettings_Click();
    // "衛星の影" (Ctrl+H, background menu, checkable): the satellites' shadows
    // on the disk and their eclipses, on or off; kept in the settings file.
    void Shadows_Click();
    // "衛星現象" (Ctrl+E, background menu): the events dialog, opened beside
    // the window or brought to the front.
    void Events_Click();
    // Sets the six fields to a moment through their handlers, as typing
    // would (the animation and the real-time run stopped first).
    void TypeMoment(const JstMoment& m);

    // ---- date and time input (input/) ----
    void Nen_Change();
    void tuki_Change();
    void Hi_Change();
    void Jikoku_Change();
    void Hun_Change();
    void Byo_Change();
    void VSmon_Change();
    void VSday_Change();
    void VSh_Change();
    void VSmin_Change();
    void VSsec_Change();
    void tday_Click();
    void Timer1_Timer();
    void RTime_Click();
    void Command1_Click();

    // ---- view interaction (view/) ----
    void Slider1_Change();
    void Command2_Click();
    void Option1_Click(int16_t index);
    void Picture1_MouseDown(int16_t button, int16_t shift, float x, float y);
    void Picture1_MouseMove(int16_t button, int16_t shift, float x, float y);
    void Picture1_MouseUp(int16_t button, int16_t shift, float x, float y);
    void Picture1_KeyDown(int16_t keyCode, int16_t shift);
    void Check1_Click();
    void DrawBand(int32_t px, int32_t py);
    void Copysel_Click();
    void CopyView();
    void GetSelectionRect(float& left, float& top, float& width, float& height);

    // The tool tip as the program wrote it (carriage returns kept).
    static QString ToolTipCaption(const QWidget* w);

    // The six field texts as they stand.
    FieldTexts Fields() const;

    // Number of completed recalculations and redraws (for tests and benchmarks).
    long RecalcCount() const { return recalcCount_; }
    long DrawCount() const { return drawCount_; }

protected:
    void resizeEvent(QResizeEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void closeEvent(QCloseEvent*) override;

private:
    void CreateControls();
    void ConnectHandlers();
    // Lets pending window events run (a handler yielding to the event loop).
    void DoEvents();
    // Runs a handler that Qt called: a run-time error ends that handler only.
    void Guard(const std::function<void()>& handler);
    // The window's outer height (frame included), twips.
    void SetWindowHeight(double twips);
    // One item of the background menu, also reachable by its shortcut
    // anywhere in the window; the handler runs guarded.
    QAction* AddBackgroundAction(const QString& text, const QKeySequence& shortcut, void (MainWindow::*handler)());
    void CreateBackgroundMenu();
    // Taikei's tool tip: which spot is in force.
    void UpdateGrsToolTip();
    double OuterHeight();
    static void SetToolTipCaption(QWidget* w, const QString& caption);

    bool closed_ = false;
    bool loaded_ = false;         // drawing starts once start-up has set the view centre
    bool writingSecond_ = false;  // the second's spin control is writing its field
    // The finished selection steers the next zoom: a drag of some width and
    // height made in the wide view without the drag-pan, not yet used by a zoom.
    bool selectionSteersZoom_ = false;
    long leftReleases_ = 0;       // left-button releases seen on the picture
    float lastReleaseX_ = 0, lastReleaseY_ = 0;
    int resizeDepth_ = 0;
    int layoutFramePx_ = 0;  // the frame height the last layout pass allowed for
    long recalcCount_ = 0;
    long drawCount_ = 0;
};

}  // namespace veltrax
