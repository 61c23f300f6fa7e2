// SPDX-License-Identifier: GPL-3.0-or-later
// The night plan's two charts, painted by hand: the night's altitudes with
// the plan's rows on Jupiter's curve, and a mutual event's light curve with
// its geometry at the maximum. Each paints the values it is given (from the
// engine's timetable, results/night_chart and results/light_curve) and
// nothing more; each can be saved as PNG or SVG from its context menu.
#pragma once

#include "engine/night.h"
#include "render/scene.h"
#include "results/light_curve.h"
#include "results/night_chart.h"

#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

namespace veltrax {

// What both charts share: a paint onto any device (the widget, an image, an
// SVG file), the moment's line, a message in the chart's place, and saving.
class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent);

    // The window's moment (Julian Day, UT): a vertical line where it falls.
    void SetMoment(double jdUT);
    // Shown alone in the chart's place; empty: the chart.
    void ShowMessage(const QString& message);
    const QString& Message() const { return message_; }

    // Writes the chart as it is shown, PNG or SVG by the path's suffix;
    // false with why on failure.
    bool Save(const QString& path, QString& why) const;

    // The chart's tool tip and accessible name in the language installed
    // now; the next paint draws its words in it too.
    virtual void ShowTexts();

    // A save from the context menu: what became of it.
    std::function<void(const QString& outcome)> onSaved;

    QSize sizeHint() const override { return {420, 300}; }
    QSize minimumSizeHint() const override { return {240, 120}; }

protected:
    virtual void Paint(QPainter& p, const QSizeF& size) const = 0;
    void paintEvent(QPaintEvent*) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

    double momentJdUT_ = 0;
    bool haveMoment_ = false;
    QString message_;
};

class AltitudeChart : public ChartView {
    Q_OBJECT
public:
    void ShowTexts() override;
    struct Marker {
        int row;             // the row's index among the plan's rows
        double jdUT;         // its moment, Julian Day, UT
        double altitudeDeg;  // Jupiter's apparent altitude then
        RowKind kind;
        QString label;       // its satellite's numeral, its code or the spot
    };

    explicit AltitudeChart(QWidget* parent);

    void SetNight(const NightTimetable& night, std::vector<AltitudeSample> samples);
    void SetMarkers(std::vector<Marker> markers);
    const std::vector<Marker>& Markers() const { return markers_; }
    // Where a marker is drawn in the widget, for a click on it.
    QPointF MarkerPoint(const Marker& m) const;

    std::function<void(int row)> onMarker;  // a marker clicked: its row

protected:
    void Paint(QPainter& p, const QSizeF& size) const override;
    void mousePressEvent(QMouseEvent* e) override;

private:
    QRectF PlotArea(const QSizeF& size) const;
    QPointF At(const QRectF& plot, double jdUT, double altitudeDeg) const;

    NightTimetable night_;
    std::vector<AltitudeSample> samples_;
    std::vector<Marker> markers_;
};

class LightCurveChart : public ChartView {
    Q_OBJECT
public:
    void ShowTexts() override;
    explicit LightCurveChart(QWidget* parent);

    void SetCurve(LightCurve curve);
    const std::optional<LightCurve>& Curve() const { return curve_; }
    // How the picture is turned: the geometry is drawn the same way.
    void SetOrientation(const ViewOrientation& o);

protected:
    void Paint(QPainter& p, const QSizeF& size) const override;

private:
    void PaintGeometry(QPainter& p, const QRectF& box) const;

    std::optional<LightCurve> curve_;
    double xSign_ = -1, ySign_ = 1;  // the inverted view's, until the window says
};

}  // namespace veltrax
