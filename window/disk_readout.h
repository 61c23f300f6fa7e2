// SPDX-License-Identifier: GPL-3.0-or-later
// The read-out of the disk under the pointer: with the longitude grid on,
// the picture's tool tip (and its accessible description) gives the
// longitudes in Systems I, II and III and the planetographic latitude of the
// point of Jupiter under the pointer, e.g.
//   Ⅰ=123.4°　Ⅱ=045.6°　Ⅲ=078.9°　緯度=+12.3°
// and nothing off the disk. With the grid off the picture is left exactly as
// it was: no tool tip, no mouse tracking.
#pragma once

#include "render/scene.h"

#include <QObject>
#include <QPoint>
#include <QPointF>
#include <QString>
#include <optional>

namespace veltrax {

namespace platform {
class PictureBox;
}

class DiskReadout : public QObject {
    Q_OBJECT
public:
    // Follows the pointer over `picture`, which owns the object.
    explicit DiskReadout(platform::PictureBox* picture);

    // The scene just painted on the picture: where its disk stands and
    // whether the grid is on.
    void Shown(const Scene& scene);

    // The read-out at a point of the picture (widget pixels): empty off the
    // disk or with the grid off.
    QString TextAt(QPointF widgetPos) const;

    // The spot's drawn centre (twips) when the grid placed it on the disk.
    std::optional<QPointF> SpotTwips() const { return spot_; }

    // The text of one reading.
    static QString Text(const DiskReading& r);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Set(const QString& text, QPoint globalPos);

    platform::PictureBox* picture_;
    bool on_ = false;
    bool trackingBefore_ = false;  // the picture's mouse tracking before the grid
    DiskFrame frame_;
    DiskPose pose_{};
    std::optional<QPointF> spot_;
    std::optional<QPointF> pointer_;  // the last pointer position over the picture, widget pixels
};

}  // namespace veltrax
