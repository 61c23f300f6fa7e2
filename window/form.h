// SPDX-License-Identifier: GPL-3.0-or-later
// The window's form: every control at its design place, in twips, with its
// design font and its name, made in the order of the design (which is the
// keyboard's tab order and the order in which overlapping controls stack).
// The controls go to the classes that work them; the form keeps nothing.
#pragma once

#include "input/moment_input.h"
#include "view/view_controller.h"

#include <optional>
#include <vector>

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

// A text of the form that only the language changes: the widget, its
// Japanese source text and, for an accessible name, what tells it apart.
struct FormText {
    QWidget* widget;
    const char* source;
    const char* disambiguation;  // nullptr: the widget's caption
    // Where a longer English caption needs more room: the design's left and
    // width, and the English ones (twips).
    struct Span {
        double left, width;
    };
    Span design;
    std::optional<Span> english;
};

struct WindowForm {
    MomentControls moment;
    ViewControls view;
    ResultsControls results;
    QPushButton* exit;  // "終了"
    std::vector<FormText> texts;  // the captions no class changes, and the fields' accessible names
};

// Gives `window` its title, font and design size and makes the controls on
// it, which owns them.
WindowForm BuildForm(QWidget* window);

// Puts the form's fixed texts in the language installed now.
void ShowFormTexts(const std::vector<FormText>& texts);

}  // namespace veltrax
