// SPDX-License-Identifier: GPL-3.0-or-later
// The window's shortcuts pressed where the observer's focus is: in one of the
// six date and time fields, each of which would otherwise keep Ctrl+E (end of
// line) and its like to itself.
#include "support/settings_dir.h"
#include "support/window_fixture.h"
#include "window/events_dialog.h"
#include "window/grs_dialog.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace veltrax {
namespace {

using namespace testing;  // the window's controls by their names

using test_support::SettingsDir;
using testing::StartedAt;

TEST(Shortcuts, WorkWithTheFocusInEachField)
{
    SettingsDir dir;
    const auto w = StartedAt(2026, 12, 8, 21, 0);
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QLineEdit* const fields[] = {Form(*w).Nen, Form(*w).tuki, Form(*w).Hi, Form(*w).Jikoku, Form(*w).Hun, Form(*w).Byo};
    for (QLineEdit* field : fields) {
        SCOPED_TRACE(field->text().toStdString());
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        field->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
        const QString typed = field->text();

        // Ctrl+H switches the shadows, and back.
        const bool shadows = Action(*w, "shadowsAction")->isChecked();
        QTest::keyClick(field, Qt::Key_H, Qt::ControlModifier);
        EXPECT_NE(Action(*w, "shadowsAction")->isChecked(), shadows);
        QTest::keyClick(field, Qt::Key_H, Qt::ControlModifier);
        EXPECT_EQ(Action(*w, "shadowsAction")->isChecked(), shadows);

        // Ctrl+E opens the events' list, or brings it back.
        if (w->findChild<EventsDialog*>())
            w->findChild<EventsDialog*>()->hide();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        field->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return field->hasFocus(); }));
        QTest::keyClick(field, Qt::Key_E, Qt::ControlModifier);
        ASSERT_NE(w->findChild<EventsDialog*>(), nullptr);
        EXPECT_TRUE(w->findChild<EventsDialog*>()->isVisible());
        // Ctrl+G opens the spot's dialog (modal: closed again at once).
        bool opened = false;
        QTimer::singleShot(0, [&] {
            if (auto* d = qobject_cast<GrsDialog*>(QApplication::activeModalWidget())) {
                opened = true;
                d->reject();
            }
        });
        QTest::keyClick(field, Qt::Key_G, Qt::ControlModifier);
        EXPECT_TRUE(opened);

        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
        field->setFocus();
        // The field's own text is untouched by the keys.
        EXPECT_EQ(field->text(), typed);
    }
    // Plain editing keys still edit: Ctrl+A selects the field's text.
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    Form(*w).Jikoku->setFocus();
    QTest::keyClick(Form(*w).Jikoku, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(Form(*w).Jikoku->selectedText(), Form(*w).Jikoku->text());
}

}  // namespace
}  // namespace veltrax
