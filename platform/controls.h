// SPDX-License-Identifier: GPL-3.0-or-later
// Small controls the window needs beyond what Qt offers as it is.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QRawFont>
#include <QScrollBar>
#include <QTextLayout>

#include <memory>
#include <vector>

namespace veltrax::platform {

// A spin control: a small vertical scroll bar whose upper arrow raises the
// value by one and whose lower arrow lowers it. Qt's vertical scroll bar
// always subtracts at its upper arrow, so the bar holds the negated value.
// Changed() is emitted only on a real change of the value; values outside the
// range are clamped.
class SpinBar : public QWidget {
    Q_OBJECT
public:
    SpinBar(QWidget* parent, int minimum, int maximum);

    int Value() const { return -bar_->value(); }
    void SetValue(int v) { bar_->setValue(-v); }
    int Min() const { return -bar_->maximum(); }
    int Max() const { return -bar_->minimum(); }

    // The arrows, as a click on them does it.
    void StepUp() { bar_->triggerAction(QAbstractSlider::SliderSingleStepSub); }
    void StepDown() { bar_->triggerAction(QAbstractSlider::SliderSingleStepAdd); }

    QScrollBar* Bar() const { return bar_; }

signals:
    void Changed();

protected:
    void resizeEvent(QResizeEvent*) override;

private:
    QScrollBar* bar_;
};

// A text field whose typed input is limited to a number of characters; text
// written by the program is never cut. Every change of the text, typed or
// written, runs textChanged at once.
class LimitedLineEdit : public QLineEdit {
    Q_OBJECT
public:
    LimitedLineEdit(QWidget* parent, int typingLimit);
    int TypingLimit() const { return limit_; }

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void inputMethodEvent(QInputMethodEvent* e) override;
    void contextMenuEvent(QContextMenuEvent* e) override;

private:
    // Inserts text as typing would, cut to what the limit leaves room for.
    void InsertLimited(const QString& text);
    int Room() const;

    int limit_;
};

// A label whose caption keeps single carriage returns between lines and shows
// each as a line break.
class CaptionLabel : public QLabel {
    Q_OBJECT
public:
    explicit CaptionLabel(QWidget* parent, const QString& caption = QString());
    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    // Grows the label to show its whole caption (never below its design
    // size): the results labels hold more lines than their design height.
    void SetAutoSize(bool on);

protected:
    // Draws the lines itself: the results change at every animation step, and
    // a line drawn at a point costs much less than the style's laid-out text.
    // Only the glyphs the repainted part reaches are drawn.
    void paintEvent(QPaintEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Fit();
    // One line of the caption, shaped once: drawn at every repaint, and
    // compared glyph by glyph with the line it replaces.
    struct Line {
        Line(const QString& text, const QFont& font) : layout(text, font) {}
        struct Glyph {
            size_t font;  // in fonts
            quint32 index;
            QPointF at;  // from the layout's origin
            QRectF ink;  // from the layout's origin
        };
        QTextLayout layout;
        std::vector<QRawFont> fonts;
        std::vector<Glyph> glyphs;  // left to right
        QRectF ink;  // the bounds of all the glyphs' ink, from the layout's origin
    };
    // Shapes the caption's lines; a line equal to the same line of `before`
    // keeps its layout, moved from `old` (where the changed lines remain).
    QStringList LayOutLines(const QStringList& before, std::vector<std::unique_ptr<Line>>* old = nullptr);
    std::unique_ptr<Line> Shape(const QString& text) const;
    // Where line `index` of `lines` starts, in the label's pixels.
    double LineTop(qsizetype lines, qsizetype index) const;
    double LineLeft(const QTextLayout& line) const;
    // What must be repainted of line i when it replaces `before`.
    QRegion ChangedPart(const Line& before, qsizetype i) const;

    QString caption_;
    bool autoSize_ = false;
    QSize designSize_;
    QList<qsizetype> fittedLines_;  // line lengths the size was last fitted to
    std::vector<std::unique_ptr<Line>> lines_;  // the caption's lines, shaped
};

// A tool tip as the program writes it, carriage returns between lines kept
// (Qt shows them as line breaks); ToolTipCaption reads it back as written.
void SetToolTipCaption(QWidget* w, const QString& caption);
QString ToolTipCaption(const QWidget* w);

}  // namespace veltrax::platform
