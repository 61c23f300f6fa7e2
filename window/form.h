// SPDX-License-Identifier: GPL-3.0-or-later
// The window's form: every control at its design place, in twips, with its
// design font and its name, made in the order of the design (which is the
// keyboard's tab order and the order in which overlapping controls stack).
// The controls go to the classes that work them; the form keeps nothing.
#pragma once

#include "input/moment_input.h"
#include "view/view_controller.h"

class QPushButton;
class QWidget;

namespace veltrax {

namespace platform {
class CaptionLabel;
}

// The results panel's labels.
struct ResultsControls {
    platform::CaptionLabel* title;    // `title1`: what the window does, two lines
    platform::CaptionLabel* result;   // UT and the Julian Day
    platform::CaptionLabel* Taikei;   // the central meridians and the spot
};

struct WindowForm {
    MomentControls moment;
    ViewControls view;
    ResultsControls results;
    QPushButton* exit;  // "終了"
};

// Gives `window` its title, font and design size and makes the controls on
// it, which owns them.
WindowForm BuildForm(QWidget* window);

}  // namespace veltrax
