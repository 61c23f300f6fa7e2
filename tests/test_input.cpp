// SPDX-License-Identifier: GPL-3.0-or-later
// Date and time input on the real widgets: the six fields with their carries
// and borrows, the five spin controls, today's date, the real-time run and
// the animation loop. The wall clock and the animation's pause go through the
// window's seams, so nothing here waits on real time.
#include "results/numtext.h"
#include "results/recalc.h"
#include "support/window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Field texts print as text when a comparison fails.
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace veltrax {
namespace {

using namespace testing;  // the window's controls by their names

using platform::LimitedLineEdit;
using platform::SpinBar;
using Field = LimitedLineEdit* FormControls::*;
using Spin = SpinBar* FormControls::*;

const char kYearLimit[] = "年の最大は８５００年です";
const char kAnimate[] = "ｱﾆﾒｰｼｮﾝ";
const char kAnimStop[] = "ｱﾆﾒ停止";

template <class Row>
std::string RowName(const ::testing::TestParamInfo<Row>& i)
{
    return i.param.name;
}

// A failing row prints by its name.
template <class Row>
auto operator<<(std::ostream& os, const Row& r) -> decltype(r.name, os)
{
    return os << r.name;
}

QDateTime T(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

// The six field texts of a moment, as the window writes them.
FieldTexts At(const QDateTime& t)
{
    auto n = [](int v) { return std::to_string(v); };
    return {n(t.date().year()), n(t.date().month()), n(t.date().day()),
            n(t.time().hour()), n(t.time().minute()), n(t.time().second())};
}

// February as the year field makes it.
MonthTable MonthDaysFor(const std::string& year)
{
    const auto y = FieldNumber(year);
    return y ? WindowMonthDays(std::floor(*y)) : kCommonYearMonthDays;
}

std::string Show(const FieldTexts& f)
{
    return f.Nen + "/" + f.tuki + "/" + f.Hi + " " + f.Jikoku + ":" + f.Hun + ":" + f.Byo;
}

std::string Spins(const MainWindow& w)
{
    std::string s;
    for (const SpinBar* b : {Form(w).VSmon, Form(w).VSday, Form(w).VSh, Form(w).VSmin, Form(w).VSsec})
        s += std::to_string(b->Value()) + " ";
    return s;
}

// The spin values that belong to the fields.
std::string SpinsFor(const FieldTexts& f)
{
    std::string s;
    for (const std::string* t : {&f.tuki, &f.Hi, &f.Jikoku, &f.Hun, &f.Byo}) {
        const auto v = FieldSpin(*t);
        s += (v ? std::to_string(*v) : "?") + " ";
    }
    return s;
}

// The results label for the moment the fields hold.
std::string ResultFor(const FieldTexts& f)
{
    const RecalcOutcome out = Recalculate(f, MonthDaysFor(f.Nen), GrsTable::Standard());
    if (!out.ok()) {
        ADD_FAILURE() << Show(f) << " is no moment: " << out.why;
        return {};
    }
    return out.results->result;
}

std::string Caption(const platform::CaptionLabel* l)
{
    return l->Caption().toStdString();
}

// The window shows `want`: fields, spin values, February and the results.
void ExpectShows(const MainWindow& w, const FieldTexts& want)
{
    EXPECT_EQ(Show(want), Show(FieldsOf(w)));
    EXPECT_EQ(SpinsFor(want), Spins(w)) << "spin values for month, day, hour, minute, second";
    EXPECT_EQ(MonthDaysFor(want.Nen)[1], w.State().monthDays[1]) << "February for " << want.Nen;
    EXPECT_EQ(ResultFor(want), Caption(Form(w).result));
}

// Key strokes, one per character; full-width characters too.
void Type(QLineEdit* e, const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        const auto key = (u > 0x20 && u < 0x7f) ? Qt::Key(c.toUpper().unicode()) : Qt::Key_unknown;
        QTest::sendKeyEvent(QTest::Click, e, key, QString(c), Qt::NoModifier);
    }
}

// The text of the field f within the six.
std::string& TextOf(FieldTexts& t, Field f)
{
    if (f == &FormControls::Nen)
        return t.Nen;
    if (f == &FormControls::tuki)
        return t.tuki;
    if (f == &FormControls::Hi)
        return t.Hi;
    if (f == &FormControls::Jikoku)
        return t.Jikoku;
    if (f == &FormControls::Hun)
        return t.Hun;
    return t.Byo;
}

void SelectAll(QLineEdit* e)
{
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
}

class InputTest : public ::testing::Test {
protected:
    // A started window at the moment t; a second other than 0 is typed in.
    void Start(const QDateTime& t)
    {
        clock_ = std::make_shared<veltrax::testing::FixedClock>();
        clock_->now = t;
        w_ = veltrax::testing::StartedWindow(clock_);
        if (t.time().second() != 0)
            Form(*w_).Byo->setText(QString::number(t.time().second()));
    }

    MainWindow& w() { return *w_; }

    std::shared_ptr<veltrax::testing::FixedClock> clock_;
    std::unique_ptr<MainWindow> w_;
};

// ---- spin arrows: carries and borrows through every unit ---------------------

struct ArrowRow {
    std::string name;
    QDateTime start;
    std::string year;  // typed into the year field first, when given
    Spin spin;
    int direction;  // +1 upper arrow, -1 lower arrow
    FieldTexts want;
};

class SpinArrow : public InputTest, public ::testing::WithParamInterface<ArrowRow> {};

TEST_P(SpinArrow, StepsWithCarryAndBorrow)
{
    const ArrowRow& r = GetParam();
    Start(r.start);
    if (!r.year.empty())
        Form(w()).Nen->setText(QString::fromStdString(r.year));
    const long before = w().State().recalculations;
    SpinBar* s = Form(w()).*r.spin;
    if (r.direction > 0)
        s->StepUp();
    else
        s->StepDown();
    ExpectShows(w(), r.want);
    EXPECT_GT(w().State().recalculations, before) << "the click recalculated";
}

INSTANTIATE_TEST_SUITE_P(
    Input, SpinArrow,
    ::testing::Values(
        ArrowRow{"SecondUpAt235959On31DecemberIsNewYear", T(2026, 12, 31, 23, 59, 59), "", &FormControls::VSsec, +1,
                 {"2027", "1", "1", "0", "0", "0"}},
        ArrowRow{"SecondDownAt000000On1JanuaryIsOldYear", T(2026, 1, 1, 0, 0, 0), "", &FormControls::VSsec, -1,
                 {"2025", "12", "31", "23", "59", "59"}},
        ArrowRow{"MinuteUpAt105930", T(2026, 8, 20, 10, 59, 30), "", &FormControls::VSmin, +1,
                 {"2026", "8", "20", "11", "0", "30"}},
        ArrowRow{"MinuteDownAt1000", T(2026, 8, 20, 10, 0, 30), "", &FormControls::VSmin, -1,
                 {"2026", "8", "20", "9", "59", "30"}},
        ArrowRow{"HourDownAt00On1January2026", T(2026, 1, 1, 0, 40, 0), "", &FormControls::VSh, -1,
                 {"2025", "12", "31", "23", "40", "0"}},
        ArrowRow{"HourUpAt23On30April", T(2026, 4, 30, 23, 5, 0), "", &FormControls::VSh, +1,
                 {"2026", "5", "1", "0", "5", "0"}},
        ArrowRow{"DayDownOn1March2024IsLeapDay", T(2024, 3, 1, 12, 0, 0), "", &FormControls::VSday, -1,
                 {"2024", "2", "29", "12", "0", "0"}},
        ArrowRow{"DayDownOn1March2023Is28February", T(2023, 3, 1, 12, 0, 0), "", &FormControls::VSday, -1,
                 {"2023", "2", "28", "12", "0", "0"}},
        ArrowRow{"DayUpOn28February2023Is1March", T(2023, 2, 28, 12, 0, 0), "", &FormControls::VSday, +1,
                 {"2023", "3", "1", "12", "0", "0"}},
        ArrowRow{"DayUpOn28February2024IsLeapDay", T(2024, 2, 28, 12, 0, 0), "", &FormControls::VSday, +1,
                 {"2024", "2", "29", "12", "0", "0"}},
        ArrowRow{"DayDownOn1JanuaryIsLastDecember", T(2026, 1, 1, 12, 0, 0), "", &FormControls::VSday, -1,
                 {"2025", "12", "31", "12", "0", "0"}},
        ArrowRow{"MonthUpInDecember2026", T(2026, 12, 15, 12, 0, 0), "", &FormControls::VSmon, +1,
                 {"2027", "1", "15", "12", "0", "0"}},
        ArrowRow{"MonthDownInJanuary2026", T(2026, 1, 15, 12, 0, 0), "", &FormControls::VSmon, -1,
                 {"2025", "12", "15", "12", "0", "0"}},
        // The limit is the year handler's alone: the month's recalculation then
        // shows the results for 8501 in place of the message.
        ArrowRow{"MonthUpInDecember8500ComputesYear8501", T(2026, 12, 15, 12, 0, 0), "8500", &FormControls::VSmon, +1,
                 {"8501", "1", "15", "12", "0", "0"}}),
    RowName<ArrowRow>);

// ---- typed and written field texts ------------------------------------------

enum class Entry { Keys, Program };

struct TypedRow {
    std::string name;
    QDateTime start;
    std::string year;  // written into the year field first, when given
    Field field;
    QString text;
    Entry entry;
    FieldTexts want;
};

class TypedField : public InputTest, public ::testing::WithParamInterface<TypedRow> {};

TEST_P(TypedField, CarriesOnceAndWraps)
{
    const TypedRow& r = GetParam();
    Start(r.start);
    if (!r.year.empty())
        Form(w()).Nen->setText(QString::fromStdString(r.year));
    LimitedLineEdit* f = Form(w()).*r.field;
    if (r.entry == Entry::Keys) {
        SelectAll(f);
        Type(f, r.text);
    } else {
        f->setText(r.text);
    }
    ExpectShows(w(), r.want);
}

INSTANTIATE_TEST_SUITE_P(
    Input, TypedField,
    ::testing::Values(
        // "9" is 10:09, then "99" carries one hour and wraps to 0, not to 39.
        TypedRow{"Minute99At1015Is1100", T(2026, 8, 20, 10, 15, 0), "", &FormControls::Hun, "99", Entry::Keys,
                 {"2026", "8", "20", "11", "0", "0"}},
        TypedRow{"Hour5point7SetsSpinTo6", T(2026, 8, 20, 10, 15, 0), "", &FormControls::Jikoku, "5.7", Entry::Program,
                 {"2026", "8", "20", "6", "15", "0"}},
        TypedRow{"Hour23point7CarriesIntoTheDay", T(2026, 8, 20, 10, 15, 0), "", &FormControls::Jikoku, "23.7",
                 Entry::Program, {"2026", "8", "21", "0", "15", "0"}},
        TypedRow{"HourMinusHalfBorrowsFromTheDay", T(2026, 8, 20, 10, 15, 0), "", &FormControls::Jikoku, "-0.5",
                 Entry::Program, {"2026", "8", "19", "23", "15", "0"}},
        TypedRow{"Hour48IsMidnightOfTheNextDay", T(2026, 8, 20, 10, 15, 0), "", &FormControls::Jikoku, "48", Entry::Keys,
                 {"2026", "8", "21", "0", "15", "0"}},
        TypedRow{"Minute2point5RoundsHalfToEven", T(2026, 8, 20, 10, 15, 0), "", &FormControls::Hun, "2.5",
                 Entry::Program, {"2026", "8", "20", "10", "2", "0"}},
        TypedRow{"Month25IsJanuaryNextYear", T(2026, 8, 20, 10, 15, 0), "", &FormControls::tuki, "25", Entry::Keys,
                 {"2027", "1", "20", "10", "15", "0"}},
        TypedRow{"FullWidthMonth12", T(2026, 8, 20, 10, 15, 0), "", &FormControls::tuki, "１２", Entry::Keys,
                 {"2026", "12", "20", "10", "15", "0"}},
        TypedRow{"FullWidthYear2024", T(2026, 8, 20, 10, 15, 0), "", &FormControls::Nen, "２０２４", Entry::Keys,
                 {"２０２４", "8", "20", "10", "15", "0"}},
        TypedRow{"Day0On1MarchIsLast28February", T(2026, 3, 1, 10, 15, 0), "", &FormControls::Hi, "0", Entry::Program,
                 {"2026", "2", "28", "10", "15", "0"}},
        TypedRow{"Day0point5BorrowsFromTheMonth", T(2026, 8, 20, 10, 15, 0), "", &FormControls::Hi, "0.5",
                 Entry::Program, {"2026", "7", "31", "10", "15", "0"}},
        TypedRow{"Day31InJuneCarries", T(2026, 6, 20, 10, 15, 0), "", &FormControls::Hi, "31", Entry::Keys,
                 {"2026", "7", "1", "10", "15", "0"}},
        TypedRow{"Day32InDecemberIsNewYear", T(2026, 12, 20, 10, 15, 0), "", &FormControls::Hi, "32", Entry::Program,
                 {"2027", "1", "1", "10", "15", "0"}},
        TypedRow{"Day0OnJanuary1OfYear1IsYear0", T(2026, 1, 20, 10, 15, 0), "1", &FormControls::Hi, "0",
                 Entry::Program, {"0", "12", "31", "10", "15", "0"}},
        TypedRow{"Minute60At2359On31DecemberIsNewYear", T(2026, 12, 31, 23, 59, 12), "", &FormControls::Hun, "60",
                 Entry::Program, {"2027", "1", "1", "0", "0", "12"}},
        TypedRow{"MinuteMinus1At0000On1January", T(2026, 1, 1, 0, 0, 0), "", &FormControls::Hun, "-1", Entry::Program,
                 {"2025", "12", "31", "23", "59", "0"}},
        TypedRow{"Second75CarriesOneMinute", T(2026, 8, 20, 10, 15, 0), "", &FormControls::Byo, "75", Entry::Program,
                 {"2026", "8", "20", "10", "16", "0"}},
        // 59.5 has the spin value 60, which carries like 23.7 in the hour.
        TypedRow{"Second59point5RoundsUpAndCarries", T(2026, 8, 20, 10, 15, 0), "", &FormControls::Byo, "59.5",
                 Entry::Program, {"2026", "8", "20", "10", "16", "0"}}),
    RowName<TypedRow>);

// ---- texts that are not numbers: the handler does nothing more -------------

struct IgnoredRow {
    std::string name;
    Field before;  // written first, when given
    QString beforeText;
    Field field;
    QString text;
};

class IgnoredText : public InputTest, public ::testing::WithParamInterface<IgnoredRow> {};

TEST_P(IgnoredText, LeavesEverythingElse)
{
    const IgnoredRow& r = GetParam();
    Start(T(2026, 8, 20, 10, 15, 30));
    if (r.before)
        (Form(w()).*r.before)->setText(r.beforeText);
    FieldTexts want = FieldsOf(w());
    const std::string spins = Spins(w());
    const std::string shown = Caption(Form(w()).result);
    const MonthTable months = w().State().monthDays;
    const long recalcs = w().State().recalculations;

    (Form(w()).*r.field)->setText(r.text);

    EXPECT_EQ(r.text, (Form(w()).*r.field)->text()) << "the field keeps what was written";
    // Only the written field differs.
    TextOf(want, r.field) = r.text.toStdString();
    const FieldTexts got = FieldsOf(w());
    EXPECT_EQ(Show(want), Show(got));
    EXPECT_EQ(spins, Spins(w()));
    EXPECT_EQ(shown, Caption(Form(w()).result));
    EXPECT_EQ(months, w().State().monthDays);
    EXPECT_EQ(recalcs, w().State().recalculations);
}

INSTANTIATE_TEST_SUITE_P(
    Input, IgnoredText,
    ::testing::Values(IgnoredRow{"LetterInYear", nullptr, "", &FormControls::Nen, "x"},
                      IgnoredRow{"LetterInMonth", nullptr, "", &FormControls::tuki, "a"},
                      IgnoredRow{"EmptyDay", nullptr, "", &FormControls::Hi, ""},
                      IgnoredRow{"DigitAndLetterInHour", nullptr, "", &FormControls::Jikoku, "1a"},
                      IgnoredRow{"LoneMinusInMinute", nullptr, "", &FormControls::Hun, "-"},
                      IgnoredRow{"LonePointInSecond", nullptr, "", &FormControls::Byo, "."},
                      IgnoredRow{"MonthCarryIntoLetterYear", &FormControls::Nen, "x", &FormControls::tuki, "13"},
                      IgnoredRow{"DayAgainstLetterMonth", &FormControls::tuki, "x", &FormControls::Hi, "40"},
                      IgnoredRow{"HourBorrowFromEmptyDay", &FormControls::Hi, "", &FormControls::Jikoku, "-1"},
                      IgnoredRow{"SecondCarryIntoLoneMinusMinute", &FormControls::Hun, "-", &FormControls::Byo, "60"}),
    RowName<IgnoredRow>);

// An arrow click past the end of the range while the larger unit's field is
// empty or not a number cannot carry; the spin control must still come to
// rest inside its field's range.
struct BlockedRow {
    std::string name;
    QDateTime start;
    Field larger;
    QString largerText;
    Spin spin;
    Field own;
    int direction;
    int lo, hi;
};

class BlockedCarry : public InputTest, public ::testing::WithParamInterface<BlockedRow> {};

TEST_P(BlockedCarry, SpinStaysInItsFieldsRange)
{
    const BlockedRow& r = GetParam();
    Start(r.start);
    (Form(w()).*r.larger)->setText(r.largerText);
    SpinBar* s = Form(w()).*r.spin;
    if (r.direction > 0)
        s->StepUp();
    else
        s->StepDown();
    EXPECT_GE(s->Value(), r.lo) << "fields " << Show(FieldsOf(w()));
    EXPECT_LE(s->Value(), r.hi) << "fields " << Show(FieldsOf(w()));
    EXPECT_EQ(std::to_string(s->Value()), (Form(w()).*r.own)->text().toStdString()) << "the field shows its spin";
}

INSTANTIATE_TEST_SUITE_P(
    Input, BlockedCarry,
    ::testing::Values(
        BlockedRow{"MonthUpInDecemberWithYearEmpty", T(2026, 12, 15, 12, 0, 0), &FormControls::Nen, "",
                   &FormControls::VSmon, &FormControls::tuki, +1, 1, 12},
        BlockedRow{"DayUpOn31AugustWithMonthALetter", T(2026, 8, 31, 12, 0, 0), &FormControls::tuki, "a",
                   &FormControls::VSday, &FormControls::Hi, +1, 1, 31},
        BlockedRow{"HourUpAt23WithDayEmpty", T(2026, 8, 20, 23, 0, 0), &FormControls::Hi, "", &FormControls::VSh,
                   &FormControls::Jikoku, +1, 0, 23},
        BlockedRow{"MinuteDownAt00WithHourALoneMinus", T(2026, 8, 20, 10, 0, 0), &FormControls::Jikoku, "-",
                   &FormControls::VSmin, &FormControls::Hun, -1, 0, 59},
        BlockedRow{"SecondUpAt59WithMinuteEmpty", T(2026, 8, 20, 10, 15, 59), &FormControls::Hun, "",
                   &FormControls::VSsec, &FormControls::Byo, +1, 0, 59}),
    RowName<BlockedRow>);

// While the month field is empty the day typed still moves its spin control,
// so the next arrow click steps from the day shown.
TEST_F(InputTest, DayTypedWhileTheMonthIsEmptyMovesItsSpin)
{
    Start(T(2026, 6, 30, 12, 0, 0));
    SelectAll(Form(w()).tuki);
    QTest::keyClick(Form(w()).tuki, Qt::Key_Backspace);
    SelectAll(Form(w()).Hi);
    Type(Form(w()).Hi, "15");
    Type(Form(w()).tuki, "6");
    ASSERT_EQ(Show({"2026", "6", "15", "12", "0", "0"}), Show(FieldsOf(w())));
    Form(w()).VSday->StepUp();
    ExpectShows(w(), {"2026", "6", "16", "12", "0", "0"});
}

// ---- leap years and the year limit ------------------------------------------

struct LeapRow {
    std::string name;
    std::string year;
    int february;
};

class LeapYear : public InputTest, public ::testing::WithParamInterface<LeapRow> {};

// The day's upper arrow on 28 February shows February's length.
TEST_P(LeapYear, FebruaryFollowsTheYearField)
{
    const LeapRow& r = GetParam();
    Start(T(2026, 2, 28, 12, 0, 0));
    Form(w()).Nen->setText(QString::fromStdString(r.year));
    EXPECT_EQ(r.february, w().State().monthDays[1]);
    Form(w()).VSday->StepUp();
    const FieldTexts want = r.february == 29 ? FieldTexts{r.year, "2", "29", "12", "0", "0"}
                                             : FieldTexts{r.year, "3", "1", "12", "0", "0"};
    ExpectShows(w(), want);
}

INSTANTIATE_TEST_SUITE_P(Input, LeapYear,
                         ::testing::Values(LeapRow{"Y2000", "2000", 29}, LeapRow{"Y2024", "2024", 29},
                                           LeapRow{"YMinus4", "-4", 29}, LeapRow{"Y1900", "1900", 28},
                                           LeapRow{"Y2100", "2100", 28}, LeapRow{"YMinus100", "-100", 28},
                                           // The Gregorian rule also before 1582.
                                           LeapRow{"Y1500", "1500", 28}),
                         RowName<LeapRow>);

TEST_F(InputTest, Year8500IsComputed)
{
    Start(T(2026, 8, 20, 10, 15, 0));
    const long before = w().State().recalculations;
    Form(w()).Nen->setText("8500");
    EXPECT_EQ(before + 1, w().State().recalculations);
    ExpectShows(w(), {"8500", "8", "20", "10", "15", "0"});
}

struct LimitRow {
    std::string name;
    QString year;
    Entry entry;
    int february;
    bool computable = true;  // a later recalculation can compute the year
};

class YearAboveLimit : public InputTest, public ::testing::WithParamInterface<LimitRow> {};

TEST_P(YearAboveLimit, ShowsTheMessageInsteadOfResults)
{
    const LimitRow& r = GetParam();
    Start(T(2026, 8, 20, 10, 15, 0));
    const long before = w().State().recalculations;
    if (r.entry == Entry::Keys) {
        SelectAll(Form(w()).Nen);
        Type(Form(w()).Nen, r.year);
    } else {
        Form(w()).Nen->setText(r.year);
    }
    EXPECT_EQ(r.year, Form(w()).Nen->text());
    EXPECT_EQ(kYearLimit, Caption(Form(w()).result));
    EXPECT_EQ(r.february, w().State().monthDays[1]) << "February follows also a refused year";
    if (r.entry == Entry::Program) {
        EXPECT_EQ(before, w().State().recalculations);
    }

    // Any later recalculation computes with the year in the field, when it can.
    Form(w()).VSmin->StepUp();
    EXPECT_EQ(r.computable ? ResultFor(FieldsOf(w())) : kYearLimit, Caption(Form(w()).result));
}

INSTANTIATE_TEST_SUITE_P(Input, YearAboveLimit,
                         ::testing::Values(LimitRow{"Y8501", "8501", Entry::Program, 28},
                                           LimitRow{"Y8504Leap", "8504", Entry::Program, 29},
                                           LimitRow{"NineDigitsTyped", "999999999", Entry::Keys, 28},
                                           // 10^10 lies beyond 32 bits; divisible by 400, it is a leap year.
                                           LimitRow{"ExponentBeyond32BitsTyped", "1e10", Entry::Keys, 29, false}),
                         RowName<LimitRow>);

// ---- typing limits ----------------------------------------------------------

enum class Input { Keys, InputMethod, Paste };

struct LimitTypingRow {
    std::string name;
    Field field;
    QString typed;
    Input input;
    QString want;
};

class TypingLimit : public InputTest, public ::testing::WithParamInterface<LimitTypingRow> {};

TEST_P(TypingLimit, StopsTypedText)
{
    const LimitTypingRow& r = GetParam();
    Start(T(2026, 8, 20, 10, 15, 0));
    LimitedLineEdit* f = Form(w()).*r.field;
    SelectAll(f);
    switch (r.input) {
    case Input::Keys:
        Type(f, r.typed);
        break;
    case Input::InputMethod: {
        QInputMethodEvent e;
        e.setCommitString(r.typed);
        QApplication::sendEvent(f, &e);
        break;
    }
    case Input::Paste:
        QApplication::clipboard()->setText(r.typed);
        QTest::keyClick(f, Qt::Key_V, Qt::ControlModifier);
        break;
    }
    EXPECT_EQ(r.want, f->text());
}

INSTANTIATE_TEST_SUITE_P(
    Input, TypingLimit,
    ::testing::Values(LimitTypingRow{"MonthTwoKeys", &FormControls::tuki, "123", Input::Keys, "12"},
                      LimitTypingRow{"YearNineKeys", &FormControls::Nen, "1234567890", Input::Keys, "123456789"},
                      LimitTypingRow{"YearNineFullWidthKeys", &FormControls::Nen, "２０２６２０２６２０", Input::Keys,
                                     "２０２６２０２６２"},
                      // The committed "１２" becomes December; the spin writes it back.
                      LimitTypingRow{"MonthInputMethod", &FormControls::tuki, "１２３", Input::InputMethod, "12"},
                      LimitTypingRow{"MinutePaste", &FormControls::Hun, "12345", Input::Paste, "12"}),
    RowName<LimitTypingRow>);

TEST_F(InputTest, ProgramWritesAreNotCut)
{
    Start(T(2026, 8, 20, 10, 15, 0));
    Form(w()).Nen->setText("-0000002026");
    EXPECT_EQ("-0000002026", Form(w()).Nen->text());
    EXPECT_EQ(ResultFor(FieldsOf(w())), Caption(Form(w()).result));
    // The minute's spin value is 15 already: nothing writes the field back.
    Form(w()).Hun->setText("0015.25");
    EXPECT_EQ("0015.25", Form(w()).Hun->text());
    EXPECT_EQ(15, Form(w()).VSmin->Value());
    // And a key stroke into the over-long year is refused.
    Form(w()).Nen->end(false);
    Type(Form(w()).Nen, "5");
    EXPECT_EQ("-0000002026", Form(w()).Nen->text());
}

TEST_F(InputTest, YearTypedKeyByKeyRecalculatesEachTime)
{
    Start(T(2026, 8, 20, 10, 15, 0));
    SelectAll(Form(w()).Nen);
    QTest::keyClick(Form(w()).Nen, Qt::Key_Backspace);
    ASSERT_EQ("", Form(w()).Nen->text());
    QString prefix;
    for (const QChar key : QStringLiteral("2026")) {
        prefix += key;
        const long before = w().State().recalculations;
        Type(Form(w()).Nen, key);
        EXPECT_EQ(prefix, Form(w()).Nen->text());
        EXPECT_EQ(before + 1, w().State().recalculations) << "recalculations for " << prefix.toStdString();
        EXPECT_EQ(ResultFor(FieldsOf(w())), Caption(Form(w()).result)) << "for " << prefix.toStdString();
    }
}

// A typed second moves its spin control, so the display follows and the next
// click steps from the typed value.
TEST_F(InputTest, TypedSecondMovesItsSpinAndRecalculates)
{
    Start(T(2026, 8, 20, 10, 15, 0));
    SelectAll(Form(w()).Byo);
    Type(Form(w()).Byo, "42");
    ExpectShows(w(), {"2026", "8", "20", "10", "15", "42"});
    Form(w()).VSsec->StepUp();
    ExpectShows(w(), {"2026", "8", "20", "10", "15", "43"});
}

// Unticking the real-time box in the second of its last tick writes the same
// second again, which runs no handler; unticking brings the second's spin
// back in step, so the next click steps from the second shown, and a second
// typed afterwards is shown too.
TEST_F(InputTest, UntickingRealTimeBringsTheSecondSpinBackInStep)
{
    Start(T(2026, 8, 20, 10, 15, 0));
    clock_->now = T(2026, 8, 20, 10, 15, 7);
    Form(w()).RTime->click();
    Form(w()).RTime->click();
    ASSERT_EQ("7", Form(w()).Byo->text());
    EXPECT_EQ(7, Form(w()).VSsec->Value());
    Form(w()).VSsec->StepUp();
    ExpectShows(w(), {"2026", "8", "20", "10", "15", "8"});
    SelectAll(Form(w()).Byo);
    Type(Form(w()).Byo, "0");
    ExpectShows(w(), {"2026", "8", "20", "10", "15", "0"});
}

// A year or month change leaves a day outside its month as it is; nothing is
// shown until the day is corrected.
struct OutsideRow {
    std::string name;
    QDateTime start;
    Field field;
    QString text;
    FieldTexts left;
    FieldTexts afterDayDown;
};

class DayOutsideItsMonth : public InputTest, public ::testing::WithParamInterface<OutsideRow> {};

TEST_P(DayOutsideItsMonth, StaysUntilCorrected)
{
    const OutsideRow& r = GetParam();
    Start(r.start);
    const std::string shown = Caption(Form(w()).result);
    (Form(w()).*r.field)->setText(r.text);
    EXPECT_EQ(Show(r.left), Show(FieldsOf(w())));
    EXPECT_EQ(shown, Caption(Form(w()).result));
    Form(w()).VSday->StepDown();
    ExpectShows(w(), r.afterDayDown);
}

INSTANTIATE_TEST_SUITE_P(
    Input, DayOutsideItsMonth,
    ::testing::Values(OutsideRow{"LeapDayInACommonYear", T(2024, 2, 29, 12, 0, 0), &FormControls::Nen, "2023",
                                 {"2023", "2", "29", "12", "0", "0"}, {"2023", "2", "28", "12", "0", "0"}},
                      // 30 is still past February's end and carries.
                      OutsideRow{"Day31MadeFebruary", T(2026, 1, 31, 12, 0, 0), &FormControls::tuki, "2",
                                 {"2026", "2", "31", "12", "0", "0"}, {"2026", "3", "1", "12", "0", "0"}}),
    RowName<OutsideRow>);

// ---- today ------------------------------------------------------------------

struct TodayRow {
    std::string name;
    QDateTime start;  // the moment in the fields
    QDateTime now;    // the wall clock when the button is pressed
    FieldTexts want;
};

class Today : public InputTest, public ::testing::WithParamInterface<TodayRow> {};

TEST_P(Today, TakesTheDateAndKeepsTheTimeOfDay)
{
    const TodayRow& r = GetParam();
    Start(r.start);
    clock_->now = r.now;
    Form(w()).tday->click();
    ExpectShows(w(), r.want);
}

INSTANTIATE_TEST_SUITE_P(
    Input, Today,
    ::testing::Values(TodayRow{"At1410With093045", T(2026, 3, 5, 9, 30, 45), T(2026, 8, 20, 14, 10, 0),
                               {"2026", "8", "20", "9", "30", "45"}},
                      // The year comes first and leaves 29 February behind for a moment.
                      TodayRow{"FromLeapDayToCommonFebruary", T(2024, 2, 29, 9, 30, 0), T(2026, 2, 28, 14, 10, 0),
                               {"2026", "2", "28", "9", "30", "0"}},
                      TodayRow{"From31JanuaryToApril", T(2026, 1, 31, 9, 30, 0), T(2026, 4, 15, 14, 10, 0),
                               {"2026", "4", "15", "9", "30", "0"}},
                      // The month comes before the day: 31 is a day of March.
                      TodayRow{"FromFebruaryTo31March", T(2026, 2, 10, 9, 30, 0), T(2026, 3, 31, 14, 10, 0),
                               {"2026", "3", "31", "9", "30", "0"}},
                      TodayRow{"OnlyTheYearChanges", T(2025, 8, 20, 9, 30, 0), T(2026, 8, 20, 14, 10, 0),
                               {"2026", "8", "20", "9", "30", "0"}}),
    RowName<TodayRow>);

// ---- the real-time run ------------------------------------------------------

TEST_F(InputTest, RealTimeShowsTheClockAtOnceAndStopsWhenUnticked)
{
    Start(T(2026, 8, 20, 14, 10, 0));
    Form(w()).Nen->setText("2020");
    Form(w()).Hun->setText("5");
    clock_->now = T(2026, 8, 21, 15, 42, 17);

    Form(w()).RTime->click();
    ASSERT_TRUE(Form(w()).RTime->isChecked());
    EXPECT_TRUE(Form(w()).Timer1->isActive());
    EXPECT_EQ(990, Form(w()).Timer1->interval());
    EXPECT_EQ(Qt::PreciseTimer, Form(w()).Timer1->timerType());
    EXPECT_EQ(Show({"2026", "8", "21", "15", "42", "17"}), Show(FieldsOf(w())));
    EXPECT_EQ(ResultFor(FieldsOf(w())), Caption(Form(w()).result));

    // One tick, a second later.
    clock_->now = T(2026, 8, 21, 15, 42, 18);
    Tick(w());
    EXPECT_EQ(Show({"2026", "8", "21", "15", "42", "18"}), Show(FieldsOf(w())));
    EXPECT_EQ(ResultFor(FieldsOf(w())), Caption(Form(w()).result));

    // Unticking takes the clock once more and brings the spins back in step.
    clock_->now = T(2026, 8, 21, 15, 43, 5);
    Form(w()).RTime->click();
    EXPECT_FALSE(Form(w()).Timer1->isActive());
    ExpectShows(w(), {"2026", "8", "21", "15", "43", "5"});
}

struct RealTimeRow {
    std::string name;
    Field field;
    QString text;
    FieldTexts want;
    Spin spin;
    int wantSpin;
    bool recalculates;
};

class TypedDuringRealTime : public InputTest, public ::testing::WithParamInterface<RealTimeRow> {};

TEST_P(TypedDuringRealTime, MinuteAndSecondLeaveTheirSpins)
{
    const RealTimeRow& r = GetParam();
    Start(T(2026, 8, 20, 10, 15, 0));
    clock_->now = T(2026, 8, 20, 10, 15, 7);
    Form(w()).RTime->click();
    const long before = w().State().recalculations;
    (Form(w()).*r.field)->setText(r.text);
    EXPECT_EQ(Show(r.want), Show(FieldsOf(w())));
    EXPECT_EQ(r.wantSpin, (Form(w()).*r.spin)->Value());
    if (r.recalculates)
        EXPECT_EQ(ResultFor(r.want), Caption(Form(w()).result));
    else
        EXPECT_EQ(before, w().State().recalculations);
}

INSTANTIATE_TEST_SUITE_P(
    Input, TypedDuringRealTime,
    ::testing::Values(RealTimeRow{"Minute30LeavesItsSpin", &FormControls::Hun, "30",
                                  {"2026", "8", "20", "10", "30", "7"}, &FormControls::VSmin, 15, false},
                      RealTimeRow{"Minute60StillCarries", &FormControls::Hun, "60",
                                  {"2026", "8", "20", "11", "0", "7"}, &FormControls::VSmin, 0, true},
                      RealTimeRow{"Second42LeavesItsSpin", &FormControls::Byo, "42",
                                  {"2026", "8", "20", "10", "15", "42"}, &FormControls::VSsec, 0, false}),
    RowName<RealTimeRow>);

// A tick writes the minute without its spin; today's date brings it back.
TEST_F(InputTest, TodayBringsTheMinuteSpinBackInStep)
{
    Start(T(2026, 8, 20, 10, 15, 0));
    Form(w()).RTime->click();
    clock_->now = T(2026, 8, 20, 10, 16, 0);
    Tick(w());
    ASSERT_EQ("16", Form(w()).Hun->text());
    Form(w()).tday->click();
    EXPECT_EQ(16, Form(w()).VSmin->Value());
}

// ---- the animation ----------------------------------------------------------

// Records the pauses of a run; `at` runs inside the pause after the step given.
struct Pauses {
    std::vector<int> ms;
    std::function<void(int step)> at;
};

void Watch(MainWindow& w, Pauses& p)
{
    w.seams.clock.sleep = [&p](int ms) {
        p.ms.push_back(ms);
        if (p.at)
            p.at(static_cast<int>(p.ms.size()));
    };
}

TEST_F(InputTest, SlowRunFrom1058On31DecemberReachesNewYearAfter782Steps)
{
    const QDateTime start = T(2026, 12, 31, 10, 58, 0);
    Start(start);
    Pauses p;
    std::string firstWrong;
    p.at = [&](int step) {
        const FieldTexts want = At(start.addSecs(60 * step));
        if (firstWrong.empty() && (Show(want) != Show(FieldsOf(w())) || ResultFor(want) != Caption(Form(w()).result)))
            firstWrong = "step " + std::to_string(step) + ": wanted " + Show(want) + ", got " + Show(FieldsOf(w()));
        if (step == 782)
            Form(w()).Command1->click();
    };
    Watch(w(), p);
    Form(w()).Command1->click();
    EXPECT_EQ("", firstWrong) << "every step shows one minute more, with its results";
    EXPECT_EQ(782u, p.ms.size());
    ExpectShows(w(), {"2027", "1", "1", "0", "0", "0"});
    EXPECT_EQ(kAnimate, Form(w()).Command1->text().toStdString());
    EXPECT_EQ(false, w().State().animating);
}

struct FullRunRow {
    std::string name;
    bool fast;
    QDateTime start;
    QDateTime end;
    int pauseMs;
};

class FullRun : public InputTest, public ::testing::WithParamInterface<FullRunRow> {};

TEST_P(FullRun, Takes4801StepsAndEndsIdle)
{
    const FullRunRow& r = GetParam();
    Start(r.start);
    if (r.fast)
        Form(w()).Option3->click();
    Pauses p;
    std::string during;
    p.at = [&](int step) {
        if (step == 1)
            during = Form(w()).Command1->text().toStdString() + (w().State().animating ? " running" : " idle");
    };
    Watch(w(), p);
    Form(w()).Command1->click();
    EXPECT_EQ(std::string(kAnimStop) + " running", during);
    EXPECT_EQ(4801u, p.ms.size());
    EXPECT_EQ(std::vector<int>(p.ms.size(), r.pauseMs), p.ms) << "pause of every step";
    ExpectShows(w(), At(r.end));
    EXPECT_EQ(kAnimate, Form(w()).Command1->text().toStdString());
    EXPECT_EQ(false, w().State().animating);
}

INSTANTIATE_TEST_SUITE_P(Input, FullRun,
                         ::testing::Values(
                             // 4801 minutes over the leap day.
                             FullRunRow{"SlowFromMidnight28February2024", false, T(2024, 2, 28, 0, 0, 0),
                                        T(2024, 3, 2, 8, 1, 0), 5},
                             FullRunRow{"FastFromNewYear2026", true, T(2026, 1, 1, 0, 0, 0),
                                        T(2026, 7, 20, 1, 0, 0), 50}),
                         RowName<FullRunRow>);

// Each pause is measured from the start of its step: ten steps whose work
// takes less than the pause take ten pauses in all; a longer step is not
// paused at all. The steady clock moves by the work of each step (while the
// spin control steps) and by each pause.
struct PaceRow {
    std::string name;
    bool fast;
    int workMs;
    int64_t wantMs;  // ten steps
};

class Pace : public InputTest, public ::testing::WithParamInterface<PaceRow> {};

TEST_P(Pace, TenStepsKeepTheWrittenPace)
{
    const PaceRow& r = GetParam();
    Start(T(2026, 8, 20, 10, 0, 0));
    if (r.fast)
        Form(w()).Option3->click();
    int64_t nowMs = 0;
    w().seams.clock.steadyMs = [&nowMs] { return nowMs; };
    SpinBar* stepped = r.fast ? Form(w()).VSh : Form(w()).VSmin;
    const auto work = QObject::connect(stepped, &SpinBar::Changed, [&] { nowMs += r.workMs; });
    Pauses p;
    p.at = [&](int step) {
        nowMs += p.ms.back();
        if (step == 10)
            Form(w()).Command1->click();
    };
    Watch(w(), p);
    Form(w()).Command1->click();
    QObject::disconnect(work);
    ASSERT_EQ(10u, p.ms.size());
    EXPECT_EQ(r.wantMs, nowMs);
    for (int ms : p.ms)
        EXPECT_GE(ms, 0);
}

// A sleep that always oversleeps by 2 ms (a busy machine) does not slow the
// run down: each step is due 5 ms after the one before it on a schedule from
// the run's start, so ten slow steps take 50 ms and the last oversleep.
TEST_F(InputTest, OversleepingDoesNotAddUp)
{
    Start(T(2026, 8, 20, 10, 0, 0));
    int64_t nowMs = 0;
    w().seams.clock.steadyMs = [&nowMs] { return nowMs; };
    Pauses p;
    p.at = [&](int step) {
        nowMs += p.ms.back() + 2;
        if (step == 10)
            Form(w()).Command1->click();
    };
    Watch(w(), p);
    Form(w()).Command1->click();
    ASSERT_EQ(10u, p.ms.size());
    EXPECT_EQ(nowMs, 50 + 2);
}

INSTANTIATE_TEST_SUITE_P(Input, Pace,
                         ::testing::Values(PaceRow{"Slow3msSteps", false, 3, 10 * 5},
                                           PaceRow{"Slow8msSteps", false, 8, 10 * 8},
                                           PaceRow{"Fast20msSteps", true, 20, 10 * 50}),
                         RowName<PaceRow>);

TEST_F(InputTest, PressingAgainStopsAndPressingOnceMoreRestarts)
{
    const QDateTime start = T(2026, 8, 20, 10, 0, 0);
    Start(start);
    Pauses p;
    // A click posted during the 10th pause runs in the 11th step's event
    // processing; the loop ends after that step's pause.
    p.at = [&](int step) {
        if (step == 10)
            QMetaObject::invokeMethod(Form(w()).Command1, "click", Qt::QueuedConnection);
    };
    Watch(w(), p);
    Form(w()).Command1->click();
    EXPECT_EQ(11u, p.ms.size());
    ExpectShows(w(), At(start.addSecs(11 * 60)));
    EXPECT_EQ(kAnimate, Form(w()).Command1->text().toStdString());
    EXPECT_EQ(false, w().State().animating);

    Pauses again;
    std::string during;
    again.at = [&](int step) {
        if (step == 3) {
            during = Form(w()).Command1->text().toStdString();
            Form(w()).Command1->click();
        }
    };
    Watch(w(), again);
    Form(w()).Command1->click();
    EXPECT_EQ(kAnimStop, during);
    EXPECT_EQ(3u, again.ms.size());
    ExpectShows(w(), At(start.addSecs(14 * 60)));
    EXPECT_EQ(kAnimate, Form(w()).Command1->text().toStdString());
}

TEST_F(InputTest, SwitchingToFastDuringARunStepsHours)
{
    const QDateTime start = T(2026, 8, 20, 10, 0, 0);
    Start(start);
    Pauses p;
    p.at = [&](int step) {
        if (step == 3)
            Form(w()).Option3->click();
        if (step == 6)
            Form(w()).Command1->click();
    };
    Watch(w(), p);
    Form(w()).Command1->click();
    EXPECT_EQ((std::vector<int>{5, 5, 5, 50, 50, 50}), p.ms);
    ExpectShows(w(), At(start.addSecs(3 * 60 + 3 * 3600)));
}

// Other controls work during a run; the run goes on from what they set.
TEST_F(InputTest, TodayAndTypingDuringARun)
{
    Start(T(2026, 8, 20, 10, 0, 0));
    clock_->now = T(2027, 5, 5, 14, 10, 0);
    Pauses p;
    p.at = [&](int step) {
        if (step == 2)
            Form(w()).tday->click();
        if (step == 3)
            Form(w()).Jikoku->setText("20");
        if (step == 5)
            Form(w()).Command1->click();
    };
    Watch(w(), p);
    Form(w()).Command1->click();
    EXPECT_EQ(5u, p.ms.size());
    ExpectShows(w(), {"2027", "5", "5", "20", "5", "0"});
}

TEST_F(InputTest, StartingDuringRealTimeUnticksAndStartsFromTheClock)
{
    Start(T(2026, 8, 20, 14, 10, 0));
    Form(w()).RTime->click();
    clock_->now = T(2026, 8, 20, 14, 12, 30);
    Pauses p;
    std::string first;
    p.at = [&](int step) {
        if (step == 1)
            first = Show(FieldsOf(w())) + (Form(w()).RTime->isChecked() ? " ticked" : "") +
                    (Form(w()).Timer1->isActive() ? " timer" : "");
        if (step == 2)
            Form(w()).Command1->click();
    };
    Watch(w(), p);
    Form(w()).Command1->click();
    EXPECT_EQ("2026/8/20 14:13:30", first);
    EXPECT_EQ(2u, p.ms.size());
    ExpectShows(w(), {"2026", "8", "20", "14", "14", "30"});
}

TEST_F(InputTest, TickingRealTimeDuringARunStopsIt)
{
    Start(T(2026, 8, 20, 10, 0, 0));
    clock_->now = T(2026, 8, 21, 9, 0, 0);
    Pauses p;
    p.at = [&](int step) {
        if (step == 4)
            Form(w()).RTime->click();
    };
    Watch(w(), p);
    Form(w()).Command1->click();
    EXPECT_EQ(4u, p.ms.size());
    EXPECT_EQ(Show({"2026", "8", "21", "9", "0", "0"}), Show(FieldsOf(w())));
    EXPECT_EQ(kAnimate, Form(w()).Command1->text().toStdString());
    EXPECT_EQ(false, w().State().animating);
    Form(w()).RTime->click();
}

// ---- closing during the animation and the real-time run ---------------------

struct CloseRow {
    std::string name;
    bool queued;  // the close command arrives through the event loop
    size_t pauses;
    int minutes;  // steps made
};

class CloseDuringRun : public InputTest, public ::testing::WithParamInterface<CloseRow> {};

TEST_P(CloseDuringRun, EndsTheLoopAtOnce)
{
    const CloseRow& r = GetParam();
    const QDateTime start = T(2026, 8, 20, 10, 0, 0);
    Start(start);
    w().show();
    Pauses p;
    p.at = [&](int step) {
        if (step != 5)
            return;
        if (r.queued)
            QMetaObject::invokeMethod(&w(), "close", Qt::QueuedConnection);
        else
            w().close();
    };
    Watch(w(), p);
    Form(w()).Command1->click();  // returns: the loop has ended

    EXPECT_TRUE(w().Closed());
    EXPECT_FALSE(w().isVisible());
    EXPECT_EQ(r.pauses, p.ms.size());
    EXPECT_EQ(Show(At(start.addSecs(60 * r.minutes))), Show(FieldsOf(w())));
    const long recalcs = w().State().recalculations;
    QCoreApplication::processEvents();
    EXPECT_FALSE(w().isVisible()) << "no window reappears";
    EXPECT_EQ(recalcs, w().State().recalculations);
    EXPECT_EQ(r.pauses, p.ms.size());
}

INSTANTIATE_TEST_SUITE_P(Input, CloseDuringRun,
                         ::testing::Values(CloseRow{"FromThePause", false, 5, 5},
                                           CloseRow{"ThroughTheEventLoop", true, 5, 6}),
                         RowName<CloseRow>);

TEST_F(InputTest, ClosingDuringRealTimeStopsTheTimer)
{
    Start(T(2026, 8, 20, 10, 0, 0));
    w().show();
    Form(w()).RTime->click();
    ASSERT_TRUE(Form(w()).Timer1->isActive());
    w().close();
    EXPECT_TRUE(w().Closed());
    EXPECT_FALSE(Form(w()).Timer1->isActive()) << "no tick after the window is gone";
    EXPECT_FALSE(w().isVisible());
}

}  // namespace
}  // namespace veltrax
