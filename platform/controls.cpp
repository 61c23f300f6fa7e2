// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QMenu>
#include <QPainter>
#include <QPaintEvent>

namespace veltrax::platform {

SpinBar::SpinBar(QWidget* parent, int minimum, int maximum) : QWidget(parent), bar_(new QScrollBar(Qt::Vertical, this))
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

CaptionLabel::CaptionLabel(QWidget* parent, const QString& caption) : QLabel(parent)
{
    SetCaption(caption);
}

void CaptionLabel::SetCaption(const QString& caption)
{
    caption_ = caption;
    QString shown = caption;
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    setText(shown);
    Fit();
}

void CaptionLabel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(font());
    p.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, foregroundRole()));
    const QFontMetricsF fm(font());
    const QStringList lines = caption_.split(QLatin1Char('\r'));
    const QRectF area = contentsRect();
    const double height = fm.height() * lines.size();
    double y = area.top();
    if (alignment() & Qt::AlignVCenter)
        y += (area.height() - height) / 2;
    else if (alignment() & Qt::AlignBottom)
        y += area.height() - height;
    for (const QString& line : lines) {
        double x = area.left();
        if (alignment() & (Qt::AlignHCenter | Qt::AlignRight)) {
            const double w = fm.horizontalAdvance(line);
            x += (alignment() & Qt::AlignRight) ? area.width() - w : (area.width() - w) / 2;
        }
        p.drawText(QPointF(x, y + fm.ascent()), line);
        y += fm.height();
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

}  // namespace veltrax::platform
