// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/night_charts.h"

#include "window/translation.h"

#include "engine/calendar.h"
#include "engine/site.h"
#include "platform/guard.h"
#include "results/plan_names.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QSvgGenerator>
#include <algorithm>
#include <cmath>

namespace veltrax {
namespace {

// Julian Day (UT) as UT seconds from 1970, unrounded, for placing a moment
// among the light curve's whole seconds.
double UtSeconds(double jdUT) { return (jdUT - kJdUnixEpoch) * static_cast<double>(kSecondsPerDay); }

// The altitude axis, degrees: low enough for the Sun's twilights.
constexpr double kLowestDeg = -30, kHighestDeg = 90;
constexpr double kMarkerReachPx = 8;

const QColor kMomentColour(0, 160, 0);

// The sky's shade from day (0) to full night (4).
QColor SkyShade(int darkness)
{
    static const QColor shades[5] = {{250, 250, 238}, {206, 214, 236}, {160, 172, 210}, {112, 124, 172}, {62, 72, 122}};
    return shades[std::clamp(darkness, 0, 4)];
}

void Label(QPainter& p, const QPointF& at, const QString& text, Qt::Alignment align)
{
    const QFontMetricsF m(p.font());
    QRectF r(QPointF(), m.size(0, text));
    if (align & Qt::AlignHCenter)
        r.moveLeft(at.x() - r.width() / 2);
    else if (align & Qt::AlignRight)
        r.moveRight(at.x());
    else
        r.moveLeft(at.x());
    if (align & Qt::AlignVCenter)
        r.moveTop(at.y() - r.height() / 2);
    else if (align & Qt::AlignBottom)
        r.moveBottom(at.y());
    else
        r.moveTop(at.y());
    p.drawText(r, Qt::AlignCenter, text);
}

}  // namespace

// ---- ChartView ----

ChartView::ChartView(QWidget* parent) : QWidget(parent)
{
    setContextMenuPolicy(Qt::DefaultContextMenu);
}

void ChartView::ShowTexts()
{
    setToolTip(tr("右クリックで PNG か SVG に保存できます"));
    update();
}

void ChartView::SetMoment(double jdUT)
{
    if (haveMoment_ && jdUT == momentJdUT_)
        return;
    momentJdUT_ = jdUT;
    haveMoment_ = true;
    update();
}

void ChartView::ShowMessage(const QString& message)
{
    message_ = message;
    update();
}

namespace {

// The chart or its message on a white ground.
void Draw(const ChartView& chart, QPainter& p, const QSizeF& size, const std::function<void()>& paint)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRectF(QPointF(), size), Qt::white);
    if (chart.Message().isEmpty()) {
        paint();
        return;
    }
    p.setPen(Qt::black);
    p.drawText(QRectF(QPointF(), size).adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, chart.Message());
}

}  // namespace

void ChartView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    platform::Guard([&] { Draw(*this, p, size(), [&] { Paint(p, size()); }); });
}

bool ChartView::Save(const QString& path, QString& why) const
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size());
        svg.setViewBox(QRect(QPoint(), size()));
        svg.setTitle(accessibleName());
        svg.setDescription(accessibleDescription());
        QPainter p;
        if (!p.begin(&svg)) {
            why = tr("ファイルを開けません");
            return false;
        }
        Draw(*this, p, size(), [&] { Paint(p, size()); });
        p.end();
        if (QFileInfo(path).size() > 0)
            return true;
        why = tr("ファイルを開けません");
        return false;
    }
    if (suffix != QLatin1String("png")) {
        why = tr("ファイル名は .png か .svg で終えてください");
        return false;
    }
    QImage image(size(), QImage::Format_RGB32);
    {
        QPainter p(&image);
        Draw(*this, p, size(), [&] { Paint(p, size()); });
    }
    if (image.save(path, "PNG"))
        return true;
    why = tr("ファイルを開けません");
    return false;
}

