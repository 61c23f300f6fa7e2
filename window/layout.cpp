// SPDX-License-Identifier: GPL-3.0-or-later
// The layout pass: everything follows the window's width.
#include "window/main_window.h"

#include "platform/twips.h"

#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace veltrax {

namespace tw = platform;

void MainWindow::SetWindowHeight(double twips)
{
    // The height given includes the title bar and frame; the user sets the
    // width only, so the height is held where the pass puts it.
    const double client = twips - layoutFramePx_ * tw::TwipsPerPixel();
    if (twips < 0 || client < 0)
        throw Fault("invalid property value: negative size");
    const int px = tw::TwipsToPixels(client);
    setMinimumHeight(px);
    setMaximumHeight(px);
    tw::SetHeight(this, client);
}

double MainWindow::OuterHeight()
{
    return tw::Height(this) + layoutFramePx_ * tw::TwipsPerPixel();
}

void MainWindow::Form_Resize()
{
    if (global.BaseHeight == 0 || closed_)
        return;
    ++resizeDepth_;
    struct Depth {
        int& d;
        ~Depth() { --d; }
    } depth{resizeDepth_};

    // Each statement on its own: a failing one is skipped and the pass goes on.
    auto step = [](const std::function<void()>& s) {
        try {
            s();
        } catch (const std::exception&) {
        }
    };
    auto f = [](double v) { return static_cast<float>(v); };

    step([&] { layoutFramePx_ = std::max(FrameHeightPx(), 0); });
    step([&] {
        global.FormWidthNow = f(tw::Width(this));
        global.WinScale = global.FormWidthNow / 13100;
        if (global.WinScale == 0)
            global.WinScale = 1;
    });
    double m = 1;
    step([&] { m = Magnify >= 2 ? 1.4 : 1; });
    step([&] { SetWindowHeight(f((static_cast<double>(global.BaseHeight) * global.WinScale * 0.4 + 2960) * m)); });
    step([&] { tw::SetWidth(Picture1, f(tw::Width(this) - 1000)); });
    step([&] { tw::SetLeft(Picture1, 370); });
    step([&] { tw::SetHeight(Picture2, 260); });
    step([&] { tw::SetHeight(Picture1, f(OuterHeight() - tw::Height(Picture2) - 3800)); });
    step([&] { tw::SetWidth(Picture2, tw::Width(Picture1)); });
    step([&] { tw::SetLeft(Picture2, tw::Left(Picture1)); });
    step([&] { tw::SetTop(Picture2, f(tw::Top(Picture1) + tw::Height(Picture1))); });

    if (Command2->text() == QStringLiteral("広域")) {
        step([&] {
            const int32_t half = RoundToInt32(tw::Width(Picture1)) / 2;
            Picture1->SetScaleLeft(f(static_cast<double>(global.WinScale) * Sub32(ViewCenterX, half) * 1.01));
        });
        step([&] {
            const int32_t half = RoundToInt32(tw::Height(Picture1)) / 2;
            Picture1->SetScaleTop(f(static_cast<double>(global.WinScale) * Sub32(ViewCenterY, half) * 0.99));
        });
        step([&] { Picture2->SetScaleLeft(Picture1->ScaleLeft()); });
    }

    // Drawn sizes: the satellites four times their true size, never below
    // their start-up sizes.
    static const int32_t kMinSize[5] = {0, 17, 16, 22, 20};
    for (int i = 1; i <= 4; ++i) {
        step([&] {
            global.Bodies.BodySize[i] =
                RoundToInt32(MoonRadius[i - 1] * 190 * global.WinScale * Magnify * 4);
        });
    }
    step([&] { global.Bodies.BodySize[0] = RoundToInt32(static_cast<double>(global.WinScale) * 190 * Magnify); });
    for (int i = 1; i <= 4; ++i)
        if (global.Bodies.BodySize[i] < kMinSize[i])
            global.Bodies.BodySize[i] = kMinSize[i];

    step([&] { global.CenterX = RoundToInt32(tw::Width(Picture1)) / 2 - 20; });
    step([&] { global.CenterY = RoundToInt32(tw::Height(Picture1)) / 2 - 20; });

    auto centred = [&](const QWidget* l) {
        return tw::Left(Picture1) + RoundToInt32(tw::Width(Picture1)) / 2 - RoundToInt32(tw::Width(l)) / 2 + 20;
    };
    step([&] {
        tw::SetTop(Label5, f(tw::Top(Picture1) + RoundToInt32(tw::Height(Picture1)) / 2 -
                             RoundToInt32(tw::Height(Label5)) / 2));
    });
    step([&] { tw::SetTop(Label6, tw::Top(Label5)); });
    step([&] { tw::SetTop(Label4, f(tw::Top(Picture2) + tw::Height(Picture2))); });
    step([&] { tw::SetTop(Label10, f(tw::Top(Picture2) + tw::Height(Picture2) + 100)); });
    step([&] { tw::SetTop(Option1[0], tw::Top(Label4)); });
    step([&] { tw::SetTop(Option1[1], tw::Top(Label4)); });
    step([&] { tw::SetLeft(Label5, f(tw::Left(Picture1) - 280)); });
    step([&] { tw::SetLeft(Label6, f(tw::Left(Picture1) + tw::Width(Picture1) + 60)); });
    step([&] { tw::SetLeft(Label4, f(centred(Label4))); });
    step([&] { tw::SetLeft(Label10, f(centred(Label4) + 2000)); });
    step([&] { tw::SetLeft(Cexit, f(tw::Width(Picture1) - tw::Width(Cexit) + 300)); });
    step([&] { tw::SetLeft(Copysel, f(tw::Width(Picture1) - tw::Width(Copysel) + 300)); });

    step([&] { DrawView(global.CurrentJDE); });
}

}  // namespace veltrax
