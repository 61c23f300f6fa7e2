// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/window_shortcuts.h"

#include <QAction>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QWidget>

namespace veltrax {

WindowShortcuts::WindowShortcuts(QWidget* window) : QObject(window), window_(window)
{
    for (QLineEdit* field : window->findChildren<QLineEdit*>())
        field->installEventFilter(this);
}

bool WindowShortcuts::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QKeySequence pressed(key->keyCombination());
    for (const QAction* a : window_->actions())
        if (a->isEnabled() && a->shortcuts().contains(pressed)) {
            // Left unaccepted, the override lets the shortcut fire.
            event->ignore();
            return true;
        }
    return QObject::eventFilter(watched, event);
}

}  // namespace veltrax
