// SPDX-License-Identifier: GPL-3.0-or-later
// Opens the window's events dialog with Ctrl+E, as the observer would.
#pragma once

#include "window/events_dialog.h"
#include "window/main_window.h"

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

}  // namespace veltrax::testing
