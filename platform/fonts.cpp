// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fonts.h"

#include <QFont>
#include <QTextLayout>

namespace veltrax::platform {

void InstallFontSubstitutes()
{
    QFont::insertSubstitution(QStringLiteral("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic"));
    QFont::insertSubstitution(QStringLiteral("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
}

void LayOutOneLine(QTextLayout& layout)
{
    layout.setCacheEnabled(true);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
}

}  // namespace veltrax::platform
