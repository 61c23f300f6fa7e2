// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/events_dialog.h"

#include "results/calendar_export.h"
#include "results/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHideEvent>
#include <QSaveFile>
#include <QScreen>
#include <QShowEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace veltrax {
namespace {

// Sorted by the number under Qt::UserRole when it has one, else by the text.
class SortItem : public QTableWidgetItem {
public:
    using QTableWidgetItem::QTableWidgetItem;
    bool operator<(const QTableWidgetItem& other) const override
    {
        const QVariant a = data(Qt::UserRole), b = other.data(Qt::UserRole);
        if (a.isValid() && b.isValid())
            return a.toDouble() < b.toDouble();
        if (a.isValid() != b.isValid())
            return b.isValid();  // a blank cell before any number
        return text() < other.text();
    }
};

const char* const kMoonNames[4] = {"Ⅰ イオ", "Ⅱ エウロパ", "Ⅲ ガニメデ", "Ⅳ カリスト"};

const char* KindName(EventKind k)
{
    switch (k) {
    case EventKind::Transit: return "経過";
    case EventKind::Shadow: return "影の経過";
    case EventKind::Occultation: return "掩蔽";
    case EventKind::Eclipse: return "食";
    }
    return "";
}

// The satellites' short names, for the events of two of them.
const char* const kMoonShortNames[4] = {"イオ", "エウロパ", "ガニメデ", "カリスト"};

enum Column { kTime, kMoon, kKind, kEdge, kAltitude, kColumns };

// "2026-12-08 18:38:32", a row's moment in JST.
QString WhenText(const JstMoment& m)
{
    char when[48];
    std::snprintf(when, sizeof when, "%04d-%02d-%02d %02d:%02d:%02d", m.year, m.month, m.day, m.hour, m.minute, m.second);
    return QString::fromLatin1(when);
}

// Jupiter's altitude from the site, "35.2°"; empty without a site.
QString AltitudeText(const std::optional<SiteView>& view)
{
    if (!view)
        return QString();
    char a[16];
    std::snprintf(a, sizeof a, "%.1f°", view->altitudes.jupiterDeg);
    return QString::fromUtf8(a);
}

std::string Typed(const QLineEdit* e)
{
    return e->text().normalized(QString::NormalizationForm_KC).trimmed().toStdString();
}

}  // namespace

