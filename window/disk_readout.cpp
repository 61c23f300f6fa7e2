// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/disk_readout.h"

#include "engine/checked.h"
#include "platform/picture_box.h"

#include <QCursor>
#include <QEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <cmath>
#include <cstdio>

namespace veltrax {

DiskReadout::DiskReadout(platform::PictureBox* picture) : QObject(picture), picture_(picture)
{
    picture_->installEventFilter(this);
}

QString DiskReadout::Text(const DiskReading& r)
{
    // Tenths of a degree within one turn: a longitude that rounds to 360.0
    // (359.96) is written 000.0, one a hair below 0 (-0.06) 359.9.
    const auto lon = [](double deg) {
        const long long tenths = (std::llround(deg * 10) % 3600 + 3600) % 3600;
        char buf[32];
        std::snprintf(buf, sizeof buf, "%03lld.%lld", tenths / 10, tenths % 10);
        return QString::fromLatin1(buf);
    };
    const long long lat = std::llround(r.latDeg * 10);
    const long long mag = lat < 0 ? -lat : lat;
    char latBuf[32];
    std::snprintf(latBuf, sizeof latBuf, "%c%lld.%lld", lat < 0 ? '-' : '+', mag / 10, mag % 10);
    return tr("Ⅰ=%1°　Ⅱ=%2°　Ⅲ=%3°　緯度=%4°")
        .arg(lon(r.lonDeg[0]), lon(r.lonDeg[1]), lon(r.lonDeg[2]), QString::fromLatin1(latBuf));
}

QString DiskReadout::TextAt(QPointF widgetPos) const
{
    if (!on_)
        return QString();
    // Widget pixels to the picture's twips (its scale left and top: the
    // drag-pan), then to the sky through the frame the scene drew with.
    const QPointF t = picture_->ToLogical(widgetPos);
    double X, Y;
    if (!frame_.ToSky(t.x(), t.y(), X, Y))
        return QString();
    const std::optional<DiskReading> r = ReadDisk(pose_, X, Y);
    return r ? Text(*r) : QString();
}

void DiskReadout::Set(const QString& text, QPoint globalPos)
{
    if (picture_->toolTip() != text) {
        const QString before = picture_->toolTip();
        picture_->setToolTip(text);
        picture_->setAccessibleDescription(text);
        // A tip on the screen follows the pointer's reading.
        if (QToolTip::isVisible() && QToolTip::text() == before) {
            if (text.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(globalPos, text, picture_);
        }
    }
}

void DiskReadout::Shown(const Scene& scene)
{
    if (!scene.grid) {
        if (on_) {
            on_ = false;
            spot_.reset();
            picture_->setMouseTracking(trackingBefore_);
            Set(QString(), QCursor::pos());
        }
        return;
    }
    if (!on_) {
        trackingBefore_ = picture_->hasMouseTracking();
        picture_->setMouseTracking(true);
        on_ = true;
    }
    frame_ = scene.disk;
    pose_ = scene.pose;
    if (scene.spotDrawn)
        spot_ = QPointF(scene.spotX, scene.spotY);
    else
        spot_.reset();
    // The disk turned under a pointer that stood still.
    if (pointer_)
        Set(TextAt(*pointer_), picture_->mapToGlobal(pointer_->toPoint()));
}

bool DiskReadout::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != picture_ || !on_)
        return false;
    try {
        if (event->type() == QEvent::MouseMove) {
            const auto* m = static_cast<QMouseEvent*>(event);
            pointer_ = m->position();
            Set(TextAt(m->position()), m->globalPosition().toPoint());
        } else if (event->type() == QEvent::Leave) {
            pointer_.reset();
            Set(QString(), QCursor::pos());
        }
    } catch (const Fault&) {
        // The read-out keeps what it showed.
    }
    return false;
}

}  // namespace veltrax
