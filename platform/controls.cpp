#include "platform/controls.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>

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

void CaptionLabel::SetAutoSize(bool on)
{
    autoSize_ = on;
    designSize_ = size();
    Fit();
}

void CaptionLabel::Fit()
{
    if (!autoSize_)
        return;
    const QSize hint = sizeHint();
    resize(std::max(designSize_.width(), hint.width()), std::max(designSize_.height(), hint.height()));
}

}  // namespace veltrax::platform
