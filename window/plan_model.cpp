// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plan_model.h"

#include "window/translation.h"

#include <QCoreApplication>

namespace veltrax {

PlanModel::PlanModel(const QBrush& unseen, QObject* parent)
    : QAbstractTableModel(parent), unseen_(unseen), language_(LanguageInUse())
{
}

void PlanModel::ShowLanguage(Language language)
{
    // The same rows, their words changed in place: the selection stays.
    language_ = language;
    FillCells();
    if (!rows_.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, kListColumns - 1), {Qt::DisplayRole});
    emit headerDataChanged(Qt::Horizontal, 0, kListColumns - 1);
}

void PlanModel::SetRows(std::vector<PlanRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    FillCells();
    endResetModel();
}

void PlanModel::FillCells()
{
    cells_.clear();
    for (const PlanRow& r : rows_) {
        const std::array<std::string, kListColumns> texts = ListCells(r, language_);
        std::array<QString, kListColumns>& cells = cells_.emplace_back();
        for (int c = 0; c < kListColumns; ++c)
            cells[static_cast<size_t>(c)] = QString::fromStdString(texts[static_cast<size_t>(c)]);
    }
}

int PlanModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PlanModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kListColumns; }

QVariant PlanModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kListColumns)
        return {};
    const size_t i = static_cast<size_t>(index.row());
    const PlanRow& r = rows_[i];
    switch (role) {
    case Qt::DisplayRole:
        return cells_[i][static_cast<size_t>(index.column())];
    case Qt::ForegroundRole:
        return r.seen ? QVariant() : QVariant(unseen_);
    case Qt::UserRole:
        if (index.column() == kWhenColumn)
            return r.jdUT;
        if (index.column() == kAltitudeColumn && r.view)
            return r.view->altitudes.jupiterDeg;
        return {};
    case kRowRole:
        return index.row();
    default:
        return {};
    }
}

QVariant PlanModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kListColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const kCaptions[kListColumns] = {
        QT_TRANSLATE_NOOP("veltrax::PlanModel", "日時（JST）"), QT_TRANSLATE_NOOP("veltrax::PlanModel", "衛星"),
        QT_TRANSLATE_NOOP("veltrax::PlanModel", "現象"), QT_TRANSLATE_NOOP("veltrax::PlanModel", "始終"),
        QT_TRANSLATE_NOOP("veltrax::PlanModel", "木星の高度")};
    return QCoreApplication::translate("veltrax::PlanModel", kCaptions[section]);
}

void SeenFilter::SetOnlySeen(bool only)
{
    onlySeen_ = only;
    invalidateFilter();
}

bool SeenFilter::filterAcceptsRow(int sourceRow, const QModelIndex&) const
{
    const auto* model = static_cast<const PlanModel*>(sourceModel());
    return !onlySeen_ || model->Rows()[static_cast<size_t>(sourceRow)].seen;
}

bool SeenFilter::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    const QVariant a = left.data(Qt::UserRole), b = right.data(Qt::UserRole);
    if (a.isValid() && b.isValid())
        return a.toDouble() < b.toDouble();
    if (a.isValid() != b.isValid())
        return b.isValid();
    return left.data().toString() < right.data().toString();
}

}  // namespace veltrax
