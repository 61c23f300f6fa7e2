// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"

#include "platform/fonts.h"

#include <QApplication>
#include <QDataStream>
#include <QGuiApplication>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QtMath>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMenu>
#include <QPainter>
#include <QPaintEvent>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <cmath>
#include <map>

namespace veltrax::platform {

namespace {

// The spin control's bar. Each animation step moves it, and the style takes
// longer to draw it than the step takes for anything else of its size; the
// bar looks the same for the same value and state, so each look is drawn
// once and copied after. A look the style leaves partly transparent, and the
// bar while the pointer is over it or a button is held (the arrows then show
// state the bar keeps to itself), are drawn by the style each time.
class CachedScrollBar : public QScrollBar {
public:
    using QScrollBar::QScrollBar;

protected:
    void paintEvent(QPaintEvent* e) override
    {
        if (underMouse() || isSliderDown() || QGuiApplication::mouseButtons() != Qt::NoButton) {
            QScrollBar::paintEvent(e);
            return;
        }
        QStyleOptionSlider opt;
        initStyleOption(&opt);
        opt.subControls = QStyle::SC_All;
        opt.activeSubControls = QStyle::SC_None;
        const qreal dpr = devicePixelRatioF();
        QByteArray key;
        {
            QDataStream out(&key, QIODevice::WriteOnly);
            out << reinterpret_cast<quintptr>(style()) << dpr << opt.rect << static_cast<int>(opt.state)
                << static_cast<int>(opt.direction) << opt.palette.cacheKey() << opt.palette.currentColorGroup()
                << opt.minimum << opt.maximum << opt.sliderPosition << opt.sliderValue << opt.singleStep << opt.pageStep
                << static_cast<int>(opt.orientation) << opt.upsideDown << static_cast<int>(opt.tickPosition)
                << opt.tickInterval << opt.notchTarget << opt.dialWrapping << static_cast<int>(opt.keyboardModifiers);
        }
        auto found = looks_.find(key);
        if (found == looks_.end()) {
            QImage look(QSize(std::max(1, qCeil(width() * dpr)), std::max(1, qCeil(height() * dpr))),
                        QImage::Format_ARGB32_Premultiplied);
            look.setDevicePixelRatio(dpr);
            look.fill(Qt::transparent);
            QPainter p(&look);
            style()->drawComplexControl(QStyle::CC_ScrollBar, &opt, &p, this);
            p.end();
            bool opaque = true;
            for (int y = 0; y < look.height() && opaque; ++y) {
                const auto* row = reinterpret_cast<const QRgb*>(look.constScanLine(y));
                for (int x = 0; x < look.width() && opaque; ++x)
                    opaque = qAlpha(row[x]) == 255;
            }
            if (looks_.size() >= 256)
                looks_.clear();
            found = looks_.emplace(key, opaque ? look : QImage()).first;
        }
        if (found->second.isNull()) {
            QScrollBar::paintEvent(e);
            return;
        }
        QPainter p(this);
        p.drawImage(QPointF(0, 0), found->second);
    }

private:
    std::map<QByteArray, QImage> looks_;
};

}  // namespace

SpinBar::SpinBar(QWidget* parent, int minimum, int maximum) : QWidget(parent), bar_(new CachedScrollBar(Qt::Vertical, this))
{
    bar_->setRange(-maximum, -minimum);
    bar_->setSingleStep(1);
    bar_->setPageStep(1);
    connect(bar_, &QScrollBar::valueChanged, this, [this] { emit Changed(); });
}

void SpinBar::resizeEvent(QResizeEvent*)
{
    bar_->setGeometry(rect());
}

LimitedLineEdit::LimitedLineEdit(QWidget* parent, int typingLimit) : QLineEdit(parent), limit_(typingLimit)
{
    // A dropped text would bypass the limit; the fields take typing and paste.
    setAcceptDrops(false);
}

int LimitedLineEdit::Room() const
{
    return limit_ - static_cast<int>(text().size()) + static_cast<int>(selectedText().size());
}

void LimitedLineEdit::InsertLimited(const QString& s)
{
    QString t = s;
    t.remove(QLatin1Char('\r'));
    t.remove(QLatin1Char('\n'));
    const int room = Room();
    if (room <= 0)
        return;
    insert(t.left(room));
}

void LimitedLineEdit::keyPressEvent(QKeyEvent* e)
{
    if (e->matches(QKeySequence::Paste)) {
        if (!isReadOnly())
            InsertLimited(QApplication::clipboard()->text());
        e->accept();
        return;
    }
    const QString t = e->text();
    const bool printable = !t.isEmpty() && t.at(0).isPrint() &&
                           !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
    if (printable && static_cast<int>(t.size()) > Room()) {
        e->accept();  // refused: the field is full
        return;
    }
    QLineEdit::keyPressEvent(e);
}

void LimitedLineEdit::mouseReleaseEvent(QMouseEvent* e)
{
    // The middle button pastes the X11 selection: held to the limit as well.
    if (e->button() == Qt::MiddleButton && !isReadOnly() && QApplication::clipboard()->supportsSelection()) {
        deselect();
        setCursorPosition(cursorPositionAt(e->position().toPoint()));
        InsertLimited(QApplication::clipboard()->text(QClipboard::Selection));
        e->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(e);
}

void LimitedLineEdit::inputMethodEvent(QInputMethodEvent* e)
{
    // A committed text from an input method counts as typing.
    if (!e->commitString().isEmpty() && static_cast<int>(e->commitString().size()) > Room()) {
        QInputMethodEvent cut(e->preeditString(), e->attributes());
        cut.setCommitString(e->commitString().left(std::max(0, Room())), e->replacementStart(),
                            e->replacementLength());
        QLineEdit::inputMethodEvent(&cut);
        return;
    }
    QLineEdit::inputMethodEvent(e);
}

void LimitedLineEdit::contextMenuEvent(QContextMenuEvent* e)
{
    // The standard menu, with its paste held to the typing limit.
    QMenu* menu = createStandardContextMenu();
    for (QAction* a : menu->actions()) {
        if (a->objectName() == QLatin1String("edit-paste")) {
            disconnect(a, nullptr, nullptr, nullptr);
            connect(a, &QAction::triggered, this, [this] { InsertLimited(QApplication::clipboard()->text()); });
        }
    }
    menu->exec(e->globalPos());
    delete menu;
}

namespace {

// A glyph's smoothed pixels reach at most a pixel past the bounds its font
// gives, and its place is rounded to the pixel by at most another.
constexpr int kInkMargin = 2;

}  // namespace

CaptionLabel::CaptionLabel(QWidget* parent, const QString& caption) : QLabel(parent)
{
    caption_ = caption;
    QString shown = caption;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setText(shown);
    LayOutLines(QStringList());
}

void CaptionLabel::SetCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    const QStringList before = caption_.split(QLatin1Char('\r'));
    std::vector<std::unique_ptr<Line>> old;
    old.swap(lines_);
    caption_ = caption;
    QString shown = caption;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    const QStringList after = LayOutLines(before, &old);

    // QLabel repaints its whole rectangle for a new text, and with it every
    // widget the rectangle overlaps. The results change a few digits at each
    // animation step: with the same number of lines, only the changed part of
    // each line is repainted.
    const bool partial = isVisible() && updatesEnabled() && before.size() == after.size();
    if (!partial) {
        setText(shown);
        Fit();
        return;
    }
    setAttribute(Qt::WA_UpdatesDisabled, true);
    setText(shown);
    setAttribute(Qt::WA_UpdatesDisabled, false);
    const QSize was = size();
    Fit();
    if (size() != was) {
        update();
        return;
    }
    QRegion changed;
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (before.at(i) != after.at(i))
            changed += ChangedPart(*old[static_cast<size_t>(i)], i);
    }
    update(changed);
}

