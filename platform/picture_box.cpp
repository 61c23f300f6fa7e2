// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/picture_box.h"

#include "engine/checked.h"
#include "platform/fonts.h"
#include "platform/twips.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <initializer_list>

namespace veltrax::platform {
namespace {

uint32_t ToBgr(const QColor& c)
{
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
}

int Shift(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

int Buttons(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0) | (b & Qt::MiddleButton ? 4 : 0);
}

void CheckFinite(float v)
{
    if (!std::isfinite(v))
        throw Fault("drawing coordinate is not a number");
}

// The semi-axes in pixels of an ellipse of that radius (twips) and aspect
// (vertical / horizontal): the radius is the longer one.
void EllipseRadiiPx(float radius, float aspect, double& rx, double& ry)
{
    const double tpp = TwipsPerPixel();
    rx = std::fabs(radius) / tpp;
    ry = rx;
    if (aspect <= 1)
        ry = rx * std::fabs(aspect);
    else
        rx = ry / aspect;
}

void CheckFinite(std::initializer_list<float> values)
{
    for (float v : values)
        CheckFinite(v);
}

}  // namespace

PictureBox::PictureBox(QWidget* parent, uint32_t backColor)
    : QWidget(parent), ForeColor(ToBgr(palette().color(QPalette::WindowText))), backColor_(backColor)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    EnsureImage();
}

QColor PictureBox::Color(uint32_t bgr) const
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

void PictureBox::SetScaleLeft(float v)
{
    CheckFinite(v);
    scaleLeft_ = v;
}

void PictureBox::SetScaleTop(float v)
{
    CheckFinite(v);
    scaleTop_ = v;
}

void PictureBox::EnsureImage()
{
    const qreal dpr = devicePixelRatioF();
    const QSize want(std::max(1, static_cast<int>(std::ceil(width() * dpr))),
                     std::max(1, static_cast<int>(std::ceil(height() * dpr))));
    if (image_.size() == want && image_.devicePixelRatio() == dpr)
        return;
    QImage next(want, QImage::Format_RGB32);
    next.setDevicePixelRatio(dpr);
    next.fill(Color(backColor_));
    if (!image_.isNull()) {
        QPainter p(&next);
        p.drawImage(QPointF(0, 0), image_);
    }
    image_ = next;
    drawn_ = rect();
    update();
}

QPointF PictureBox::ToPixels(float x, float y) const
{
    const double tpp = TwipsPerPixel();
    return QPointF((static_cast<double>(x) - scaleLeft_) / tpp, (static_cast<double>(y) - scaleTop_) / tpp);
}

QPointF PictureBox::ToLogical(QPointF pos) const
{
    const double tpp = TwipsPerPixel();
    return QPointF(scaleLeft_ + pos.x() * tpp, scaleTop_ + pos.y() * tpp);
}

void PictureBox::Cls()
{
    EnsureImage();
    image_.fill(Color(backColor_));
    CurrentX = 0;
    CurrentY = 0;
    clipping_ = false;
    // Only what was drawn since the last clearing changes on the screen.
    update(drawn_);
    drawn_ = QRect();
}

void PictureBox::CircleStep(float dx, float dy, float radius, float aspect)
{
    const float cx = CurrentX + dx;
    const float cy = CurrentY + dy;
    CheckFinite(cx);
    CheckFinite(cy);
    CheckFinite(radius);
    CheckFinite(aspect);
    CurrentX = cx;
    CurrentY = cy;

    double rx, ry;
    EllipseRadiiPx(radius, aspect, rx, ry);

    EnsureImage();
    QPainter p(&image_);
    Clip(p);
    const QPen pen = Outline(p, ForeColor);
    const QPointF c = ToPixels(cx, cy);
    p.drawEllipse(c, rx, ry);
    Touched(QRectF(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry), pen.width());
}

void PictureBox::SetClipEllipse(float cx, float cy, float radius, float aspect)
{
    CheckFinite({cx, cy, radius, aspect});
    double rx, ry;
    EllipseRadiiPx(radius, aspect, rx, ry);
    const QPointF c = ToPixels(cx, cy);
    clipEllipse_ = QRectF(c.x() - rx, c.y() - ry, 2 * rx, 2 * ry);
    clipping_ = true;
}

