// SPDX-License-Identifier: GPL-3.0-or-later
// The recalculation of the results panel and the redraw of the scene.
#include "window/main_window.h"

#include "render/paint.h"
#include "results/satellite_places.h"
#include "results/shadows.h"
#include "window/disk_readout.h"
#include "window/events_dialog.h"
#include "window/view_options.h"

#include <QRadioButton>

namespace veltrax {

void MainWindow::Recalc()
{
    const RecalcOutcome o = Recalculate(Fields(), global.MonthDays, settings.grs.Source(GrsTable_));
    if (!o.ok())
        return;  // the display keeps what it showed
    const Results& r = *o.results;
    global.CurrentJDE = r.CurrentJDE;
    CM1 = r.CM1;
    CM2 = r.CM2;
    CM3 = r.CM3;
    JupArgJ = r.JupArgJ;
    PhaseCorr = r.PhaseCorr;
    GrsLongitude = r.GrsLongitude;
    result->SetCaption(QString::fromStdString(r.result));
    Taikei->SetCaption(QString::fromStdString(r.Taikei));
    ++recalcCount_;
    DrawView(global.CurrentJDE);
    if (eventsDialog && eventsDialog->isVisible() && !closed_)
        eventsDialog->Follow(global.CurrentJDE);
}

void MainWindow::DrawView(double& jde)
{
    // Pending events run first; a recalculation made in them is drawn here.
    DoEvents();
    if (closed_ || !loaded_)
        return;

    SceneInput in;
    in.jde = jde;
    in.inverted = Option1[1]->isChecked();
    in.WinScale = global.WinScale;
    in.Magnify = Magnify;
    in.CenterX = global.CenterX;
    in.CenterY = global.CenterY;
    in.CM2 = CM2;
    in.GrsLongitude = GrsLongitude;
    // The shadows from the precise theory; outside its years the picture is
    // drawn without them.
    std::optional<SatelliteShadows> shadows;
    if (settings.view.shadows && (shadows = ShadowsAtWindowJde(jde)))
        in.shadows = &*shadows;
    // The view options: the precise places (the compact theory outside their
    // years) and the mirror.
    const ViewChoices choices = viewOptions->Choices();
    std::optional<SatellitePlaces> places;
    if (choices.precise && (places = PlacesAtWindowJde(jde)))
        in.places = &*places;
    in.mirrored = choices.mirror;
    in.grid = choices.grid;
    const Scene scene = BuildScene(in, global.Bodies);  // a fault here draws nothing

    for (int i = 0; i < 5; ++i) {
        global.BodyX[i] = scene.Body(i).x;
        global.BodyY[i] = scene.Body(i).y;
    }
    global.WinScale = scene.WinScale;
    CM2 = scene.CM2;

    Picture1->Cls();
    Picture2->Cls();
    PaintScene(scene.ops, *Picture1, *Picture2);
    diskReadout->Shown(scene);
    ++drawCount_;
}

}  // namespace veltrax
