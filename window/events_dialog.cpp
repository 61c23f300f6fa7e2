// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/events_dialog.h"

#include "platform/guard.h"
#include "results/calendar_export.h"
#include "results/light_curve.h"
#include "results/night_chart.h"
#include "results/plan_names.h"
#include "results/plan_text.h"
#include "results/settings.h"
#include "window/translation.h"
#include "window/night_charts.h"
#include "window/plan_placement.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHideEvent>
#include <QSaveFile>
#include <QScreen>
#include <QShowEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace veltrax {
namespace {

// The plan's range chosen in the combo box, in days.
int RangeDays(const QComboBox* range)
{
    return kPlanRangeDays[std::clamp(range->currentIndex(), 0, static_cast<int>(std::size(kPlanRangeDays)) - 1)];
}

std::string Typed(const QLineEdit* e)
{
    return e->text().normalized(QString::NormalizationForm_KC).trimmed().toStdString();
}

// The altitudes are drawn from a sample every this many minutes; a light
// curve from about this many samples.
constexpr int kAltitudeStepMinutes = 10;
constexpr int64_t kCurveSamples = 300;

bool SameSite(const std::optional<Site>& a, const std::optional<Site>& b)
{
    return a.has_value() == b.has_value() && (!a || (a->latitudeDeg == b->latitudeDeg &&
                                                     a->longitudeDeg == b->longitudeDeg && a->heightM == b->heightM));
}

}  // namespace