void PictureBox::ClearClip()
{
    clipping_ = false;
}

void PictureBox::Clip(QPainter& p) const
{
    if (!clipping_)
        return;
    QPainterPath path;
    path.addEllipse(clipEllipse_);
    p.setClipPath(path);
}

void PictureBox::Polyline(const std::vector<float>& xy, uint32_t color, int widthPx)
{
    for (float v : xy)
        CheckFinite(v);
    if (xy.size() < 4)
        return;
    QPolygonF line;
    line.reserve(static_cast<qsizetype>(xy.size() / 2));
    for (size_t i = 0; i + 1 < xy.size(); i += 2)
        line.append(ToPixels(xy[i], xy[i + 1]));

    EnsureImage();
    QPainter p(&image_);
    Clip(p);
    QPen pen(Color(color));
    pen.setWidth(std::clamp(widthPx, 1, 16));
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
    Touched(line.boundingRect(), pen.width());
}

void PictureBox::BoxFilledStep(float dx1, float dy1, float dx2, float dy2, uint32_t color)
{
    const float x1 = CurrentX + dx1, y1 = CurrentY + dy1;
    const float x2 = x1 + dx2, y2 = y1 + dy2;
    CheckFinite({x1, y1, x2, y2});
    CurrentX = x2;
    CurrentY = y2;

    EnsureImage();
    QPainter p(&image_);
    Clip(p);
    if (DrawMode == ModeInvert)
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
    const QRectF box = QRectF(ToPixels(x1, y1), ToPixels(x2, y2)).normalized();
    p.fillRect(box, Color(color));
    Touched(box, 1);
}

void PictureBox::Box(float x1, float y1, float x2, float y2, uint32_t color)
{
    CheckFinite({x1, y1, x2, y2});
    CurrentX = x2;
    CurrentY = y2;

    EnsureImage();
    QPainter p(&image_);
    const QPen pen = Outline(p, color);
    const QPointF a = ToPixels(x1, y1), b = ToPixels(x2, y2);
    const QPoint pa = a.toPoint(), pb = b.toPoint();
    if (pa == pb) {
        // Smaller than a pixel: one pixel, so a click still shows its mark.
        p.drawPoint(pa);
    } else if (pa.x() == pb.x() || pa.y() == pb.y()) {
        // A flat box is one line: its two long sides would cover the same
        // pixels and, inverted twice, leave nothing to see.
        p.drawLine(pa, pb);
    } else {
        p.drawRect(QRectF(a, b).normalized());
    }
    Touched(QRectF(a, b).normalized(), pen.width());
}

void PictureBox::Print(const QString& text)
{
    CheckFinite(CurrentX);
    CheckFinite(CurrentY);
    EnsureImage();
    QPainter p(&image_);
    Clip(p);
    p.setFont(font());
    p.setPen(Color(ForeColor));
    const QFontMetricsF fm(font());
    const QPointF at = ToPixels(CurrentX, CurrentY);
    const PrintedText& shaped = Shaped(text);
    const QTextLine line = shaped.layout.lineAt(0);
    // The baseline one ascent below the current position.
    line.draw(&p, QPointF(at.x(), at.y() + fm.ascent() - line.ascent()));
    // Glyphs may reach past their advance by their bearings.
    const double left = std::max(0.0, -fm.minLeftBearing()), right = std::max(0.0, -fm.minRightBearing());
    Touched(QRectF(at.x() - left, at.y(), shaped.advance + left + right, fm.height()), 1);
    CurrentX = 0;
    CurrentY = static_cast<float>(CurrentY + fm.height() * TwipsPerPixel());
}

const PictureBox::PrintedText& PictureBox::Shaped(const QString& text)
{
    auto found = printed_.find(text);
    if (found != printed_.end())
        return *found->second;
    if (printed_.size() >= 64)
        printed_.clear();  // the numerals and captions are few; other texts are not kept
    auto shaped = std::make_unique<PrintedText>(text, font());
    LayOutOneLine(shaped->layout);
    shaped->advance = QFontMetricsF(font()).horizontalAdvance(text);
    return *printed_.emplace(text, std::move(shaped)).first->second;
}

