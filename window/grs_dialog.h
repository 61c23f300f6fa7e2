// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog "大赤斑の経度": the observer's longitude of the Great Red Spot,
// its date and drift, or the built-in table. It changes nothing itself: the
// window takes Model() after OK.
#pragma once

#include "results/grs.h"

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

namespace veltrax {

class GrsDialog : public QDialog {
    Q_OBJECT
public:
    // current: the model in force; note: what was wrong with the settings
    // file, shown above the fields (empty: nothing).
    GrsDialog(const GrsModel& current, const QString& note, QWidget* parent);

    // The model the fields describe; meaningful once OK is enabled.
    GrsModel Model() const;

    QLineEdit *longitude, *epoch, *drift;
    QCheckBox* useTable;
    QLabel *longitudeMessage, *epochMessage, *driftMessage, *noteLabel;
    QDialogButtonBox* buttons;

private:
    // Checks the fields, writes the messages beside them, enables OK.
    void Validate();
    std::optional<GrsObservation> observation_;
};

}  // namespace veltrax
