// SPDX-License-Identifier: GPL-3.0-or-later
// The planning rows as a Qt item model for the events dialog's table, and the
// proxy that sorts them by a column and leaves out the rows that cannot be
// seen: neither searches again.
#pragma once

#include "results/plan_rows.h"
#include "results/plan_text.h"

#include <QAbstractTableModel>
#include <QBrush>
#include <QSortFilterProxyModel>
#include <array>
#include <vector>

namespace veltrax {

class PlanModel : public QAbstractTableModel {
public:
    // Qt::UserRole: the number a column sorts by (the time column's Julian
    // Day, the altitude column's degrees), none where the text sorts.
    // kRowRole: the row's index among Rows().
    static constexpr int kRowRole = Qt::UserRole + 1;

    // unseen: how the rows that cannot be seen are written (greyed).
    PlanModel(const QBrush& unseen, QObject* parent);

    void SetRows(std::vector<PlanRow> rows);
    // The cells' words and the headings in `language` (the plan's words
    // come from the names table, the headings from the translation).
    void ShowLanguage(Language language);
    const std::vector<PlanRow>& Rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void FillCells();

    std::vector<PlanRow> rows_;
    std::vector<std::array<QString, kListColumns>> cells_;
    QBrush unseen_;
    Language language_;
};

// Sorts by the number under Qt::UserRole where both cells have one (a blank
// cell before any number), by the text otherwise; with SetOnlySeen, only
// the rows that can be seen pass.
class SeenFilter : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;
    void SetOnlySeen(bool only);

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    bool onlySeen_ = false;
};

}  // namespace veltrax