void ChartView::contextMenuEvent(QContextMenuEvent* e)
{
    platform::Guard([&] {
        QMenu menu(this);
        QAction* save = menu.addAction(tr("画像として保存…"));
        if (menu.exec(e->globalPos()) != save)
            return;
        const QString png = tr("PNG 画像 (*.png)"), svg = tr("SVG 画像 (*.svg)");
        QString filter = png;
        QString path = QFileDialog::getSaveFileName(this, tr("グラフを保存"), objectName() + QStringLiteral(".png"),
                                                    png + QStringLiteral(";;") + svg, &filter);
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += filter == svg ? QStringLiteral(".svg") : QStringLiteral(".png");
        QString why;
        const QString outcome = Save(path, why) ? tr("保存しました: %1").arg(path)
                                                : tr("保存できませんでした: %1（%2）").arg(path, why);
        if (onSaved)
            onSaved(outcome);
    });
}

// ---- AltitudeChart ----

AltitudeChart::AltitudeChart(QWidget* parent) : ChartView(parent)
{
    setObjectName(QStringLiteral("nightChart"));
    ShowTexts();
}

void AltitudeChart::ShowTexts()
{
    ChartView::ShowTexts();
    setAccessibleName(tr("夜の高度"));
}

void AltitudeChart::SetNight(const NightTimetable& night, std::vector<AltitudeSample> samples)
{
    night_ = night;
    samples_ = std::move(samples);
    message_.clear();
    update();
}

void AltitudeChart::SetMarkers(std::vector<Marker> markers)
{
    markers_ = std::move(markers);
    update();
}

QRectF AltitudeChart::PlotArea(const QSizeF& size) const
{
    return QRectF(QPointF(34, 8), size).adjusted(0, 0, -34 - 8, -8 - 22);
}

QPointF AltitudeChart::At(const QRectF& plot, double jdUT, double altitudeDeg) const
{
    const double x = plot.left() + (jdUT - night_.startJdUT) * plot.width();
    const double a = std::clamp(altitudeDeg, kLowestDeg, kHighestDeg);
    return {x, plot.bottom() - (a - kLowestDeg) / (kHighestDeg - kLowestDeg) * plot.height()};
}

QPointF AltitudeChart::MarkerPoint(const Marker& m) const { return At(PlotArea(size()), m.jdUT, m.altitudeDeg); }

