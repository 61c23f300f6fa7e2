// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/background_menu.h"

#include "window/window_shortcuts.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QWidget>
#include <tuple>

namespace veltrax {

BackgroundMenu::BackgroundMenu(QWidget* window, std::initializer_list<QWidget*> pictures)
    : QObject(window), window_(window), menu_(new QMenu(window))
{
    menu_->setObjectName(QStringLiteral("backgroundMenu"));
    connect(Add(QT_TR_NOOP("大赤斑の経度…"), "grsAction", QKeySequence(Qt::CTRL | Qt::Key_G)), &QAction::triggered,
            this, &BackgroundMenu::grsRequested);
    shadows_ = Add(QT_TR_NOOP("衛星の影"), "shadowsAction", QKeySequence(Qt::CTRL | Qt::Key_H));
    precise_ = Add(QT_TR_NOOP("正確な衛星位置"), "preciseAction", QKeySequence());
    mirror_ = Add(QT_TR_NOOP("天頂ミラー（左右反転）"), "mirrorAction", QKeySequence());
    grid_ = Add(QT_TR_NOOP("経度線"), "gridAction", QKeySequence());
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
    connect(Add(QT_TR_NOOP("衛星現象…"), "planAction", QKeySequence(Qt::CTRL | Qt::Key_E)), &QAction::triggered,
            this, &BackgroundMenu::planRequested);
    // The languages, each named in itself.
    menu_->addSeparator();
    auto* languages = new QActionGroup(this);
    for (const auto& [language, name, objectName] :
         {std::tuple{Language::Japanese, "日本語", "japaneseAction"}, std::tuple{Language::English, "English", "englishAction"}}) {
        QAction* a = menu_->addAction(QString::fromUtf8(name));
        a->setObjectName(QString::fromLatin1(objectName));
        a->setCheckable(true);
        languages->addAction(a);
        connect(a, &QAction::triggered, this, [this, l = language] { emit languageChosen(l); });
        (language == Language::English ? english_ : japanese_) = a;
    }
    new WindowShortcuts(window);  // the shortcuts from inside the fields too

    window->setContextMenuPolicy(Qt::CustomContextMenu);
    for (QWidget* p : pictures)
        p->setContextMenuPolicy(Qt::PreventContextMenu);
    connect(window, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { menu_->popup(window_->mapToGlobal(at)); });
}

QAction* BackgroundMenu::Add(const char* text, const char* name, const QKeySequence& shortcut)
{
    QAction* a = menu_->addAction(tr(text));
    texts_.push_back({a, text});
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

void BackgroundMenu::ShowLanguage(Language language)
{
    (language == Language::English ? english_ : japanese_)->setChecked(true);
    for (const auto& [action, source] : texts_)
        action->setText(tr(source));
}

}  // namespace veltrax