EventsDialog::EventsDialog(const std::optional<Site>& site, const QString& note, QWidget* parent)
    : QDialog(parent), site_(site)
{
    setObjectName(QStringLiteral("EventsDialog"));
    setModal(false);
    auto* grid = new QGridLayout(this);

    noteLabel_ = new QLabel(note, this);
    noteLabel_->setObjectName(QStringLiteral("note"));
    noteLabel_->setWordWrap(true);
    noteLabel_->setVisible(!note.isEmpty());
    grid->addWidget(noteLabel_, 0, 0, 1, 7);

    auto* siteCaption = new QLabel(this);
    captions_.push_back({siteCaption, QT_TR_NOOP("観測地")});
    grid->addWidget(siteCaption, 1, 0);
    latitude_ = new QLineEdit(this);
    longitude_ = new QLineEdit(this);
    height_ = new QLineEdit(this);
    latitude_->setObjectName(QStringLiteral("latitude"));
    longitude_->setObjectName(QStringLiteral("longitude"));
    height_->setObjectName(QStringLiteral("height"));
    const struct {
        const char* caption;
        QLineEdit* field;
    } fields[] = {{QT_TR_NOOP("緯度（北が正、度）(&A)"), latitude_},
                  {QT_TR_NOOP("経度（東が正、度）(&O)"), longitude_},
                  {QT_TR_NOOP("標高（m）(&H)"), height_}};
    int column = 1;
    for (const auto& f : fields) {
        auto* caption = new QLabel(this);
        captions_.push_back({caption, f.caption});
        caption->setBuddy(f.field);
        grid->addWidget(caption, 1, column++);
        grid->addWidget(f.field, 1, column++);
        connect(f.field, &QLineEdit::textChanged, this, [this] { ReadSite(); });
    }
    saveSite_ = new QPushButton(this);
    saveSite_->setObjectName(QStringLiteral("saveSite"));
    saveSite_->setAutoDefault(false);
    grid->addWidget(saveSite_, 2, 5, 1, 2);
    siteMessage_ = new QLabel(this);
    siteMessage_->setObjectName(QStringLiteral("siteMessage"));
    siteMessage_->setStyleSheet(QStringLiteral("color: #b00000"));
    siteMessage_->setWordWrap(true);
    grid->addWidget(siteMessage_, 2, 0, 1, 5);

    onlySeen_ = new QCheckBox(this);
    onlySeen_->setObjectName(QStringLiteral("onlySeen"));
    grid->addWidget(onlySeen_, 3, 0, 1, 2);
    range_ = new QComboBox(this);
    range_->setObjectName(QStringLiteral("range"));
    for (size_t i = 0; i < std::size(kPlanRangeDays); ++i)
        range_->addItem(QString());
    grid->addWidget(range_, 3, 2, 1, 2);
    exportCsv_ = new QPushButton(this);
    exportCsv_->setObjectName(QStringLiteral("exportCsv"));
    exportIcs_ = new QPushButton(this);
    exportIcs_->setObjectName(QStringLiteral("exportIcs"));
    exportCsv_->setAutoDefault(false);
    exportIcs_->setAutoDefault(false);
    grid->addWidget(exportCsv_, 3, 4);
    grid->addWidget(exportIcs_, 3, 5, 1, 2);
    rangeLabel_ = new QLabel(this);
    rangeLabel_->setObjectName(QStringLiteral("rangeLabel"));
    grid->addWidget(rangeLabel_, 5, 0, 1, 7);

    model_ = new PlanModel(palette().brush(QPalette::Disabled, QPalette::Text), this);
    proxy_ = new SeenFilter(this);
    proxy_->setSourceModel(model_);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("events"));
    table_->setModel(proxy_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->verticalHeader()->setVisible(false);
    // One text line a row.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->setSortingEnabled(true);
    table_->sortByColumn(kWhenColumn, Qt::AscendingOrder);
    table_->setMinimumSize(560, 320);
    grid->addWidget(table_, 4, 0, 1, 7);

    // The night of the row chosen (or of the moment) and its event's light curve.
    auto* charts = new QHBoxLayout;
    night_ = new AltitudeChart(this);
    curve_ = new LightCurveChart(this);
    charts->addWidget(night_, 1);
    charts->addWidget(curve_, 1);
    grid->addLayout(charts, 6, 0, 1, 7);
    grid->setRowStretch(4, 3);
    grid->setRowStretch(6, 2);

    pending_ = new QTimer(this);
    pending_->setSingleShot(true);
    pending_->setInterval(150);

    // Qt calls these: nothing may throw out of them.
    connect(pending_, &QTimer::timeout, this, [this] { Refresh(); });
    // The filter hides and shows the rows found: nothing is searched again.
    connect(onlySeen_, &QCheckBox::toggled, this, [this](bool only) {
        proxy_->SetOnlySeen(only);
        PlanChanged();
    });
    connect(range_, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
        Refresh();
        PlanChanged();
    });
    ShowTexts();
    connect(exportCsv_, &QPushButton::clicked, this, [this] { Export(false); });
    connect(exportIcs_, &QPushButton::clicked, this, [this] { Export(true); });
    connect(table_, &QAbstractItemView::activated, this, [this](const QModelIndex& i) { Activated(i); });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            platform::Guarded([this] { UpdateCharts(); }));
    night_->onMarker = [this](int row) {
        // As if the row were activated: selected, and its moment sent.
        const QModelIndex shown = proxy_->mapFromSource(model_->index(row, kWhenColumn));
        if (!shown.isValid())
            return;
        table_->setCurrentIndex(shown);
        table_->scrollTo(shown);
        Activated(shown);
    };
    night_->onSaved = curve_->onSaved = [this](const QString& outcome) { rangeLabel_->setText(outcome); };
    connect(saveSite_, &QPushButton::clicked, this, [this] {
        if (!siteValid_ || !onSaveSite)
            return;
        QString why;
        if (onSaveSite(site_, why)) {
            noteLabel_->hide();
            siteMessage_->setText(tr("保存しました。"));
        } else {
            siteMessage_->setText(tr("設定ファイルに保存できませんでした。") + why);
        }
    });

    if (site) {
        const SiteSettingsTexts t = SiteSettingsValues(*site);
        latitude_->setText(QString::fromStdString(t.latitude));
        longitude_->setText(QString::fromStdString(t.longitude));
        height_->setText(QString::fromStdString(t.height));
    }
    ReadSite();
    table_->setFocus();
}

void EventsDialog::ReadSite()
{
    const std::string texts[3] = {Typed(latitude_), Typed(longitude_), Typed(height_)};
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
                why += tr("緯度と経度を両方入れてください。");
                continue;
            }
            if (const std::optional<double> x = ParseSiteCoordinate(coordinates[i], texts[i]))
                v[i] = *x;
            else
                why += i == 0   ? tr("緯度は -90 から 90 までの度数です（例: 35.68）。")
                       : i == 1 ? tr("経度は -360 から 360 までの度数です（例: 139.77）。")
                                : tr("標高は -500 から 10000 までのメートルです（例: 40）。");
        }
        if (why.isEmpty())
            site = Site{v[0], v[1], v[2]};
    }
    siteValid_ = why.isEmpty();
    siteMessage_->setText(why);
    saveSite_->setEnabled(siteValid_);
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

