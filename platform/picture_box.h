// SPDX-License-Identifier: GPL-3.0-or-later
// A drawing surface in twips with a persistent image.
//
// Everything drawn goes into an image that the widget shows and that can be
// read back (for the clipboard). Logical coordinates are twips; the scale left
// and scale top are the logical coordinates of the visible top-left corner and
// move the view without redrawing. The surface keeps a current drawing
// position, fill colour and style, foreground colour, line width and style and
// a drawing mode (copy or invert), and the drawing operations use them as the
// window's drawing code expects. Colours are 0x00BBGGRR.
#pragma once

#include <QImage>
#include <QRectF>
#include <QPen>
#include <QTextLayout>
#include <QWidget>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace veltrax::platform {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    enum { FillSolid = 0, FillTransparent = 1 };
    enum { StyleSolid = 0, StyleDot = 2 };
    enum { ModeInvert = 6, ModeCopy = 13 };

    PictureBox(QWidget* parent, uint32_t backColor);

    float ScaleLeft() const { return scaleLeft_; }
    float ScaleTop() const { return scaleTop_; }
    void SetScaleLeft(float v);
    void SetScaleTop(float v);

    float CurrentX = 0;
    float CurrentY = 0;
    uint32_t ForeColor;  // starts as the system's window-text colour
    uint32_t FillColor = 0;
    int FillStyle = FillTransparent;
    int DrawWidth = 1;  // pixels
    int DrawStyle = StyleSolid;
    int DrawMode = ModeCopy;
    uint32_t BackColor() const { return backColor_; }

    // Clears the image to the background colour; the current position goes
    // back to (0, 0).
    void Cls();

    // Ellipse centred at the current position moved by (dx, dy), radius in
    // twips, aspect = vertical / horizontal semi-axis (the radius is the longer
    // one). Outline in the foreground colour, inside in the fill colour when the
    // fill style is solid. The current position ends at the centre.
    void CircleStep(float dx, float dy, float radius, float aspect);

    // Filled box: first corner at the current position moved by (dx1, dy1),
    // second corner at the first moved by (dx2, dy2), filled with `color`. The
    // current position ends on the second corner.
    void BoxFilledStep(float dx1, float dy1, float dx2, float dy2, uint32_t color);

    // Outline of the box with corners (x1, y1) and (x2, y2) in the current line
    // width, style and drawing mode (invert ignores the colour). The current
    // position ends on the second corner.
    void Box(float x1, float y1, float x2, float y2, uint32_t color);

    // A line through the points xy (x0, y0, x1, y1, ..., twips) in `color`,
    // widthPx pixels wide, solid, whatever the line width, style and drawing
    // mode; inside the clip ellipse when one is set. The current position stays.
    void Polyline(const std::vector<float>& xy, uint32_t color, int widthPx);

    // Later ellipses, boxes, lines and texts are drawn only inside the ellipse centred
    // at (cx, cy) (twips) with that radius and aspect, until ClearClip.
    void SetClipEllipse(float cx, float cy, float radius, float aspect);
    void ClearClip();

    // Text with its top-left corner at the current position, in the foreground
    // colour and the surface's font; the position moves to the start of the next line.
    void Print(const QString& text);

    // The persistent image (device pixels; its devicePixelRatio tells how many
    // per logical pixel).
    const QImage& Image() const { return image_; }

    // A rectangle of the image, given in twips from the visible top-left
    // corner, at the image's own resolution. Parts outside the image are
    // background. Width or height 0 gives a null image.
    QImage CopyRect(double left, double top, double width, double height) const;

    // Replaces the image by `image` (the surface takes its size in pixels).
    void SetImage(const QImage& image);

    // Logical twips of a widget pixel position, and back.
    QPointF ToLogical(QPointF widgetPos) const;
    QPointF ToPixels(float x, float y) const;

signals:
    // Buttons: 1 left, 2 right, 4 middle (for a move, those held); shift: 1
    // Shift, 2 Ctrl, 4 Alt; x, y in logical twips.
    void MouseDown(int button, int shift, float x, float y);
    void MouseMove(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);
    // Key codes: 37 to 40 for the arrows left, up, right, down; letters and
    // digits by their ASCII code; 0 for other keys.
    void KeyDown(int keyCode, int shift);

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void mouseMoveEvent(QMouseEvent*) override;
    void mouseReleaseEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    void changeEvent(QEvent*) override;

private:
    // A text shaped once in the surface's font: the numerals are printed at
    // every redraw.
    struct PrintedText {
        PrintedText(const QString& text, const QFont& font) : layout(text, font) {}
        QTextLayout layout;
        double advance = 0;
    };
    const PrintedText& Shaped(const QString& text);

    void EnsureImage();
    QColor Color(uint32_t bgr) const;
    // Sets up p for an outlined shape in `color`; returns the pen.
    QPen Outline(QPainter& p, uint32_t color) const;
    // Marks a drawn area (widget pixels) for the screen.
    void Touched(const QRectF& pixels, int penWidth);

    // Applies the clip ellipse, if any, to p.
    void Clip(QPainter& p) const;

    QImage image_;
    std::map<QString, std::unique_ptr<PrintedText>> printed_;
    bool clipping_ = false;
    QRectF clipEllipse_;  // widget pixels
    QRect drawn_;  // bounds of what was drawn since the last clearing, widget pixels
    uint32_t backColor_;
    float scaleLeft_ = 0;
    float scaleTop_ = 0;
};

}  // namespace veltrax::platform
