// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own shortcuts win over a text field's editing keys: on Linux
// desktops a line edit claims Ctrl+E (end of line) and others before the
// window sees them, so with the focus in a date or time field, where it
// almost always is, the window's Ctrl+E would never fire.
#pragma once

#include <QObject>

class QWidget;

namespace veltrax {

class WindowShortcuts : public QObject {
    Q_OBJECT
public:
    // Watches every line edit inside window (a child of window, deleted with it).
    explicit WindowShortcuts(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
};

}  // namespace veltrax