void EventsDialog::ShowTexts()
{
    setWindowTitle(tr("衛星現象"));
    for (const auto& [label, source] : captions_)
        label->setText(tr(source));
    saveSite_->setText(tr("観測地を保存(&S)"));
    onlySeen_->setText(tr("見える現象だけ"));
    onlySeen_->setToolTip(tr("見える現象: 木星の高度10°以上、太陽の高度−6°以下（観測地がなければ地球から見えるもの）"));
    // The range's choices, in the order of kPlanRangeDays.
    const QString ranges[] = {tr("この日時の前後（12時間前から36時間後）"), tr("この日時から%1日間").arg(kPlanRangeDays[1]),
                              tr("この日時から%1日間").arg(kPlanRangeDays[2])};
    for (int i = 0; i < range_->count(); ++i)
        range_->setItemText(i, ranges[i]);
    exportCsv_->setText(tr("CSVに書き出す…"));
    exportIcs_->setText(tr("カレンダーに書き出す…"));
    exportIcs_->setToolTip(tr("表示中の行を iCalendar（.ics）ファイルに書き出します（時刻は世界時）"));
    model_->ShowLanguage(LanguageInUse());
    if (!siteValid_)
        ReadSite();  // its message again
    // The charts' words, their messages and descriptions, drawn again.
    night_->ShowTexts();
    curve_->ShowTexts();
    shownNight_.reset();
    curveUt_.reset();
    if (shown_)
        platform::Guard([this] { UpdateCharts(); });
}

void EventsDialog::Follow(double jde, bool now)
{
    jde_ = jde;
    haveMoment_ = true;
    night_->SetMoment(WindowJdUT(jde));
    curve_->SetMoment(WindowJdUT(jde));
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
        return EventsDialog::tr("この日時の現象は計算できません（1000年から3000年まで）。");
    case FaultKind::NoConvergence:
        return EventsDialog::tr("現象の時刻の計算が収束しませんでした。");
    case FaultKind::Arithmetic:
        break;
    }
    return EventsDialog::tr("この日時の現象は計算できません（数値の誤り）。");
}

}  // namespace

void EventsDialog::Refresh()
{
    pending_->stop();
    if (!haveMoment_)
        return;
    // The row under the cursor stays under it when the rows are found again:
    // the same event (the search's range has moved: its time may differ in
    // the last fraction of a second).
    std::optional<PlanRow> current;
    const QModelIndex at = proxy_->mapToSource(table_->currentIndex());
    if (at.isValid())
        current = model_->Rows()[static_cast<size_t>(at.row())];
    const auto same = [&](const PlanRow& r) {
        if (!current || r.Kind() != current->Kind() || std::fabs(r.jdUT - current->jdUT) >= 1.0 / 1440)
            return false;
        const GalileanEvent *e = r.Satellite(), *c = current->Satellite();
        return !e || (e->moon == c->moon && e->kind == c->kind && e->edge == c->edge);
    };

    std::optional<SiteFilter> filter;
    if (site_) {
        filter = SiteFilter{};
        filter->site = *site_;
    }
    const std::optional<GrsSource> grs = grsSource ? grsSource() : std::nullopt;
    NightEvents found = EventsAroundWindowJde(jde_, filter, RangeDays(range_), grs ? &*grs : nullptr);
    const bool moved = !shown_ || jde_ != shownJde_;
    shownJde_ = jde_;
    shown_ = true;
    rangeLabel_->setText(FailureText(found.failure));
    model_->SetRows(std::move(found.rows));

    if (!sized_ && proxy_->rowCount() > 0) {
        // The columns fit their texts once; later refills keep what the observer set.
        table_->resizeColumnsToContents();
        sized_ = true;
    }
    const int column = std::max(at.column(), 0);
    const auto select = [&](int sourceRow) {
        const QModelIndex shown = proxy_->mapFromSource(model_->index(sourceRow, column));
        if (!shown.isValid())
            return;
        table_->setCurrentIndex(shown);
        table_->scrollTo(shown, QAbstractItemView::PositionAtCenter);
    };
    const std::vector<PlanRow>& rows = model_->Rows();
    const auto again = std::find_if(rows.begin(), rows.end(), same);
    if (again != rows.end()) {
        select(static_cast<int>(again - rows.begin()));
    } else if (moved) {
        // The next event shown after the moment, in time order.
        const double now = WindowJdUT(jde_);
        int best = -1;
        for (int row = 0; row < proxy_->rowCount(); ++row) {
            const size_t i = static_cast<size_t>(proxy_->mapToSource(proxy_->index(row, 0)).row());
            if (rows[i].jdUT > now && (best < 0 || rows[i].jdUT < rows[static_cast<size_t>(best)].jdUT))
                best = static_cast<int>(i);
        }
        if (best >= 0)
            select(best);
    }
    platform::Guard([this] { UpdateCharts(); });
}

