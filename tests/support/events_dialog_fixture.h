// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the window's events dialog with Ctrl+E, as the observer would, and
// reads its widgets by their object names and its table as it is shown.
#pragma once

#include "window/events_dialog.h"
#include "window/main_window.h"

#include <QAbstractItemModel>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>

namespace veltrax::testing {

inline EventsDialog& OpenEventsDialog(MainWindow& w)
{
    w.show();
    w.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier);
    auto* dialog = w.findChild<EventsDialog*>();
    if (!dialog)
        throw std::runtime_error("Ctrl+E opened no dialog");
    return *dialog;
}

// The dialog's widget of that object name ("latitude", "onlySeen", "range",
// "events", "note", "siteMessage", "saveSite").
template <typename Widget>
Widget* Part(const EventsDialog& d, const char* name)
{
    if (Widget* w = d.findChild<Widget*>(QString::fromLatin1(name)))
        return w;
    throw std::runtime_error(std::string("the events dialog has no ") + name);
}

// The table as shown: its rows in the order shown, the text of a cell,
// whether a row is greyed, and the planning row it stands for.
inline QTableView* Table(const EventsDialog& d) { return Part<QTableView>(d, "events"); }
inline int ShownRowCount(const EventsDialog& d) { return Table(d)->model()->rowCount(); }
inline QModelIndex CellIndex(const EventsDialog& d, int row, int column) { return Table(d)->model()->index(row, column); }
inline QString Cell(const EventsDialog& d, int row, int column) { return CellIndex(d, row, column).data().toString(); }
inline bool Greyed(const EventsDialog& d, int row) { return CellIndex(d, row, 0).data(Qt::ForegroundRole).isValid(); }
inline const PlanRow& RowShown(const EventsDialog& d, int row)
{
    return d.Rows().at(static_cast<size_t>(CellIndex(d, row, 0).data(PlanModel::kRowRole).toInt()));
}

}  // namespace veltrax::testing
