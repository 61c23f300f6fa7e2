// SPDX-License-Identifier: GPL-3.0-or-later
// The results panel: the window's title lines, the Universal Time and Julian
// Day label and the central meridians' label with the spot's longitude, whose
// tool tip says which prediction of the spot is in force.
#pragma once

#include "results/grs.h"
#include "results/recalc.h"
#include "window/form.h"

#include <QCoreApplication>

namespace veltrax {

class ResultsPanel {
    Q_DECLARE_TR_FUNCTIONS(veltrax::ResultsPanel)

public:
    explicit ResultsPanel(const ResultsControls& controls);

    // The title's two lines, set once at start-up.
    void StartUp();
    // The words of the two result labels in the language installed now.
    static ResultWords Words();
    // The two labels for a completed recalculation.
    void Show(const Results& r);
    // The year field holds a year beyond the last one computed.
    void ShowYearRefused();
    // The central meridians' tool tip: the observer's spot (with its date
    // and drift) or the built-in table, and whether --grs set it for this run.
    void ShowGrsSource(const GrsModel& grs, bool forThisRun);

private:
    ResultsControls c_;
};

}  // namespace veltrax