void AltitudeChart::Paint(QPainter& p, const QSizeF& size) const
{
    const QRectF plot = PlotArea(size);
    // The sky's shade: the Sun's thresholds crossed, from the timetable.
    const NightEvent dusks[4] = {NightEvent::Sunset, NightEvent::CivilDusk, NightEvent::NauticalDusk,
                                 NightEvent::AstronomicalDusk};
    const NightEvent dawns[4] = {NightEvent::Sunrise, NightEvent::CivilDawn, NightEvent::NauticalDawn,
                                 NightEvent::AstronomicalDawn};
    int darkness = 0;
    std::vector<std::pair<double, int>> changes;  // moment, +1 darker or -1 lighter
    for (int i = 0; i < 4; ++i) {
        if (!night_.aboveAtStart[static_cast<size_t>(dusks[i])])
            ++darkness;
        if (const auto& t = night_.At(dusks[i]))
            changes.push_back({*t, +1});
        if (const auto& t = night_.At(dawns[i]))
            changes.push_back({*t, -1});
    }
    std::sort(changes.begin(), changes.end());
    double from = night_.startJdUT;
    changes.push_back({night_.startJdUT + 1, 0});
    for (const auto& [t, step] : changes) {
        const QPointF a = At(plot, from, kHighestDeg), b = At(plot, t, kLowestDeg);
        p.fillRect(QRectF(a, b), SkyShade(darkness));
        darkness += step;
        from = t;
    }

    // Hours (JST) every three from noon, degrees every thirty.
    p.setPen(QPen(QColor(0, 0, 0, 60), 1));
    QFont small = p.font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.8));
    p.setFont(small);
    for (int h = 0; h <= 24; h += 3) {
        const double x = plot.left() + plot.width() * h / 24;
        p.setPen(QPen(QColor(0, 0, 0, 60), 1));
        p.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        p.setPen(Qt::black);
        Label(p, QPointF(x, plot.bottom() + 2), QString::number((12 + h) % 24), Qt::AlignHCenter | Qt::AlignTop);
    }
    for (int a = static_cast<int>(kLowestDeg); a <= kHighestDeg; a += 30) {
        p.setPen(Qt::black);
        Label(p, At(plot, night_.startJdUT, a) - QPointF(4, 0), QString::number(a), Qt::AlignRight | Qt::AlignVCenter);
    }
    // The horizon and the 10-degree line Jupiter must clear.
    p.setPen(QPen(Qt::black, 1.5));
    p.drawLine(At(plot, night_.startJdUT, 0), At(plot, night_.startJdUT + 1, 0));
    p.setPen(QPen(QColor(40, 40, 40), 1, Qt::DashLine));
    p.drawLine(At(plot, night_.startJdUT, 10), At(plot, night_.startJdUT + 1, 10));
    Label(p, At(plot, night_.startJdUT, 10) + QPointF(3, -1), QStringLiteral("10°"), Qt::AlignLeft | Qt::AlignBottom);

    // The two curves.
    const QColor jupiter(214, 60, 20), sun(230, 170, 0);
    QPainterPath j, s;
    for (size_t i = 0; i < samples_.size(); ++i) {
        const QPointF pj = At(plot, samples_[i].jdUT, samples_[i].sky.jupiterDeg);
        const QPointF ps = At(plot, samples_[i].jdUT, samples_[i].sky.sunDeg);
        if (i == 0) {
            j.moveTo(pj);
            s.moveTo(ps);
        } else {
            j.lineTo(pj);
            s.lineTo(ps);
        }
    }
    p.save();
    p.setClipRect(plot);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(sun, 2, Qt::DashLine));
    p.drawPath(s);
    p.setPen(QPen(jupiter, 2.5));
    p.drawPath(j);
    p.restore();
    p.setPen(jupiter);
    Label(p, plot.topRight() + QPointF(-4, 2), tr("木星"), Qt::AlignRight | Qt::AlignTop);
    p.setPen(sun.darker(130));
    Label(p, plot.topRight() + QPointF(-4, 4 + QFontMetricsF(p.font()).height()), tr("太陽"), Qt::AlignRight | Qt::AlignTop);

    // The plan's rows: a satellite's edge a circle, an event of two
    // satellites a diamond, the spot's transit a square.
    for (const Marker& m : markers_) {
        if (m.altitudeDeg < kLowestDeg)
            continue;  // far below the horizon: off the chart
        const QPointF c = At(plot, m.jdUT, m.altitudeDeg);
        p.setPen(QPen(Qt::black, 1));
        const double r = 4.5;
        switch (m.kind) {
        case RowKind::Satellite:
            p.setBrush(Qt::white);
            p.drawEllipse(c, r, r);
            break;
        case RowKind::Mutual: {
            p.setBrush(QColor(0, 190, 240));
            const QPointF d[4] = {c + QPointF(0, -r - 1), c + QPointF(r + 1, 0), c + QPointF(0, r + 1), c + QPointF(-r - 1, 0)};
            p.drawPolygon(d, 4);
            break;
        }
        case RowKind::Spot:
            p.setBrush(QColor(240, 70, 60));
            p.drawRect(QRectF(c - QPointF(r, r), QSizeF(2 * r, 2 * r)));
            break;
        }
        p.setPen(Qt::black);
        const QRectF box = QFontMetricsF(p.font()).boundingRect(m.label);
        const QPointF at = c + QPointF(0, -r - 3);
        p.fillRect(QRectF(at.x() - box.width() / 2 - 1, at.y() - box.height(), box.width() + 2, box.height()),
                   QColor(255, 255, 255, 190));
        Label(p, at, m.label, Qt::AlignHCenter | Qt::AlignBottom);
    }
    p.setBrush(Qt::NoBrush);

    if (haveMoment_ && momentJdUT_ >= night_.startJdUT && momentJdUT_ <= night_.startJdUT + 1) {
        p.setPen(QPen(kMomentColour, 2));
        p.drawLine(At(plot, momentJdUT_, kHighestDeg), At(plot, momentJdUT_, kLowestDeg));
    }
    p.setPen(Qt::black);
    p.drawRect(plot);
}

void AltitudeChart::mousePressEvent(QMouseEvent* e)
{
    platform::Guard([&] {
        if (!message_.isEmpty() || e->button() != Qt::LeftButton)
            return;
        const Marker* best = nullptr;
        double bestPx = kMarkerReachPx;
        for (const Marker& m : markers_) {
            const double d = QLineF(MarkerPoint(m), e->position()).length();
            if (d <= bestPx) {
                bestPx = d;
                best = &m;
            }
        }
        if (best && onMarker)
            onMarker(best->row);
    });
}

