// SPDX-License-Identifier: GPL-3.0-or-later
// The view controller: everything the observer does to the picture, on the
// one view state. The magnification slider and the zoom button, the
// orientation options and the compass, the selection rectangle, the drag-pan
// and the arrow keys, the clipboard copy, the picture's switches, and the
// layout pass that sizes the window and the picture from the window's width.
// It draws through the picture for the moment the window last gave it.
#pragma once

#include "view/picture.h"
#include "view/view_state.h"

#include <QObject>
#include <functional>

class QCheckBox;
class QPushButton;
class QRadioButton;
class QSlider;
class QWidget;

namespace veltrax {

namespace platform {
class CaptionLabel;
class PictureBox;
}  // namespace platform

// The controls of the view, made at their places by the window's form.
struct ViewControls {
    QWidget* window;                      // the top-level window: the layout sets its height
    platform::PictureBox *sky, *labels;   // the sky view and the label strip under it
    platform::PictureBox* copyCanvas;     // off-screen: the copied area
    QPushButton* zoom;                    // "拡大" / "広域"
    QSlider* magnification;               // 2 to 6
    platform::CaptionLabel* magnificationLabel;  // "4倍"
    QCheckBox* dragPan;                   // "画面移動"
    QRadioButton *erect, *inverted;       // "双眼鏡（正立像）", "天体望遠鏡（倒立像）"
    QPushButton* copy;                    // "選択領域をｺﾋﾟｰ"
    platform::CaptionLabel *bottom, *left, *right;  // the compass around the picture
    platform::CaptionLabel* sizeNote;     // the note on the drawn sizes, under the picture
    QWidget* exit;                        // "終了": follows the picture's right edge
};

class ViewController : public QObject {
    Q_OBJECT
public:
    // frameHeightPx: the height of the title bar and frame the window system
    // puts around the window, pixels (0 without one); read at each layout.
    ViewController(const ViewControls& controls, std::function<int()> frameHeightPx, QObject* parent);

    // Start-up, in three parts around the moment input's and the first
    // recalculation: the slider, its label and the wide view's magnification;
    // then the window's width, the drawing tables, the first layout and the
    // reference centre (from here on the picture is drawn); last the tool
    // tips and the zoom that opens the view magnified.
    void StartSlider();
    void StartLayout();
    void FinishStartUp();
    // Every text the view's controls show, again in the language installed
    // now (the captions, the tool tips, the compass).
    void ShowTexts();

    // The moment recalculated: the picture is drawn for it.
    void Show(const PictureMoment& moment);
    // The picture drawn again for the moment shown. Pending window events run
    // first; a recalculation made in them is what is drawn.
    void Redraw();
    // The layout pass: everything follows the window's width.
    void Relayout();
    // Whether the window system's frame has changed since the last layout
    // (the window, once shown, is moved into its frame).
    bool FrameChanged() const;

    // The picture's switches, from the settings or the menu; the compass
    // follows a mirror. redraw: drawn at once, once start-up has run.
    void SetSwitches(const ViewSwitches& switches, bool redraw);

    // The window has closed: nothing is drawn any more.
    void Close();

    const ViewState& State() const { return state_; }
    const ViewGeometry& Geometry() const { return geometry_; }
    const PictureMoment& Moment() const { return moment_; }
    long DrawCount() const { return draws_; }

signals:
    // A scene has just been painted.
    void Drawn(const Scene& scene);

private:
    // The controls' handlers.
    void MagnificationChanged(int choice);
    void ZoomClicked();
    void OrientationChosen(bool inverted);
    void DragPanToggled(bool on);
    void Pressed(int button, float x, float y);
    void Moved(int button, float x, float y);
    void Released(int button, float x, float y);
    void KeyPressed(int keyCode);
    void CopyClicked();

    void ShowCompass();
    QString ZoomCaption() const;
    QString ZoomToolTip() const;
    void ShowToolTips();
    void ApplyOrigin();
    void DrawBand(int32_t px, int32_t py);
    // The centre of the visible area, over WinScale.
    void UpdateViewCenter();
    void SetWindowHeight(double twips);
    double OuterHeight() const;

    ViewControls c_;
    Picture picture_;
    std::function<int()> frameHeightPx_;
    ViewState state_;
    ViewGeometry geometry_;
    PictureMoment moment_;
    bool started_ = false;  // drawing starts once start-up has set the reference centre
    bool closed_ = false;
    long draws_ = 0;
    long leftReleases_ = 0;  // left-button releases seen on the picture
    float lastReleaseX_ = 0, lastReleaseY_ = 0;
    int layoutFramePx_ = 0;  // the frame height the last layout pass allowed for
};

}  // namespace veltrax