QStringList CaptionLabel::LayOutLines(const QStringList& before, std::vector<std::unique_ptr<Line>>* old)
{
    // Each line is shaped once, when it changes: the repaints draw the shaped
    // lines, and the partial repaint measures them.
    const QStringList after = caption_.split(QLatin1Char('\r'));
    lines_.clear();
    for (qsizetype i = 0; i < after.size(); ++i) {
        const size_t k = static_cast<size_t>(i);
        if (old && k < old->size() && i < before.size() && before.at(i) == after.at(i)) {
            lines_.push_back(std::move((*old)[k]));
            continue;
        }
        lines_.push_back(Shape(after.at(i)));
    }
    return after;
}

std::unique_ptr<CaptionLabel::Line> CaptionLabel::Shape(const QString& text) const
{
    auto line = std::make_unique<Line>(text, font());
    LayOutOneLine(line->layout);
    for (const QGlyphRun& run : line->layout.glyphRuns()) {
        line->fonts.push_back(run.rawFont());
        const QList<quint32> indexes = run.glyphIndexes();
        const QList<QPointF> places = run.positions();
        const QRawFont& font = line->fonts.back();
        for (qsizetype g = 0; g < indexes.size() && g < places.size(); ++g)
            line->glyphs.push_back({line->fonts.size() - 1, indexes.at(g), places.at(g),
                                    font.boundingRect(indexes.at(g)).translated(places.at(g))});
    }
    for (const Line::Glyph& g : line->glyphs)
        line->ink |= g.ink;
    // Left to right, as the comparison of two lines walks them.
    const auto leftOf = [](const Line::Glyph& l, const Line::Glyph& r) { return l.at.x() < r.at.x(); };
    if (!std::is_sorted(line->glyphs.begin(), line->glyphs.end(), leftOf))
        std::stable_sort(line->glyphs.begin(), line->glyphs.end(), leftOf);
    return line;
}