void EventsDialog::UpdateCharts()
{
    const QModelIndex at = proxy_->mapToSource(table_->currentIndex());
    const PlanRow* row = at.isValid() ? &model_->Rows()[static_cast<size_t>(at.row())] : nullptr;
    ShowNight(row ? row->jdUT : WindowJdUT(jde_));
    ShowCurve(row && row->Mutual() ? row : nullptr);
}

void EventsDialog::ShowNight(double jdUT)
{
    if (!site_) {
        shownNight_.reset();
        night_->ShowMessage(tr("観測地（上の緯度と経度）を入れると、夜の木星と太陽の高度を表示します。"));
        night_->setAccessibleDescription(QString());
        return;
    }
    try {
        const CivilDate date = NightDateOf(jdUT);
        if (!shownNight_ || shownNight_->startJdUT != NightStartJdUT(date) || !SameSite(nightSite_, site_)) {
            const NightTimetable n = ComputeNight(date, *site_);
            night_->SetNight(n, SampleNight(n, *site_, kAltitudeStepMinutes));
            shownNight_ = n;
            nightSite_ = site_;
            Describe(*shownNight_);
        }
    } catch (const std::exception&) {
        shownNight_.reset();
        night_->ShowMessage(tr("この夜の高度は計算できません。"));
        night_->setAccessibleDescription(QString());
        return;
    }
    // The rows shown that fall in this night, on Jupiter's curve at the
    // altitude the plan lists for them.
    std::vector<AltitudeChart::Marker> markers;
    const double start = shownNight_->startJdUT;
    for (int shown = 0; shown < proxy_->rowCount(); ++shown) {
        const int i = proxy_->mapToSource(proxy_->index(shown, 0)).row();
        const PlanRow& r = model_->Rows()[static_cast<size_t>(i)];
        if (r.jdUT < start || r.jdUT >= start + 1 || !r.view)
            continue;
        QString label;
        if (const GalileanEvent* e = r.Satellite())
            label = QString::fromUtf8(kSatelliteNames[e->moon].numeral);
        else if (const MutualEvent* m = r.Mutual())
            label = QString::fromStdString(MutualCode(*m));
        else
            label = QString::fromUtf8(LanguageInUse() == Language::English ? kSpotNames.numeral : kSpotNames.window);
        markers.push_back({i, r.jdUT, r.view->altitudes.jupiterDeg, r.Kind(), label});
    }
    night_->SetMarkers(std::move(markers));
}

void EventsDialog::Describe(const NightTimetable& n)
{
    const auto time = [&](NightEvent e) {
        const std::optional<double>& t = n.At(e);
        return t ? QString::fromStdString(JstMinuteText(*t)) : tr("なし");
    };
    const QString culmination =
        n.At(NightEvent::JupiterCulmination) && n.culminationAltitudeDeg
            ? tr("%1（高度 %2°）").arg(time(NightEvent::JupiterCulmination), QString::number(*n.culminationAltitudeDeg, 'f', 1))
            : tr("なし");
    night_->setAccessibleDescription(tr("日没 %1、木星の出 %2、南中 %3、木星の入り %4、日の出 %5")
                                         .arg(time(NightEvent::Sunset), time(NightEvent::JupiterRise), culmination,
                                              time(NightEvent::JupiterSet), time(NightEvent::Sunrise)));
}

void EventsDialog::ShowCurve(const PlanRow* row)
{
    if (!row) {
        curveUt_.reset();
        curve_->ShowMessage(tr("2個の衛星の現象（相互掩蔽・相互食）の行を選ぶと、その光度曲線を表示します。"));
        curve_->setAccessibleDescription(QString());
        return;
    }
    const MutualEvent& e = *row->Mutual();
    const std::string code = MutualCode(e);
    if (curveUt_ == row->ut && curveCode_ == code)
        return;
    try {
        const Contacts c = ContactsOf(e);
        const int64_t span = c.endUt - c.startUt + 2 * kLightCurveMarginSeconds;
        curve_->SetCurve(ComputeLightCurve(*row, std::max<int64_t>(1, span / kCurveSamples)));
        curveUt_ = row->ut;
        curveCode_ = code;
    } catch (const std::exception&) {
        curveUt_.reset();
        curve_->ShowMessage(tr("この現象の光度曲線は計算できません。"));
        curve_->setAccessibleDescription(QString());
        return;
    }
    const double pairDropMag = MagnitudeDrop(PairFraction(e.active, e.passive, 1.0 - e.fluxDrop));
    curve_->setAccessibleDescription(tr("%1、極大 %2（日本時）、2個合わせて %3 等暗くなる")
                                         .arg(QString::fromStdString(code), QString::fromStdString(LocalText(JstOf(*row))),
                                              QString::number(pairDropMag, 'f', 2)));
}

