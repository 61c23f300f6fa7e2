// SPDX-License-Identifier: GPL-3.0-or-later
// The window's Japanese fonts, by the names it was designed with.
#pragma once

class QTextLayout;

namespace veltrax::platform {

// Maps "ＭＳ ゴシック", "ＭＳ Ｐゴシック" and "ＭＳ 明朝" to the IPA fonts where
// those are not installed (Debian: fonts-ipafont-gothic, fonts-ipafont-mincho).
void InstallFontSubstitutes();

// Lays the layout's text out as one line, shaped once and kept: the layout
// is then drawn, and its glyphs read, without shaping it again.
void LayOutOneLine(QTextLayout& layout);

}  // namespace veltrax::platform
