// SPDX-License-Identifier: GPL-3.0-or-later
// The picture's view options in the window's background menu: the satellites'
// places from the precise theory, the star diagonal's mirrored view and the
// longitude grid on the disk, each a checkable item. The window reads the choices when it draws and is told
// when the user switches one.
#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace veltrax {

struct ViewChoices {
    bool precise = false;  // the satellites' places and order from the precise theory
    bool mirror = false;   // left and right exchanged, as through a star diagonal
    bool grid = false;     // System II meridians on the disk, and the read-out under the pointer
};

class ViewOptions : public QObject {
    Q_OBJECT
public:
    // Adds the items at the end of menu; parent owns the object.
    ViewOptions(QMenu* menu, QObject* parent);

    ViewChoices Choices() const;
    // Sets the check marks as the settings give them, without Toggled.
    void SetChoices(const ViewChoices& choices);

    QAction* PreciseAction() const { return precise_; }
    QAction* MirrorAction() const { return mirror_; }
    QAction* GridAction() const { return grid_; }

signals:
    // The user switched an item; Choices() already holds the new state.
    void Toggled();

private:
    QAction* precise_;
    QAction* mirror_;
    QAction* grid_;
};

}  // namespace veltrax