void PictureBox::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange)
        printed_.clear();
    QWidget::changeEvent(e);
}

QImage PictureBox::CopyRect(double left, double top, double width, double height) const
{
    if (width <= 0 || height <= 0)
        return QImage();
    const double tpp = TwipsPerPixel();
    const qreal dpr = image_.devicePixelRatio();
    const int x = static_cast<int>(std::lround(left / tpp * dpr));
    const int y = static_cast<int>(std::lround(top / tpp * dpr));
    const int w = std::max(1, static_cast<int>(std::lround(width / tpp * dpr)));
    const int h = std::max(1, static_cast<int>(std::lround(height / tpp * dpr)));
    QImage out(w, h, QImage::Format_RGB32);
    out.fill(Color(backColor_));
    QPainter p(&out);
    p.drawImage(QPoint(0, 0), image_, QRect(x, y, w, h));
    p.end();
    return out;
}

void PictureBox::SetImage(const QImage& image)
{
    image_ = image.convertToFormat(QImage::Format_RGB32);
    drawn_ = rect();
    update();
}

QPen PictureBox::Outline(QPainter& p, uint32_t color) const
{
    // The current line width, line style, fill and drawing mode.
    QPen pen(Color(color));
    pen.setWidth(std::max(1, DrawWidth));
    pen.setStyle(DrawStyle == StyleDot ? Qt::DotLine : Qt::SolidLine);
    p.setPen(pen);
    p.setBrush(FillStyle == FillSolid ? QBrush(Color(FillColor)) : Qt::NoBrush);
    if (DrawMode == ModeInvert)
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
    return pen;
}

void PictureBox::Touched(const QRectF& pixels, int penWidth)
{
    // The shape's bounds, widened for the pen and for rounding to pixels.
    const int m = penWidth + 2;
    const QRect r = pixels.toAlignedRect().adjusted(-m, -m, m, m) & rect();
    if (r.isEmpty())
        return;
    drawn_ |= r;
    update(r);
}

void PictureBox::paintEvent(QPaintEvent* e)
{
    // The image covers the whole widget (EnsureImage keeps it at its size).
    QPainter p(this);
    const qreal dpr = image_.devicePixelRatio();
    for (const QRect& r : e->region())
        p.drawImage(QRectF(r), image_, QRectF(r.x() * dpr, r.y() * dpr, r.width() * dpr, r.height() * dpr));
}

void PictureBox::resizeEvent(QResizeEvent*)
{
    EnsureImage();
}

void PictureBox::mousePressEvent(QMouseEvent* e)
{
    const QPointF l = ToLogical(e->position());
    emit MouseDown(Buttons(e->button()), Shift(e->modifiers()), static_cast<float>(l.x()), static_cast<float>(l.y()));
}

void PictureBox::mouseMoveEvent(QMouseEvent* e)
{
    const QPointF l = ToLogical(e->position());
    emit MouseMove(Buttons(e->buttons()), Shift(e->modifiers()), static_cast<float>(l.x()), static_cast<float>(l.y()));
}

void PictureBox::mouseReleaseEvent(QMouseEvent* e)
{
    const QPointF l = ToLogical(e->position());
    emit MouseUp(Buttons(e->button()), Shift(e->modifiers()), static_cast<float>(l.x()), static_cast<float>(l.y()));
}

void PictureBox::keyPressEvent(QKeyEvent* e)
{
    int code = 0;
    switch (e->key()) {
    case Qt::Key_Left: code = 37; break;
    case Qt::Key_Up: code = 38; break;
    case Qt::Key_Right: code = 39; break;
    case Qt::Key_Down: code = 40; break;
    default:
        if ((e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9) || (e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z))
            code = e->key();
    }
    emit KeyDown(code, Shift(e->modifiers()));
}

}  // namespace veltrax::platform
