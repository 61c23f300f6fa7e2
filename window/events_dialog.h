// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog "衛星現象": the satellites' events from 12 hours before to 36
// hours after the window's moment, the observer's site and "見える現象だけ".
// It stays open beside the window and follows its moment; activating a row
// (double-click or Return) hands the event's moment to the window.
#pragma once

#include "engine/site.h"
#include "results/night_events.h"
#include "results/settings.h"

#include <QDialog>
#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTimer;

namespace veltrax {

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

    // The plan's remembered choices (before the dialog is first shown).
    void UsePlan(const PlanSettings& plan);

    QLineEdit *latitude, *longitude, *height;
    QLabel *siteMessage, *noteLabel, *rangeLabel;
    QPushButton* saveSite;
    QCheckBox* onlySeen;
    QComboBox* range;  // 0: around the moment; 1: 7 days; 2: 30 days from it
    QPushButton *exportCsv, *exportIcs;
    QTableWidget* table;

    // Where a row of the table comes from (Qt::UserRole + 2 of its time cell;
    // Qt::UserRole + 1 holds its index among the rows of its kind).
    enum RowKind { kSatelliteRow = 0, kMutualRow = 1, kGrsRow = 2 };

    // The rows the table was filled from, in time order (hidden ones too).
    const std::vector<NightEventRow>& Rows() const { return rows_; }
    // The events of two satellites in the range, by their maxima (hidden ones too).
    const std::vector<NightMutualRow>& MutualRows() const { return mutualRows_; }
    const std::vector<NightGrsRow>& GrsRows() const { return grsRows_; }

    // The rows shown, as the companion writes them: CSV (its events columns,
    // the spot's transits and the mutual events among them) and iCalendar.
    std::string ShownCsv() const;
    std::string ShownCalendar() const;

protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

private:
    void Refresh();
    void ReadSite();
    void Activated(int row);
    void PlanChanged();
    void Export(bool calendar);

    std::optional<Site> site_;
    bool siteValid_ = true;
    double jde_ = 0;
    bool haveMoment_ = false;
    double shownJde_ = 0;
    bool shown_ = false;
    bool sized_ = false;
    std::vector<NightEventRow> rows_;
    std::vector<NightMutualRow> mutualRows_;
    std::vector<NightGrsRow> grsRows_;
    std::optional<PlanGeometry> geometry_;
    bool placed_ = false;
    QTimer* pending_;
};

}  // namespace veltrax
