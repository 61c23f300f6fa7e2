// SPDX-License-Identifier: GPL-3.0-or-later
// The window's parts on their own, on the form's controls without the main
// window: the moment input asks for a recalculation of a consistent moment,
// the view controller keeps its state, the background menu turns over the
// one switch chosen.
#include "support/window_fixture.h"
#include "window/background_menu.h"
#include "window/form.h"

#include <gtest/gtest.h>

namespace veltrax {
namespace {

using namespace testing;

// A carry through the units: the fields as the recalculations after the
// edit saw them, the last one being the moment shown.
TEST(MomentInputAlone, EditsCarryAndAskForARecalculationOfTheWrappedMoment)
{
    struct Row {
        const char* name;
        QDateTime clock;
        const char* field;
        const char* text;
        const char* want;  // the fields of the last recalculation
    } const rows[] = {
        {"MinuteIntoNewYear", QDateTime(QDate(2026, 12, 31), QTime(23, 59)), "Hun", "60", "2027/1/1 0:0:0"},
        {"DayIntoLeapFebruary", QDateTime(QDate(2024, 3, 1), QTime(8, 0)), "Hi", "0", "2024/2/29 8:0:0"},
        {"HourBackIntoOldYear", QDateTime(QDate(2026, 1, 1), QTime(0, 30)), "Jikoku", "-1", "2025/12/31 23:30:0"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        QWidget window;
        const WindowForm form = BuildForm(&window);
        MomentClock clock;
        clock.now = [&] { return r.clock; };
        MomentInput input(form.moment, clock, &window);
        std::string last;
        int asked = 0;
        input.recalculate = [&] {
            const FieldTexts f = input.Fields();
            last = f.Nen + "/" + f.tuki + "/" + f.Hi + " " + f.Jikoku + ":" + f.Hun + ":" + f.Byo;
            ++asked;
        };
        input.StartUp();
        asked = 0;
        Named<QLineEdit>(window, r.field)->setText(QString::fromLatin1(r.text));
        EXPECT_GT(asked, 0);
        EXPECT_EQ(last, r.want);
    }
}

TEST(ViewControllerAlone, OpensZoomedFourTimesAndTheButtonReturnsToTheWideView)
{
    QWidget window;
    const WindowForm form = BuildForm(&window);
    ViewController view(form.view, [] { return 0; }, &window);
    view.StartSlider();
    view.StartLayout();
    view.FinishStartUp();
    EXPECT_TRUE(view.State().zoomed);
    EXPECT_EQ(view.State().magnify, 4);
    EXPECT_TRUE(view.State().inverted);
    form.view.zoom->click();
    EXPECT_FALSE(view.State().zoomed);
    EXPECT_EQ(view.State().magnify, 1);
    EXPECT_EQ(view.State().scaleLeft, 0);
    form.view.erect->click();
    EXPECT_FALSE(view.State().inverted);
}

TEST(BackgroundMenuAlone, EachItemTurnsOverItsOwnSwitchOnly)
{
    QWidget window;
    BackgroundMenu menu(&window, {});
    ViewSwitches shown;
    shown.precise = true;
    menu.Show(shown);
    const std::pair<const char*, bool ViewSwitches::*> items[] = {{"shadowsAction", &ViewSwitches::shadows},
                                                                {"preciseAction", &ViewSwitches::precise},
                                                                {"mirrorAction", &ViewSwitches::mirror},
                                                                {"gridAction", &ViewSwitches::grid}};
    std::vector<ViewSwitches> chosen;
    QObject::connect(&menu, &BackgroundMenu::switchesChosen, [&](const ViewSwitches& s) { chosen.push_back(s); });
    for (const auto& [name, member] : items) {
        chosen.clear();
        Action(window, name)->trigger();
        ASSERT_EQ(chosen.size(), 1u) << name;
        ViewSwitches want = shown;
        want.*member = !(shown.*member);
        EXPECT_TRUE(chosen[0] == want) << name;
        menu.Show(shown);  // the window shows what it kept
        EXPECT_EQ(Action(window, name)->isChecked(), shown.*member) << name;
    }
}

}  // namespace
}  // namespace veltrax
