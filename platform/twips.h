// SPDX-License-Identifier: GPL-3.0-or-later
// Twips (1/1440 inch) on Qt widgets.
//
// Controls are placed and sized in twips, as the window was designed. A
// widget's pixel geometry can only hold whole pixels, so each widget also keeps
// the twips it was last given: reading a length back gives those twips while
// the widget still has the pixel size they round to, and the pixel size times
// the twips per pixel once something else (the user, the window manager) has
// changed it.
#pragma once

class QWidget;

namespace veltrax::platform {

// Twips per device-independent pixel of the primary screen (1440 / logical
// DPI; 15 at 96 DPI).
double TwipsPerPixel();

// Pixels for a length in twips, rounded to the nearest pixel.
int TwipsToPixels(double twips);

double Left(const QWidget* w);
double Top(const QWidget* w);
double Width(const QWidget* w);
double Height(const QWidget* w);

// Setters throw veltrax::Fault for a negative size or a value that is not
// finite, as a control refuses such a property value.
void SetLeft(QWidget* w, double twips);
void SetTop(QWidget* w, double twips);
void SetWidth(QWidget* w, double twips);
void SetHeight(QWidget* w, double twips);
void SetGeometry(QWidget* w, double left, double top, double width, double height);

}  // namespace veltrax::platform