EventsDialog::EventsDialog(const std::optional<Site>& site, const QString& note, QWidget* parent)
    : QDialog(parent), site_(site)
{
    setWindowTitle(QStringLiteral("衛星現象"));
    setObjectName(QStringLiteral("EventsDialog"));
    setModal(false);
    auto* grid = new QGridLayout(this);

    noteLabel = new QLabel(note, this);
    noteLabel->setWordWrap(true);
    noteLabel->setVisible(!note.isEmpty());
    grid->addWidget(noteLabel, 0, 0, 1, 7);

    auto* siteCaption = new QLabel(QStringLiteral("観測地"), this);
    grid->addWidget(siteCaption, 1, 0);
    latitude = new QLineEdit(this);
    longitude = new QLineEdit(this);
    height = new QLineEdit(this);
    latitude->setObjectName(QStringLiteral("latitude"));
    longitude->setObjectName(QStringLiteral("longitude"));
    height->setObjectName(QStringLiteral("height"));
    const struct {
        const char* caption;
        QLineEdit* field;
    } fields[] = {{"緯度（北が正、度）(&A)", latitude}, {"経度（東が正、度）(&O)", longitude}, {"標高（m）(&H)", height}};
    int column = 1;
    for (const auto& f : fields) {
        auto* caption = new QLabel(QString::fromUtf8(f.caption), this);
        caption->setBuddy(f.field);
        grid->addWidget(caption, 1, column++);
        grid->addWidget(f.field, 1, column++);
        connect(f.field, &QLineEdit::textChanged, this, [this] { ReadSite(); });
    }
    saveSite = new QPushButton(QStringLiteral("観測地を保存(&S)"), this);
    saveSite->setAutoDefault(false);
    grid->addWidget(saveSite, 2, 5, 1, 2);
    siteMessage = new QLabel(this);
    siteMessage->setStyleSheet(QStringLiteral("color: #b00000"));
    siteMessage->setWordWrap(true);
    grid->addWidget(siteMessage, 2, 0, 1, 5);

    onlySeen = new QCheckBox(QStringLiteral("見える現象だけ"), this);
    onlySeen->setObjectName(QStringLiteral("onlySeen"));
    onlySeen->setToolTip(QStringLiteral("見える現象: 木星の高度10°以上、太陽の高度−6°以下（観測地がなければ地球から見えるもの）"));
    grid->addWidget(onlySeen, 3, 0, 1, 2);
    range = new QComboBox(this);
    range->setObjectName(QStringLiteral("range"));
    range->addItems({QStringLiteral("この日時の前後（12時間前から36時間後）"), QStringLiteral("この日時から7日間"),
                     QStringLiteral("この日時から30日間")});
    grid->addWidget(range, 3, 2, 1, 2);
    exportCsv = new QPushButton(QStringLiteral("CSVに書き出す…"), this);
    exportIcs = new QPushButton(QStringLiteral("カレンダーに書き出す…"), this);
    exportCsv->setAutoDefault(false);
    exportIcs->setAutoDefault(false);
    exportIcs->setToolTip(QStringLiteral("表示中の行を iCalendar（.ics）ファイルに書き出します（時刻は世界時）"));
    grid->addWidget(exportCsv, 3, 4);
    grid->addWidget(exportIcs, 3, 5, 1, 2);
    rangeLabel = new QLabel(this);
    grid->addWidget(rangeLabel, 5, 0, 1, 7);

    table = new QTableWidget(0, kColumns, this);
    table->setObjectName(QStringLiteral("events"));
    table->setHorizontalHeaderLabels({QStringLiteral("日時（JST）"), QStringLiteral("衛星"), QStringLiteral("現象"),
                                      QStringLiteral("始終"), QStringLiteral("木星の高度")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    table->verticalHeader()->setVisible(false);
    // One text line a row.
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSortingEnabled(true);
    table->sortByColumn(kTime, Qt::AscendingOrder);
    table->setMinimumSize(560, 320);
    grid->addWidget(table, 4, 0, 1, 7);

    pending_ = new QTimer(this);
    pending_->setSingleShot(true);
    pending_->setInterval(150);

    // Qt calls these: nothing may throw out of them.
    connect(pending_, &QTimer::timeout, this, [this] { Refresh(); });
    connect(onlySeen, &QCheckBox::toggled, this, [this] {
        Refresh();
        PlanChanged();
    });
    connect(range, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        Refresh();
        PlanChanged();
    });
    connect(exportCsv, &QPushButton::clicked, this, [this] { Export(false); });
    connect(exportIcs, &QPushButton::clicked, this, [this] { Export(true); });
    connect(table, &QAbstractItemView::activated, this, [this](const QModelIndex& i) { Activated(i.row()); });
    connect(saveSite, &QPushButton::clicked, this, [this] {
        if (!siteValid_ || !onSaveSite)
            return;
        QString why;
        if (onSaveSite(site_, why)) {
            noteLabel->hide();
            siteMessage->setText(QStringLiteral("保存しました。"));
        } else {
            siteMessage->setText(QStringLiteral("設定ファイルに保存できませんでした。") + why);
        }
    });

    if (site) {
        const SiteSettingsTexts t = SiteSettingsValues(*site);
        latitude->setText(QString::fromStdString(t.latitude));
        longitude->setText(QString::fromStdString(t.longitude));
        height->setText(QString::fromStdString(t.height));
    }
    ReadSite();
    table->setFocus();
}

void EventsDialog::ReadSite()
{
    const std::string texts[3] = {Typed(latitude), Typed(longitude), Typed(height)};
    const SiteCoordinate coordinates[3] = {SiteCoordinate::Latitude, SiteCoordinate::Longitude,
                                           SiteCoordinate::Height};
    QString why;
    std::optional<Site> site;
    if (texts[0].empty() && texts[1].empty()) {
        // No site: every event the Earth can see counts as seen.
    } else {
        double v[3] = {0, 0, 0};
        for (int i = 0; i < 3; ++i) {
            if (i == 2 && texts[i].empty())
                continue;
            if (texts[i].empty() && i < 2) {
                why += QStringLiteral("緯度と経度を両方入れてください。");
                continue;
            }
            if (const std::optional<double> x = ParseSiteCoordinate(coordinates[i], texts[i]))
                v[i] = *x;
            else
                why += i == 0   ? QStringLiteral("緯度は -90 から 90 までの度数です（例: 35.68）。")
                       : i == 1 ? QStringLiteral("経度は -360 から 360 までの度数です（例: 139.77）。")
                                : QStringLiteral("標高は -500 から 10000 までのメートルです（例: 40）。");
        }
        if (why.isEmpty())
            site = Site{v[0], v[1], v[2]};
    }
    siteValid_ = why.isEmpty();
    siteMessage->setText(why);
    saveSite->setEnabled(siteValid_);
    if (!siteValid_)
        return;  // the table keeps the last site that could be used
    const bool changed = site.has_value() != site_.has_value() ||
                         (site && (site->latitudeDeg != site_->latitudeDeg || site->longitudeDeg != site_->longitudeDeg ||
                                   site->heightM != site_->heightM));
    site_ = site;
    if (changed) {
        if (onSite)
            onSite(site_);
        if (shown_)
            Refresh();
    }
}

void EventsDialog::Follow(double jde, bool now)
{
    jde_ = jde;
    haveMoment_ = true;
    if (now)
        Refresh();
    else if (!shown_ || jde != shownJde_) {
        // While the moment keeps moving (the animation), at most one
        // recomputation every interval.
        if (!pending_->isActive())
            pending_->start();
    }
}

namespace {

// Why the list is empty, by what kept the events from being computed.
QString FailureText(const std::optional<FaultKind>& failure)
{
    if (!failure)
        return QString();
    switch (*failure) {
    case FaultKind::OutOfRange:
        return QStringLiteral("この日時の現象は計算できません（1000年から3000年まで）。");
    case FaultKind::NoConvergence:
        return QStringLiteral("現象の時刻の計算が収束しませんでした。");
    case FaultKind::Arithmetic:
        break;
    }
    return QStringLiteral("この日時の現象は計算できません（数値の誤り）。");
}

}  // namespace

void EventsDialog::Refresh()
{
    pending_->stop();
    if (!haveMoment_)
        return;
    // The row under the cursor stays under it when the table is refilled:
    // the same event found again (the search's range has moved: its time
    // may differ in the last fraction of a second).
    std::optional<std::pair<int, double>> current;  // its kind and moment
    std::optional<GalileanEvent> currentEvent;
    if (const QTableWidgetItem* it = table->item(table->currentRow(), kTime)) {
        current = std::make_pair(it->data(Qt::UserRole + 2).toInt(), it->data(Qt::UserRole).toDouble());
        const int i = it->data(Qt::UserRole + 1).toInt();
        if (current->first == kSatelliteRow && i >= 0 && static_cast<size_t>(i) < rows_.size())
            currentEvent = rows_[static_cast<size_t>(i)].event;
    }
    const auto same = [&](int kind, double jdUT, const GalileanEvent* e) {
        if (!current || current->first != kind || std::fabs(jdUT - current->second) >= 1.0 / 1440)
            return false;
        return !e || (currentEvent && e->moon == currentEvent->moon && e->kind == currentEvent->kind &&
                      e->edge == currentEvent->edge);
    };

    std::optional<SiteFilter> filter;
    if (site_) {
        filter = SiteFilter{};
        filter->site = *site_;
    }
    const int days[] = {0, 7, 30};
    const std::optional<GrsSource> grs = grsSource ? grsSource() : std::nullopt;
    NightEvents found = EventsAroundWindowJde(jde_, filter, days[std::clamp(range->currentIndex(), 0, 2)],
                                              grs ? &*grs : nullptr);
    rows_ = std::move(found.rows);
    mutualRows_ = std::move(found.mutualRows);
    grsRows_ = std::move(found.grsRows);
    const bool moved = !shown_ || jde_ != shownJde_;
    shownJde_ = jde_;
    shown_ = true;
    rangeLabel->setText(FailureText(found.failure));

    table->setSortingEnabled(false);
    table->setRowCount(0);
    const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
    std::optional<std::pair<int, int>> restore;  // kind and index
    // One row of the table: its five texts, its moment, its kind and index,
    // and whether it can be seen.
    const auto add = [&](const QString (&texts)[kColumns], double jdUT, int kind, size_t index,
                         const std::optional<SiteView>& view, bool seen) {
        if (onlySeen->isChecked() && !seen)
            return;
        const int row = table->rowCount();
        table->insertRow(row);
        QTableWidgetItem* items[kColumns];
        for (int c = 0; c < kColumns; ++c)
            items[c] = new SortItem(texts[c]);
        items[kTime]->setData(Qt::UserRole, jdUT);
        items[kTime]->setData(Qt::UserRole + 1, static_cast<int>(index));
        items[kTime]->setData(Qt::UserRole + 2, kind);
        if (view)
            items[kAltitude]->setData(Qt::UserRole, view->altitudes.jupiterDeg);
        for (int c = 0; c < kColumns; ++c) {
            if (!seen)
                items[c]->setForeground(grey);
            table->setItem(row, c, items[c]);
        }
    };
    for (size_t i = 0; i < rows_.size(); ++i) {
        const NightEventRow& r = rows_[i];
        const QString texts[kColumns] = {
            WhenText(r.jst),
            QString::fromUtf8(kMoonNames[r.event.moon]),
            QString::fromUtf8(KindName(r.event.kind)),
            r.event.edge == EventEdge::Start ? QStringLiteral("始め") : QStringLiteral("終わり"),
            AltitudeText(r.view),
        };
        add(texts, r.jdUT, kSatelliteRow, i, r.view, r.seen);
        if (same(kSatelliteRow, r.jdUT, &r.event))
            restore = std::make_pair(static_cast<int>(kSatelliteRow), static_cast<int>(i));
    }
    for (size_t i = 0; i < mutualRows_.size(); ++i) {
        const NightMutualRow& r = mutualRows_[i];
        const bool eclipse = r.event.kind == MutualKind::Eclipse;
        const QString texts[kColumns] = {
            WhenText(r.jst),
            QString::fromStdString(MutualCode(r.event)) + QStringLiteral(" ") +
                QString::fromUtf8(kMoonShortNames[r.event.active]) + QStringLiteral("→") +
                QString::fromUtf8(kMoonShortNames[r.event.passive]),
            eclipse ? QStringLiteral("相互食") : QStringLiteral("相互掩蔽"),
            QStringLiteral("極大 減光%1%").arg(static_cast<int>(std::lround(r.event.fluxDrop * 100))),
            AltitudeText(r.view),
        };
        add(texts, r.jdUTMax, kMutualRow, i, r.view, r.seen);
        if (same(kMutualRow, r.jdUTMax, nullptr))
            restore = std::make_pair(static_cast<int>(kMutualRow), static_cast<int>(i));
    }
    for (size_t i = 0; i < grsRows_.size(); ++i) {
        const NightGrsRow& r = grsRows_[i];
        char longitude[32];
        std::snprintf(longitude, sizeof longitude, "経度 %05.1f°", r.transit.results.GrsLongitude);
        const QString texts[kColumns] = {
            WhenText(r.jst),
            QStringLiteral("大赤斑"),
            QStringLiteral("大赤斑の子午線通過"),
            QString::fromUtf8(longitude),
            AltitudeText(r.view),
        };
        add(texts, r.jdUT, kGrsRow, i, r.view, r.seen);
        if (same(kGrsRow, r.jdUT, nullptr))
            restore = std::make_pair(static_cast<int>(kGrsRow), static_cast<int>(i));
    }
    table->setSortingEnabled(true);
    if (!sized_ && table->rowCount() > 0) {
        // The columns fit their texts once; later refills keep what the observer set.
        table->resizeColumnsToContents();
        sized_ = true;
    }
    const auto at = [&](int row) {
        table->setCurrentCell(row, table->currentColumn() < 0 ? 0 : table->currentColumn());
        table->scrollTo(table->model()->index(row, 0), QAbstractItemView::PositionAtCenter);
    };
    if (restore) {
        for (int row = 0; row < table->rowCount(); ++row) {
            const QTableWidgetItem* t = table->item(row, kTime);
            if (t->data(Qt::UserRole + 2).toInt() == restore->first &&
                t->data(Qt::UserRole + 1).toInt() == restore->second) {
                at(row);
                break;
            }
        }
    } else if (moved) {
        // The next event after the moment shown, in time order.
        const double now = WindowJdUT(jde_);
        int best = -1;
        double bestJd = 0;
        for (int row = 0; row < table->rowCount(); ++row) {
            const double jd = table->item(row, kTime)->data(Qt::UserRole).toDouble();
            if (jd > now && (best < 0 || jd < bestJd)) {
                best = row;
                bestJd = jd;
            }
        }
        if (best >= 0)
            at(best);
    }
}

void EventsDialog::Activated(int row)
{
    const QTableWidgetItem* it = table->item(row, kTime);
    if (!it || !onMoment)
        return;
    // The row's moment (a mutual event's maximum), down to the minute.
    onMoment(JstFromJdUT(it->data(Qt::UserRole).toDouble(), true));
}

void EventsDialog::UsePlan(const PlanSettings& plan)
{
    const QSignalBlocker a(range), b(onlySeen);
    range->setCurrentIndex(plan.rangeDays == 7 ? 1 : plan.rangeDays == 30 ? 2 : 0);
    onlySeen->setChecked(plan.seenOnly);
    geometry_ = plan.geometry;
}

void EventsDialog::PlanChanged()
{
    if (!onPlan)
        return;
    const int days[] = {0, 7, 30};
    PlanSettings plan;
    plan.rangeDays = days[std::clamp(range->currentIndex(), 0, 2)];
    plan.seenOnly = onlySeen->isChecked();
    plan.geometry = geometry_;
    onPlan(plan);
}

void EventsDialog::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (placed_)
        return;
    placed_ = true;
    if (geometry_) {
        setGeometry(geometry_->x, geometry_->y, geometry_->width, geometry_->height);
        return;
    }
    // Beside the main window where the screen has room, not over the picture.
    const QWidget* main = parentWidget();
    const QScreen* screen = main ? main->screen() : QGuiApplication::primaryScreen();
    if (!main || !screen)
        return;
    const QRect room = screen->availableGeometry();
    const QRect w = main->frameGeometry();
    const QSize size = frameGeometry().size();
    QPoint at;
    if (w.right() + 1 + size.width() <= room.right() + 1)
        at = QPoint(w.right() + 1, w.top());
    else if (w.left() - size.width() >= room.left())
        at = QPoint(w.left() - size.width(), w.top());
    else if (w.bottom() + 1 + size.height() <= room.bottom() + 1)
        at = QPoint(w.left(), w.bottom() + 1);
    else
        return;  // no room beside it: where the window manager puts it
    move(at);  // the frame's corner
}

