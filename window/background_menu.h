// SPDX-License-Identifier: GPL-3.0-or-later
// The menu of the window's background (a right click beside the picture):
// the spot's longitude, the picture's switches (the satellites' shadows,
// their precise places, the star diagonal's mirror, the longitude grid) and
// the night plan, and the window's language. Each item's shortcut works anywhere in the window, also
// with the focus in a date or time field. The check marks show the view
// state's switches; the menu reads nothing back from them.
#pragma once

#include "results/language.h"
#include "view/view_state.h"

#include <QObject>
#include <initializer_list>
#include <utility>
#include <vector>

class QAction;
class QMenu;
class QWidget;

namespace veltrax {

class BackgroundMenu : public QObject {
    Q_OBJECT
public:
    // Opens on a right click on window's background; the pictures keep their
    // right button to themselves.
    BackgroundMenu(QWidget* window, std::initializer_list<QWidget*> pictures);

    // The check marks for the switches in force (no signal).
    void Show(const ViewSwitches& switches);
    // The language in force checked, and the items in it (no signal).
    void ShowLanguage(Language language);

signals:
    void grsRequested();                        // "大赤斑の経度…" (Ctrl+G)
    void switchesChosen(ViewSwitches switches);  // the observer switched one item
    void planRequested();                       // "衛星現象…" (Ctrl+E)
    void languageChosen(Language language);     // "日本語" or "English"

private:
    // An item whose text is the translation of `text`.
    QAction* Add(const char* text, const char* name, const QKeySequence& shortcut);

    QWidget* window_;
    QMenu* menu_;
    QAction *shadows_, *precise_, *mirror_, *grid_;
    QAction *japanese_ = nullptr, *english_ = nullptr;
    std::vector<std::pair<QAction*, const char*>> texts_;  // the items and their Japanese texts
    ViewSwitches shown_;
};

}  // namespace veltrax