// ---- LightCurveChart ----

LightCurveChart::LightCurveChart(QWidget* parent) : ChartView(parent)
{
    setObjectName(QStringLiteral("lightCurve"));
    ShowTexts();
}

void LightCurveChart::ShowTexts()
{
    ChartView::ShowTexts();
    setAccessibleName(tr("光度曲線"));
}

void LightCurveChart::SetCurve(LightCurve curve)
{
    curve_ = std::move(curve);
    message_.clear();
    update();
}

void LightCurveChart::SetOrientation(const ViewOrientation& o)
{
    if (o.xSign == xSign_ && o.ySign == ySign_)
        return;
    xSign_ = o.xSign;
    ySign_ = o.ySign;
    update();
}

void LightCurveChart::Paint(QPainter& p, const QSizeF& size) const
{
    if (!curve_ || curve_->samples.empty())
        return;
    const LightCurve& c = *curve_;
    const MutualEvent& e = *c.row.Mutual();
    const double side = std::min(size.height() - 16, size.width() * 0.38);
    const QRectF box(size.width() - side - 8, 8, side, side);
    PaintGeometry(p, box);

    const QRectF plot = QRectF(QPointF(38, 8), QPointF(box.left() - 12, size.height() - 36));
    const double t0 = static_cast<double>(c.samples.front().ut), t1 = static_cast<double>(c.samples.back().ut);
    double least = 1;
    for (const LightCurveSample& s : c.samples)
        least = std::min(least, s.fluxPassive);
    const double low = std::max(0.0, std::floor((least - 0.05) * 10) / 10), high = 1.02;
    const auto at = [&](double ut, double flux) {
        return QPointF(plot.left() + (ut - t0) / std::max(1.0, t1 - t0) * plot.width(),
                       plot.bottom() - (flux - low) / (high - low) * plot.height());
    };

    QFont small = p.font();
    small.setPointSizeF(std::max(6.0, small.pointSizeF() * 0.8));
    p.setFont(small);
    // Fractions every tenth, minutes from the maximum at a round step.
    for (int k = static_cast<int>(std::lround(low * 10)); k <= 10; ++k) {
        const QPointF y = at(t0, k / 10.0);
        p.setPen(QPen(QColor(0, 0, 0, 40), 1));
        p.drawLine(y, QPointF(plot.right(), y.y()));
        p.setPen(Qt::black);
        Label(p, y - QPointF(4, 0), QString::number(k / 10.0, 'f', 1), Qt::AlignRight | Qt::AlignVCenter);
    }
    const double minutes = (t1 - t0) / 60;
    int stepMin = 1;
    for (const int s : {1, 2, 5, 10, 15, 30, 60})
        if (minutes / s <= 8) {
            stepMin = s;
            break;
        }
    const double maxUt = static_cast<double>(c.row.ut);
    for (int k = -static_cast<int>((maxUt - t0) / 60 / stepMin); maxUt + k * stepMin * 60.0 <= t1; ++k) {
        const QPointF x = at(maxUt + k * stepMin * 60.0, low);
        p.setPen(Qt::black);
        Label(p, x + QPointF(0, 2), QString::number(k * stepMin), Qt::AlignHCenter | Qt::AlignTop);
    }
    Label(p, QPointF(plot.center().x(), size.height() - 2), tr("極大からの分"), Qt::AlignHCenter | Qt::AlignBottom);

    // The contacts (dashed), the umbral contacts (dotted), the maximum.
    const auto mark = [&](double ut, const QPen& pen) {
        p.setPen(pen);
        p.drawLine(at(ut, high), at(ut, low));
    };
    mark(static_cast<double>(c.contacts.startUt), QPen(Qt::darkGray, 1, Qt::DashLine));
    mark(static_cast<double>(c.contacts.endUt), QPen(Qt::darkGray, 1, Qt::DashLine));
    if (e.umbral) {
        mark(UtSeconds(JdUTFromTT(e.umbraStartTT)), QPen(Qt::darkGray, 1, Qt::DotLine));
        mark(UtSeconds(JdUTFromTT(e.umbraEndTT)), QPen(Qt::darkGray, 1, Qt::DotLine));
    }
    mark(maxUt, QPen(QColor(150, 0, 0), 1));

    QPainterPath passive, pair;
    for (size_t i = 0; i < c.samples.size(); ++i) {
        const double ut = static_cast<double>(c.samples[i].ut);
        if (i == 0) {
            passive.moveTo(at(ut, c.samples[i].fluxPassive));
            pair.moveTo(at(ut, c.samples[i].fluxPair));
        } else {
            passive.lineTo(at(ut, c.samples[i].fluxPassive));
            pair.lineTo(at(ut, c.samples[i].fluxPair));
        }
    }
    const QColor passiveColour(20, 80, 200);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(passiveColour, 2));
    p.drawPath(passive);
    p.setPen(QPen(Qt::black, 1.5));
    p.drawPath(pair);
    if (haveMoment_) {
        const double ut = UtSeconds(momentJdUT_);
        if (ut >= t0 && ut <= t1)
            mark(ut, QPen(kMomentColour, 2));
    }
    p.setPen(Qt::black);
    p.drawRect(plot);
    const double line = QFontMetricsF(p.font()).height();
    p.setPen(passiveColour);
    Label(p, plot.bottomLeft() + QPointF(4, -4 - line), tr("%1のみ").arg(QString::fromUtf8(SatelliteWord(e.passive, LanguageInUse()))),
          Qt::AlignLeft | Qt::AlignBottom);
    p.setPen(Qt::black);
    Label(p, plot.bottomLeft() + QPointF(4, -4), tr("2個合わせて"), Qt::AlignLeft | Qt::AlignBottom);
}

