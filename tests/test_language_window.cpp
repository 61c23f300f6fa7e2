// SPDX-License-Identifier: GPL-3.0-or-later
// The window in either language: every text of the window, its menu, the
// night plan and the spot's dialog, switched from the menu while the plan is
// open; and English that fits the form drawn for Japanese.
#include "results/ini.h"
#include "results/settings.h"
#include "support/events_dialog_fixture.h"
#include "support/settings_dir.h"
#include "support/window_fixture.h"
#include "window/grs_dialog.h"
#include "window/translation.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QStyleOptionButton>
#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace veltrax {
namespace {

using namespace testing;

bool HasJapanese(const QString& s)
{
    for (const QChar c : s) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF))
            return true;
    }
    return false;
}

using Texts = std::vector<std::pair<QString, QString>>;  // where, text

// Every text a reader or assistive technology meets under root: captions,
// titles, tool tips, accessible names and descriptions, the items of combo
// boxes and menus, the headings and cells of tables. The item naming its
// own language ("日本語") is left out: it reads the same in both.
Texts TextsOf(const QWidget& root)
{
    Texts out;
    QList<QWidget*> widgets = root.findChildren<QWidget*>();
    widgets.prepend(const_cast<QWidget*>(&root));
    for (QWidget* w : widgets) {
        const QString at = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
        const auto add = [&](const char* what, const QString& text) {
            if (!text.isEmpty())
                out.emplace_back(at + QLatin1Char('.') + QLatin1String(what), text);
        };
        if (w->isWindow())
            add("title", w->windowTitle());
        add("toolTip", w->toolTip());
        add("accessibleName", w->accessibleName());
        add("accessibleDescription", w->accessibleDescription());
        if (auto* l = qobject_cast<QLabel*>(w))
            add("text", l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            add("text", b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            add("title", g->title());
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                add("item", c->itemText(i));
        if (auto* v = qobject_cast<QAbstractItemView*>(w); v && v->model()) {
            const QAbstractItemModel& m = *v->model();
            for (int c = 0; c < m.columnCount(); ++c) {
                add("heading", m.headerData(c, Qt::Horizontal).toString());
                for (int r = 0; r < m.rowCount(); ++r)
                    add("cell", m.index(r, c).data().toString());
            }
        }
        for (QAction* a : w->actions())
            if (a->objectName() != QLatin1String("japaneseAction"))
                add("action", a->text());
    }
    return out;
}

void ExpectNoJapanese(const Texts& texts)
{
    EXPECT_FALSE(texts.empty());
    for (const auto& [where, text] : texts)
        EXPECT_FALSE(HasJapanese(text)) << where.toStdString() << ": " << text.toStdString();
}

void ExpectSame(const Texts& now, const Texts& before)
{
    EXPECT_EQ(now.size(), before.size()) << (before.empty() ? "" : before.back().first.toStdString() + ": " + before.back().second.toStdString());
    for (size_t i = 0; i < std::min(now.size(), before.size()); ++i)
        EXPECT_EQ(now[i].first.toStdString() + ": " + now[i].second.toStdString(),
                  before[i].first.toStdString() + ": " + before[i].second.toStdString());
}

TEST(Language, TheMenuSwitchesEveryTextAtOnceKeepingThePlanOpenOnItsRows)
{
    test_support::SettingsDir dir;
    dir.Write("[Site]\nlatitude=35.68\nlongitude=139.77\n");
    // The evening of a published mutual event (2O1, 2026-09-17 17:56 JST).
    auto w = StartedAt(2026, 9, 17, 17, 0);
    EventsDialog& plan = OpenEventsDialog(*w);
    const int rows = ShownRowCount(plan);
    ASSERT_GT(rows, 0);
    const Texts japanese = TextsOf(*w), japanesePlan = TextsOf(plan);

    // The plan, at its smallest, fits beside the window on a 1600-pixel
    // screen (with room for two frames) in either language.
    const auto fitsBeside = [&] { return w->width() + plan.minimumSizeHint().width() + 2 * 8 <= 1600; };
    EXPECT_TRUE(fitsBeside());

    Action(*w, "englishAction")->trigger();
    EXPECT_TRUE(plan.isVisible());
    EXPECT_TRUE(fitsBeside()) << plan.minimumSizeHint().width();
    ASSERT_EQ(ShownRowCount(plan), rows);
    ExpectNoJapanese(TextsOf(*w));
    ExpectNoJapanese(TextsOf(plan));
    {
        GrsDialog spot(w->Settings().grs, QStringLiteral("note"), w.get());
        ExpectNoJapanese(TextsOf(spot));
    }
    // The choice is kept in the settings file, beside the site.
    IniFile ini;
    std::string why;
    ASSERT_EQ(ReadIniFile(dir.File(), ini, why), IniRead::Ok) << why;
    const Settings stored = ReadSettings(ini);
    EXPECT_EQ(SettingsLanguage(stored), Language::English);
    EXPECT_TRUE(stored.site.has_value());

    // And back: every text exactly as it was.
    Action(*w, "japaneseAction")->trigger();
    ExpectSame(TextsOf(*w), japanese);
    ExpectSame(TextsOf(plan), japanesePlan);
}

// Where a widget stands in its parent, for each visible child of the window.
std::vector<std::pair<QString, QRect>> Places(const QWidget& w)
{
    std::vector<std::pair<QString, QRect>> out;
    for (QWidget* c : w.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (c->isVisible() && !c->isWindow())
            out.emplace_back(c->objectName(), c->geometry());
    return out;
}

// The pairs of the window's controls that overlap.
std::set<std::pair<QString, QString>> Overlaps(const QWidget& w)
{
    const auto places = Places(w);
    std::set<std::pair<QString, QString>> out;
    for (size_t i = 0; i < places.size(); ++i)
        for (size_t j = i + 1; j < places.size(); ++j)
            if (places[i].second.intersects(places[j].second))
                out.emplace(places[i].first, places[j].first);
    return out;
}

// Each caption fits the room its control gives it, measured with the
// control's font; and it stays inside the window.
void ExpectCaptionsFit(const QWidget& window)
{
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow())
            continue;
        const QFontMetrics fm(w->font());
        QString text;
        int room = w->width();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            QStyleOptionButton o;
            o.initFrom(b);
            const bool check = qobject_cast<QCheckBox*>(b) || qobject_cast<QRadioButton*>(b);
            room = b->style()
                       ->subElementRect(check ? (qobject_cast<QCheckBox*>(b) ? QStyle::SE_CheckBoxContents
                                                                              : QStyle::SE_RadioButtonContents)
                                              : QStyle::SE_PushButtonContents,
                                        &o, b)
                       .width();
            text = b->text().remove(QLatin1Char('&'));
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            text = g->title();
        } else if (auto* l = qobject_cast<platform::CaptionLabel*>(w)) {
            text = l->Caption();
        }
        const int left = w->mapTo(&window, QPoint(0, 0)).x();
        for (const QString& line : text.split(QChar(13))) {
            const int width = fm.horizontalAdvance(line);
            EXPECT_LE(width, room) << w->objectName().toStdString() << ": " << line.toStdString();
            EXPECT_LE(left + width, window.width()) << w->objectName().toStdString() << ": " << line.toStdString();
        }
    }
}

TEST(Language, EnglishFitsTheFormDrawnForJapaneseZoomedAndWide)
{
    std::set<std::pair<QString, QString>> japanese[2];
    for (const Language language : {Language::Japanese, Language::English}) {
        ASSERT_EQ(UseLanguage(language), language);
        auto w = StartedAt(2026, 12, 10, 21, 0);
        w->show();
        for (int view = 0; view < 2; ++view) {
            if (language == Language::Japanese) {
                japanese[view] = Overlaps(*w);
            } else {
                ExpectCaptionsFit(*w);
                for (const auto& pair : Overlaps(*w))
                    EXPECT_TRUE(japanese[view].count(pair))
                        << pair.first.toStdString() << " overlaps " << pair.second.toStdString();
            }
            Form(*w).Command2->click();  // zoomed at start-up, then wide
        }
    }
    UseLanguage(Language::Japanese);
}

}  // namespace
}  // namespace veltrax