void EventsDialog::SetOrientation(const ViewOrientation& o) { curve_->SetOrientation(o); }

void EventsDialog::Activated(const QModelIndex& shown)
{
    const QModelIndex at = proxy_->mapToSource(shown);
    if (!at.isValid() || !onMoment)
        return;
    // The row's moment (a mutual event's maximum), down to the minute.
    onMoment(JstFromJdUT(model_->Rows()[static_cast<size_t>(at.row())].jdUT, true));
}

void EventsDialog::UsePlan(const PlanSettings& plan)
{
    const QSignalBlocker a(range_), b(onlySeen_);
    const auto* days = std::find(std::begin(kPlanRangeDays), std::end(kPlanRangeDays), plan.rangeDays);
    range_->setCurrentIndex(days == std::end(kPlanRangeDays) ? 0 : static_cast<int>(days - std::begin(kPlanRangeDays)));
    onlySeen_->setChecked(plan.seenOnly);
    proxy_->SetOnlySeen(plan.seenOnly);
    geometry_ = plan.geometry;
}

void EventsDialog::PlanChanged()
{
    if (!onPlan)
        return;
    PlanSettings plan;
    plan.rangeDays = RangeDays(range_);
    plan.seenOnly = onlySeen_->isChecked();
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
    Place();
}

void EventsDialog::Place()
{
    QWidget* main = parentWidget() ? parentWidget()->window() : nullptr;
    const QScreen* screen = main ? main->screen() : QGuiApplication::primaryScreen();
    if (!main || !screen)
        return;
    // The frame's size before the window system has framed the dialog: its
    // own size with the main window's frame around it.
    const QSize frame = main->frameGeometry().size() - main->size();
    const PlanPlacement at = PlacePlan(screen->availableGeometry(), main->frameGeometry(), sizeHint() + frame,
                                       minimumSizeHint() + frame);
    if (at.mainAt != main->frameGeometry().topLeft())
        main->move(at.mainAt);  // once, to make room beside it
    resize(at.plan.size() - frame);
    move(at.plan.topLeft());  // the frame's corner
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

const std::vector<PlanRow>& EventsDialog::Rows() const { return model_->Rows(); }

namespace {

// The rows the proxy shows, in its order.
std::vector<PlanRow> ShownRows(const SeenFilter& proxy, const PlanModel& model)
{
    std::vector<PlanRow> out;
    for (int row = 0; row < proxy.rowCount(); ++row)
        out.push_back(model.Rows()[static_cast<size_t>(proxy.mapToSource(proxy.index(row, 0)).row())]);
    return out;
}

}  // namespace

std::string EventsDialog::ShownCsv() const
{
    std::string out = CsvHeader(RowKind::Satellite, false, true);
    for (const PlanRow& r : ShownRows(*proxy_, *model_))
        WriteEventsCsvRow(out, r, false);
    return out;
}

std::string EventsDialog::ShownCalendar() const
{
    // In time order; the entries of the spot and of two satellites before
    // those of the satellites' edges where they start at the same second.
    std::vector<PlanRow> rows = ShownRows(*proxy_, *model_);
    std::stable_sort(rows.begin(), rows.end(), [](const PlanRow& a, const PlanRow& b) { return a.jdUT < b.jdUT; });
    std::stable_partition(rows.begin(), rows.end(), [](const PlanRow& r) { return !r.Satellite(); });
    std::vector<CalendarEntry> entries = CalendarEntries(rows, LanguageInUse());
    std::stable_sort(entries.begin(), entries.end(),
                     [](const CalendarEntry& a, const CalendarEntry& b) { return a.startUt < b.startUt; });
    return WriteICalendar(entries, static_cast<int64_t>(std::time(nullptr)));
}

void EventsDialog::Export(bool calendar)
{
    const QString path = QFileDialog::getSaveFileName(
        this, calendar ? tr("カレンダーに書き出す") : tr("CSVに書き出す"),
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
            rangeLabel_->setText(tr("書き出しました: %1").arg(path));
        else
            rangeLabel_->setText(tr("書き出せませんでした: %1（%2）").arg(path, file.errorString()));
    } catch (const std::exception& e) {
        rangeLabel_->setText(tr("書き出せませんでした: %1").arg(QString::fromLocal8Bit(e.what())));
    }
}

}  // namespace veltrax