void LightCurveChart::PaintGeometry(QPainter& p, const QRectF& box) const
{
    const MutualScene& g = curve_->atMaximum;
    const bool eclipse = curve_->row.Mutual()->kind == MutualKind::Eclipse;
    p.fillRect(box, QColor(12, 12, 24));
    // At true scale around the passive satellite: it, and the disk in front
    // of it or the shadow on it.
    const double bx = g.passiveXKm, by = g.passiveYKm;
    double reach = g.passiveRadiusKm * 1.3;
    if (eclipse)
        reach = std::max(reach, std::hypot(g.shadowXKm - bx, g.shadowYKm - by) + g.penumbraRadiusKm);
    else
        reach = std::max(reach, std::hypot(g.activeXKm - bx, g.activeYKm - by) + g.activeRadiusKm);
    const double scale = (box.width() / 2 - 6) / reach;
    const auto at = [&](double x, double y) {
        return box.center() + QPointF(xSign_ * (x - bx) * scale, ySign_ * (y - by) * scale);
    };
    const auto disk = [&](double x, double y, double r, const QBrush& fill, const QPen& pen) {
        p.setBrush(fill);
        p.setPen(pen);
        p.drawEllipse(at(x, y), r * scale, r * scale);
    };
    p.save();
    p.setClipRect(box);
    const QColor lit(225, 215, 185);
    disk(bx, by, g.passiveRadiusKm, lit, Qt::NoPen);
    disk(g.activeXKm, g.activeYKm, g.activeRadiusKm, lit.lighter(105), QPen(Qt::black, 1));
    if (eclipse) {
        disk(g.shadowXKm, g.shadowYKm, g.penumbraRadiusKm, QColor(0, 0, 0, 90), QPen(QColor(255, 255, 255, 120), 1, Qt::DashLine));
        if (g.umbraRadiusKm > 0)
            disk(g.shadowXKm, g.shadowYKm, g.umbraRadiusKm, QColor(0, 0, 0, 200), Qt::NoPen);
        else
            disk(g.shadowXKm, g.shadowYKm, -g.umbraRadiusKm, Qt::NoBrush, QPen(QColor(255, 255, 255, 160), 1, Qt::DotLine));
    }
    p.setPen(Qt::white);
    const auto name = [&](int moon, double x, double y, double r) {
        Label(p, at(x, y) + QPointF(0, -r * scale - 2), QString::fromUtf8(kSatelliteNames[moon].numeral),
              Qt::AlignHCenter | Qt::AlignBottom);
    };
    const MutualEvent& e = *curve_->row.Mutual();
    name(e.passive, bx, by, g.passiveRadiusKm);
    name(e.active, g.activeXKm, g.activeYKm, g.activeRadiusKm);
    p.restore();
    p.setBrush(Qt::NoBrush);
}

}  // namespace veltrax
