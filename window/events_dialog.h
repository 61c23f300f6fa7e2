// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog "衛星現象": the satellites' events from 12 hours before to 36
// hours after the window's moment, the observer's site and "見える現象だけ".
// It stays open beside the window and follows its moment; activating a row
// (double-click or Return) hands the event's moment to the window. Its
// widgets are found by their object names.
#pragma once

#include "engine/night.h"
#include "engine/site.h"
#include "render/scene.h"
#include "results/night_events.h"
#include "results/settings.h"
#include "window/plan_model.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace veltrax {

class AltitudeChart;
class LightCurveChart;

class EventsDialog : public QDialog {
    Q_OBJECT
public:
    // site: the site in force; note: what was wrong with the settings file's
    // site (empty: nothing).
    EventsDialog(const std::optional<Site>& site, const QString& note, QWidget* parent);

    // The window's moment (its JDE): the table is recomputed for it soon
    // after, at once when now is true.
    void Follow(double jde, bool now = false);

    // What the window does with the dialog's choices; none throws.
    std::function<void(const JstMoment&)> onMoment;                 // a row activated: its moment, down to the minute
    std::function<void(const std::optional<Site>&)> onSite;          // the fields give a new site (or none)
    std::function<bool(const std::optional<Site>&, QString& why)> onSaveSite;  // "保存": into the settings file
    std::function<void(const PlanSettings&)> onPlan;   // the range, the filter or the place changed: keep them
    std::function<std::optional<GrsSource>()> grsSource;  // the spot's prediction for its transits (none: no rows)

    // Every text in the language installed now; the rows stay as they are.
    void ShowTexts();

    // How the window's picture is turned: the light curve's geometry follows.
    void SetOrientation(const ViewOrientation& o);

    // The plan's remembered choices (before the dialog is first shown).
    void UsePlan(const PlanSettings& plan);

    // Every row the range holds, in the order they were found (the
    // satellites' events, then the events of two satellites, then the spot's
    // transits), the hidden ones too.
    const std::vector<PlanRow>& Rows() const;

    // The rows shown, in the order shown, as the companion writes them: CSV
    // (its events columns, the spot's transits and the mutual events among
    // them) and iCalendar.
    std::string ShownCsv() const;
    std::string ShownCalendar() const;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void Refresh();
    void ReadSite();
    void Activated(const QModelIndex& shown);
    void PlanChanged();
    void Export(bool calendar);
    void UpdateCharts();
    void ShowNight(double jdUT);
    void Describe(const NightTimetable& n);  // the night's timetable as the chart's description
    void ShowCurve(const PlanRow* row);
    void Place();

    std::optional<Site> site_;
    bool siteValid_ = true;
    double jde_ = 0;
    bool haveMoment_ = false;
    double shownJde_ = 0;
    bool shown_ = false;
    bool sized_ = false;
    std::optional<PlanGeometry> geometry_;
    bool placed_ = false;
    QTimer* pending_;

    QLineEdit *latitude_, *longitude_, *height_;
    QLabel *siteMessage_, *noteLabel_, *rangeLabel_;
    QPushButton* saveSite_;
    QCheckBox* onlySeen_;
    QComboBox* range_;  // the plan's ranges in order (kPlanRangeDays)
    QPushButton *exportCsv_, *exportIcs_;
    QTableView* table_;
    PlanModel* model_;
    std::vector<std::pair<QLabel*, const char*>> captions_;  // the site's captions and their Japanese texts
    SeenFilter* proxy_;

    AltitudeChart* night_;
    LightCurveChart* curve_;
    // What the charts show, kept while the same night and event stay chosen.
    std::optional<NightTimetable> shownNight_;
    std::optional<Site> nightSite_;
    std::optional<int64_t> curveUt_;  // the shown event's maximum, UT seconds
    std::string curveCode_;
};

}  // namespace veltrax
