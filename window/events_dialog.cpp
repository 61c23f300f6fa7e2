// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/events_dialog.h"

#include "results/settings.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <cmath>
#include <cstdio>

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

// A row of two satellites' event keeps -(index + 1) under Qt::UserRole + 1,
// a row of a satellite and Jupiter its index.
int MutualTag(size_t i)
{
    return -static_cast<int>(i) - 1;
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
    grid->addWidget(onlySeen, 3, 0, 1, 3);
    rangeLabel = new QLabel(this);
    grid->addWidget(rangeLabel, 3, 3, 1, 4);

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
    connect(onlySeen, &QCheckBox::toggled, this, [this] { Refresh(); });
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
    // The row under the cursor stays under it when the table is refilled.
    std::optional<GalileanEvent> current;
    std::optional<MutualEvent> currentMutual;
    if (const QTableWidgetItem* it = table->item(table->currentRow(), kTime)) {
        const int i = it->data(Qt::UserRole + 1).toInt();
        if (i >= 0 && static_cast<size_t>(i) < rows_.size())
            current = rows_[static_cast<size_t>(i)].event;
        if (i < 0 && static_cast<size_t>(-i - 1) < mutualRows_.size())
            currentMutual = mutualRows_[static_cast<size_t>(-i - 1)].event;
    }
    // The same event found again (the search's range has moved: its time
    // may differ in the last fraction of a second).
    const auto same = [&current](const GalileanEvent& e) {
        return current && e.moon == current->moon && e.kind == current->kind && e.edge == current->edge &&
               std::fabs(e.jdeTT - current->jdeTT) < 1.0 / 1440;
    };
    const auto sameMutual = [&currentMutual](const MutualEvent& e) {
        return currentMutual && e.kind == currentMutual->kind && e.active == currentMutual->active &&
               e.passive == currentMutual->passive && std::fabs(e.maxTT - currentMutual->maxTT) < 1.0 / 1440;
    };

    std::optional<SiteFilter> filter;
    if (site_) {
        filter = SiteFilter{};
        filter->site = *site_;
    }
    NightEvents found = EventsAroundWindowJde(jde_, filter);
    rows_ = std::move(found.rows);
    mutualRows_ = std::move(found.mutualRows);
    shownJde_ = jde_;
    shown_ = true;
    rangeLabel->setText(FailureText(found.failure));

    table->setSortingEnabled(false);
    table->setRowCount(0);
    const QBrush grey = palette().brush(QPalette::Disabled, QPalette::Text);
    std::optional<int> restore;
    // One row of the table: its five texts, its moment, its tag (the index
    // of its event) and whether it can be seen.
    const auto add = [&](const QString (&texts)[kColumns], double jdUT, int tag, const std::optional<SiteView>& view,
                         bool seen) {
        const int row = table->rowCount();
        table->insertRow(row);
        QTableWidgetItem* items[kColumns];
        for (int c = 0; c < kColumns; ++c)
            items[c] = new SortItem(texts[c]);
        items[kTime]->setData(Qt::UserRole, jdUT);
        items[kTime]->setData(Qt::UserRole + 1, tag);
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
        if (onlySeen->isChecked() && !r.seen)
            continue;
        const QString texts[kColumns] = {
            WhenText(r.jst),
            QString::fromUtf8(kMoonNames[r.event.moon]),
            QString::fromUtf8(KindName(r.event.kind)),
            r.event.edge == EventEdge::Start ? QStringLiteral("始め") : QStringLiteral("終わり"),
            AltitudeText(r.view),
        };
        add(texts, r.jdUT, static_cast<int>(i), r.view, r.seen);
        if (same(r.event))
            restore = static_cast<int>(i);
    }
    for (size_t i = 0; i < mutualRows_.size(); ++i) {
        const NightMutualRow& r = mutualRows_[i];
        if (onlySeen->isChecked() && !r.seen)
            continue;
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
        add(texts, r.jdUTMax, MutualTag(i), r.view, r.seen);
        if (sameMutual(r.event))
            restore = MutualTag(i);
    }
    table->setSortingEnabled(true);
    if (!sized_ && table->rowCount() > 0) {
        // The columns fit their texts once; later refills keep what the observer set.
        table->resizeColumnsToContents();
        sized_ = true;
    }
    if (restore)
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, kTime)->data(Qt::UserRole + 1).toInt() == *restore) {
                table->setCurrentCell(row, table->currentColumn() < 0 ? 0 : table->currentColumn());
                break;
            }
}

void EventsDialog::Activated(int row)
{
    const QTableWidgetItem* it = table->item(row, kTime);
    if (!it || !onMoment)
        return;
    const int i = it->data(Qt::UserRole + 1).toInt();
    if (i < 0 && static_cast<size_t>(-i - 1) < mutualRows_.size()) {
        // The event of two satellites: its maximum's minute.
        onMoment(JstFromJdUT(mutualRows_[static_cast<size_t>(-i - 1)].jdUTMax, true));
        return;
    }
    if (i < 0 || static_cast<size_t>(i) >= rows_.size())
        return;
    onMoment(JstFromJdUT(rows_[static_cast<size_t>(i)].jdUT, true));
}

}  // namespace veltrax
