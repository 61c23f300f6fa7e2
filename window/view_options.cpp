// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/view_options.h"

#include <QAction>
#include <QMenu>

namespace veltrax {

ViewOptions::ViewOptions(QMenu* menu, QObject* parent) : QObject(parent)
{
    const auto item = [this, menu](const QString& text, const char* name) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setCheckable(true);
        // triggered: the user's switch (or trigger()), never SetChoices.
        connect(a, &QAction::triggered, this, &ViewOptions::Toggled);
        return a;
    };
    precise_ = item(QStringLiteral("正確な衛星位置"), "preciseAction");
    mirror_ = item(QStringLiteral("天頂ミラー（左右反転）"), "mirrorAction");
    grid_ = item(QStringLiteral("経度線"), "gridAction");
}

ViewChoices ViewOptions::Choices() const
{
    return ViewChoices{precise_->isChecked(), mirror_->isChecked(), grid_->isChecked()};
}

void ViewOptions::SetChoices(const ViewChoices& choices)
{
    precise_->setChecked(choices.precise);
    mirror_->setChecked(choices.mirror);
    grid_->setChecked(choices.grid);
}

}  // namespace veltrax
