// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/twips.h"

#include "engine/checked.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <cmath>

namespace veltrax::platform {
namespace {

// Twips last given, kept on the widget itself; valid while the pixel value
// still equals what they round to.
const char* const kProp[4] = {"twipsLeft", "twipsTop", "twipsWidth", "twipsHeight"};

int PixelOf(const QWidget* w, int which)
{
    switch (which) {
    case 0: return w->x();
    case 1: return w->y();
    case 2: return w->width();
    default: return w->height();
    }
}

double Get(const QWidget* w, int which)
{
    const QVariant v = w->property(kProp[which]);
    const int px = PixelOf(w, which);
    if (v.isValid()) {
        const double tw = v.toDouble();
        if (TwipsToPixels(tw) == px)
            return tw;
    }
    return px * TwipsPerPixel();
}

void Remember(QWidget* w, int which, double twips)
{
    w->setProperty(kProp[which], twips);
}

void CheckValue(double twips, bool size)
{
    if (!std::isfinite(twips))
        throw Fault("invalid property value");
    if (size && twips < 0)
        throw Fault("invalid property value: negative size");
    if (std::fabs(twips) > 1.0e8)
        throw Fault("invalid property value: out of range");
}

}  // namespace

double TwipsPerPixel()
{
    const QScreen* s = QGuiApplication::primaryScreen();
    const double dpi = s ? s->logicalDotsPerInchX() : 96.0;
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}

int TwipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / TwipsPerPixel()));
}

double Left(const QWidget* w) { return Get(w, 0); }
double Top(const QWidget* w) { return Get(w, 1); }
double Width(const QWidget* w) { return Get(w, 2); }
double Height(const QWidget* w) { return Get(w, 3); }

void SetLeft(QWidget* w, double twips)
{
    CheckValue(twips, false);
    Remember(w, 0, twips);
    w->move(TwipsToPixels(twips), w->y());
}

void SetTop(QWidget* w, double twips)
{
    CheckValue(twips, false);
    Remember(w, 1, twips);
    w->move(w->x(), TwipsToPixels(twips));
}

void SetWidth(QWidget* w, double twips)
{
    CheckValue(twips, true);
    Remember(w, 2, twips);
    w->resize(TwipsToPixels(twips), w->height());
}

void SetHeight(QWidget* w, double twips)
{
    CheckValue(twips, true);
    Remember(w, 3, twips);
    w->resize(w->width(), TwipsToPixels(twips));
}

void SetGeometry(QWidget* w, double left, double top, double width, double height)
{
    CheckValue(left, false);
    CheckValue(top, false);
    CheckValue(width, true);
    CheckValue(height, true);
    Remember(w, 0, left);
    Remember(w, 1, top);
    Remember(w, 2, width);
    Remember(w, 3, height);
    w->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width), TwipsToPixels(height));
}

}  // namespace veltrax::platform