void EventsDialog::hideEvent(QHideEvent* e)
{
    QDialog::hideEvent(e);
    // Kept when the observer closes it; not when the desktop hides it
    // (another workspace), nor when the main window closes or goes away
    // with it (the window's settings may be gone by then).
    if (e->spontaneous() || !parentWidget() || !parentWidget()->isVisible())
        return;
    const QRect g = geometry();
    geometry_ = PlanGeometry{g.x(), g.y(), g.width(), g.height()};
    PlanChanged();
}

std::string EventsDialog::ShownCsv() const
{
    // The events command's columns; a spot's transit is the satellite "GRS"
    // and the kind "grs-transit", an event of two satellites its code and
    // "mutual-occultation" or "mutual-eclipse" at its maximum.
    std::string out = "JST,UT,moon,kind,edge,observable,jupiter_alt,sun_alt\n";
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem* t = table->item(row, kTime);
        const size_t i = static_cast<size_t>(t->data(Qt::UserRole + 1).toInt());
        double jdUT = 0;
        std::string moon, kind, edge;
        bool observable = true;
        std::optional<SiteView> view;
        switch (t->data(Qt::UserRole + 2).toInt()) {
        case kSatelliteRow: {
            const NightEventRow& r = rows_.at(i);
            jdUT = r.jdUT;
            moon = kSatelliteNumerals[r.event.moon];
            kind = kEventKindWords[static_cast<int>(r.event.kind)];
            edge = r.event.edge == EventEdge::Start ? "start" : "end";
            observable = r.event.observable;
            view = r.view;
            break;
        }
        case kMutualRow: {
            const NightMutualRow& r = mutualRows_.at(i);
            jdUT = r.jdUTMax;
            moon = MutualCode(r.event);
            kind = std::string("mutual-") + kMutualKindWords[static_cast<int>(r.event.kind)];
            edge = "max";
            observable = r.event.observable;
            view = r.view;
            break;
        }
        default: {
            const NightGrsRow& r = grsRows_.at(i);
            jdUT = r.jdUT;
            moon = "GRS";
            kind = "grs-transit";
            edge = "max";
            view = r.view;
            break;
        }
        }
        const int64_t ut = SecondsFromJd(jdUT);
        char alt[48] = "";
        if (view)
            std::snprintf(alt, sizeof alt, "%.1f,%.1f", std::fabs(view->altitudes.jupiterDeg) < 0.05 ? 0.0 : view->altitudes.jupiterDeg,
                          std::fabs(view->altitudes.sunDeg) < 0.05 ? 0.0 : view->altitudes.sunDeg);
        out += LocalText(CivilFromSeconds(ut + kJstOffsetSeconds)) + "," + IsoUtcText(CivilFromSeconds(ut)) + "," + moon +
               "," + kind + "," + edge + (observable ? ",yes," : ",no,") + (view ? alt : ",") + "\n";
    }
    return out;
}