double CaptionLabel::LineTop(qsizetype lines, qsizetype index) const
{
    const QFontMetricsF fm(font());
    const QRectF area = contentsRect();
    const double height = fm.height() * static_cast<double>(lines);
    double y = area.top();
    if (alignment() & Qt::AlignVCenter)
        y += (area.height() - height) / 2;
    else if (alignment() & Qt::AlignBottom)
        y += area.height() - height;
    return y + fm.height() * static_cast<double>(index);
}

double CaptionLabel::LineLeft(const QTextLayout& line) const
{
    const QRectF area = contentsRect();
    double x = area.left();
    if (alignment() & (Qt::AlignHCenter | Qt::AlignRight)) {
        const double w = line.lineAt(0).naturalTextWidth();
        x += (alignment() & Qt::AlignRight) ? area.width() - w : (area.width() - w) / 2;
    }
    return x;
}

QRegion CaptionLabel::ChangedPart(const Line& before, qsizetype i) const
{
    // A glyph drawn from the same font, with the same index, at the same
    // place leaves the same pixels: only the glyphs that are not in both
    // lines are repainted, over their ink and a margin for the smoothing.
    const Line& after = *lines_[static_cast<size_t>(i)];
    const double top = LineTop(static_cast<qsizetype>(lines_.size()), i);
    const double ascentA = before.layout.lineAt(0).ascent(), ascentB = after.layout.lineAt(0).ascent();
    const QFontMetricsF fm(font());
    const QPointF originA(LineLeft(before.layout), top + fm.ascent() - ascentA);
    const QPointF originB(LineLeft(after.layout), top + fm.ascent() - ascentB);
    const int margin = kInkMargin;

    // Neighbouring changed glyphs make one rectangle.
    QRegion changed;
    QRect span;
    auto mark = [&](const Line::Glyph& g, QPointF origin) {
        const QRect r = g.ink.translated(origin).toAlignedRect().adjusted(-margin, -margin, margin, margin);
        if (!span.isNull() && r.left() <= span.right() + 1 && r.right() + 1 >= span.left()) {
            span |= r;
            return;
        }
        if (!span.isNull())
            changed += span;
        span = r;
    };
    const std::vector<Line::Glyph>& a = before.glyphs;
    const std::vector<Line::Glyph>& b = after.glyphs;
    size_t ia = 0, ib = 0;
    while (ia < a.size() || ib < b.size()) {
        const QPointF pa = ia < a.size() ? originA + a[ia].at : QPointF();
        const QPointF pb = ib < b.size() ? originB + b[ib].at : QPointF();
        if (ia < a.size() && ib < b.size() && pa.x() == pb.x() && pa.y() == pb.y()) {
            if (a[ia].index != b[ib].index || !(before.fonts[a[ia].font] == after.fonts[b[ib].font])) {
                mark(a[ia], originA);
                mark(b[ib], originB);
            }
            ++ia;
            ++ib;
        } else if (ib == b.size() || (ia < a.size() && pa.x() <= pb.x())) {
            mark(a[ia++], originA);
        } else {
            mark(b[ib++], originB);
        }
    }
    if (!span.isNull())
        changed += span;
    return changed;
}

