// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/background_menu.h"

#include "window/window_shortcuts.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>

namespace veltrax {

BackgroundMenu::BackgroundMenu(QWidget* window, std::initializer_list<QWidget*> pictures)
    : QObject(window), window_(window), menu_(new QMenu(window))
{
    menu_->setObjectName(QStringLiteral("backgroundMenu"));
    connect(Add(QStringLiteral("大赤斑の経度…"), "grsAction", QKeySequence(Qt::CTRL | Qt::Key_G)), &QAction::triggered,
            this, &BackgroundMenu::grsRequested);
    shadows_ = Add(QStringLiteral("衛星の影"), "shadowsAction", QKeySequence(Qt::CTRL | Qt::Key_H));
    precise_ = Add(QStringLiteral("正確な衛星位置"), "preciseAction", QKeySequence());
    mirror_ = Add(QStringLiteral("天頂ミラー（左右反転）"), "mirrorAction", QKeySequence());
    grid_ = Add(QStringLiteral("経度線"), "gridAction", QKeySequence());
    const std::pair<QAction*, bool ViewSwitches::*> items[] = {{shadows_, &ViewSwitches::shadows},
                                                                {precise_, &ViewSwitches::precise},
                                                                {mirror_, &ViewSwitches::mirror},
                                                                {grid_, &ViewSwitches::grid}};
    for (const auto& [action, member] : items) {
        action->setCheckable(true);
        // triggered: the observer's switch (or trigger()), never Show(). The
        // switch shown is turned over; the window shows the outcome.
        connect(action, &QAction::triggered, this, [this, m = member] {
            ViewSwitches s = shown_;
            s.*m = !(shown_.*m);
            emit switchesChosen(s);
        });
    }
    connect(Add(QStringLiteral("衛星現象…"), "planAction", QKeySequence(Qt::CTRL | Qt::Key_E)), &QAction::triggered,
            this, &BackgroundMenu::planRequested);
    new WindowShortcuts(window);  // the shortcuts from inside the fields too

    window->setContextMenuPolicy(Qt::CustomContextMenu);
    for (QWidget* p : pictures)
        p->setContextMenuPolicy(Qt::PreventContextMenu);
    connect(window, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(window_->mapToGlobal(at)); });
}

QAction* BackgroundMenu::Add(const QString& text, const char* name, const QKeySequence& shortcut)
{
    QAction* a = menu_->addAction(text);
    a->setObjectName(QString::fromLatin1(name));
    if (!shortcut.isEmpty()) {
        a->setShortcut(shortcut);
        a->setShortcutContext(Qt::WindowShortcut);
        window_->addAction(a);  // the shortcut works with the menu closed
    }
    return a;
}

void BackgroundMenu::Show(const ViewSwitches& switches)
{
    shown_ = switches;
    shadows_->setChecked(switches.shadows);
    precise_->setChecked(switches.precise);
    mirror_->setChecked(switches.mirror);
    grid_->setChecked(switches.grid);
}

}  // namespace veltrax