std::string EventsDialog::ShownCalendar() const
{
    std::vector<EventRow> satellites;
    std::vector<CalendarEntry> entries;
    // In time order, as shown when the table is sorted by time.
    std::vector<std::pair<double, int>> order;
    for (int row = 0; row < table->rowCount(); ++row)
        order.emplace_back(table->item(row, kTime)->data(Qt::UserRole).toDouble(), row);
    std::sort(order.begin(), order.end());
    for (const auto& [jd, row] : order) {
        const QTableWidgetItem* t = table->item(row, kTime);
        const size_t i = static_cast<size_t>(t->data(Qt::UserRole + 1).toInt());
        switch (t->data(Qt::UserRole + 2).toInt()) {
        case kSatelliteRow: satellites.push_back(rows_.at(i)); break;
        case kMutualRow: entries.push_back(MutualEntry(mutualRows_.at(i))); break;
        default: entries.push_back(GrsTransitEntry(grsRows_.at(i).transit)); break;
        }
    }
    for (CalendarEntry& e : EventEntries(satellites))
        entries.push_back(std::move(e));
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CalendarEntry& a, const CalendarEntry& b) { return a.startUt < b.startUt; });
    return WriteICalendar(entries, static_cast<int64_t>(std::time(nullptr)));
}

void EventsDialog::Export(bool calendar)
{
    const QString path = QFileDialog::getSaveFileName(
        this, calendar ? QStringLiteral("カレンダーに書き出す") : QStringLiteral("CSVに書き出す"),
        calendar ? QStringLiteral("jupiter.ics") : QStringLiteral("jupiter.csv"),
        calendar ? QStringLiteral("iCalendar (*.ics)") : QStringLiteral("CSV (*.csv)"));
    if (path.isEmpty())
        return;
    try {
        const std::string text = calendar ? ShownCalendar() : ShownCsv();
        QSaveFile file(path);
        if (file.open(QIODevice::WriteOnly) &&
            file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
            file.commit())
            rangeLabel->setText(QStringLiteral("書き出しました: ") + path);
        else
            rangeLabel->setText(QStringLiteral("書き出せませんでした: ") + path + QStringLiteral("（") +
                                file.errorString() + QStringLiteral("）"));
    } catch (const std::exception& e) {
        rangeLabel->setText(QStringLiteral("書き出せませんでした: ") + QString::fromLocal8Bit(e.what()));
    }
}

}  // namespace veltrax