void CaptionLabel::changeEvent(QEvent* e)
{
    if (e->type() == QEvent::FontChange)
        LayOutLines(QStringList());
    QLabel::changeEvent(e);
}

void CaptionLabel::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const QFontMetricsF fm(font());
    const int reach = kInkMargin;
    const auto count = static_cast<qsizetype>(lines_.size());
    for (qsizetype i = 0; i < count; ++i) {
        // Only the glyphs that may reach the repainted part are drawn: Qt
        // spends nearly as long on a glyph outside the clip as inside it.
        const double y = LineTop(count, i);
        const Line& line = *lines_[static_cast<size_t>(i)];
        // The baseline one ascent below the line's top, as for text drawn at a point.
        const QPointF origin(LineLeft(line.layout), y + fm.ascent() - line.layout.lineAt(0).ascent());
        if (font().underline() || font().overline() || font().strikeOut()) {
            // The decorations are the line's, not its glyphs'.
            if (e->region().intersects(QRectF(0, y - reach, width(), fm.height() + 2 * reach).toAlignedRect()))
                line.layout.lineAt(0).draw(&p, origin);
            continue;
        }
        const QRegion part = e->region() & line.ink.translated(origin).toAlignedRect().adjusted(-reach, -reach, reach, reach);
        if (part.isEmpty())
            continue;
        // The columns of the repainted part, in the layout's own coordinates
        // and widened by the margin: a glyph whose ink reaches one is drawn
        // (the part already holds the line's rows).
        std::vector<std::pair<double, double>> columns;
        for (const QRect& r : part) {
            const double from = r.left() - origin.x() - reach, to = r.right() + 1 - origin.x() + reach;
            if (!columns.empty() && from <= columns.back().second && to >= columns.back().first) {
                columns.back() = {std::min(from, columns.back().first), std::max(to, columns.back().second)};
                continue;
            }
            columns.push_back({from, to});
        }
        std::vector<QList<quint32>> indexes(line.fonts.size());
        std::vector<QList<QPointF>> places(line.fonts.size());
        for (const Line::Glyph& g : line.glyphs) {
            for (const auto& [from, to] : columns) {
                if (g.ink.right() >= from && g.ink.left() <= to) {
                    indexes[g.font].append(g.index);
                    places[g.font].append(g.at);
                    break;
                }
            }
        }
        for (size_t f = 0; f < line.fonts.size(); ++f) {
            if (indexes[f].isEmpty())
                continue;
            QGlyphRun run;
            run.setRawFont(line.fonts[f]);
            run.setGlyphIndexes(indexes[f]);
            run.setPositions(places[f]);
            p.drawGlyphRun(origin, run);
        }
    }
}

void CaptionLabel::SetAutoSize(bool on)
{
    autoSize_ = on;
    designSize_ = size();
    fittedLines_.clear();
    Fit();
}

void CaptionLabel::Fit()
{
    if (!autoSize_)
        return;
    // Laying the text out for its size is the costly part of a new caption;
    // captions with lines of the same lengths (the results, recalculated at
    // every animation step) keep the size already fitted.
    QList<qsizetype> lines;
    for (const auto& line : caption_.split(QLatin1Char('\r')))
        lines.append(line.size());
    if (lines == fittedLines_)
        return;
    fittedLines_ = lines;
    const QSize hint = sizeHint();
    resize(std::max(designSize_.width(), hint.width()), std::max(designSize_.height(), hint.height()));
}

void SetToolTipCaption(QWidget* w, const QString& caption)
{
    w->setProperty("toolTipCaption", caption);
    QString shown = caption;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    w->setToolTip(shown);
}

QString ToolTipCaption(const QWidget* w)
{
    return w->property("toolTipCaption").toString();
}

}  // namespace veltrax::platform
