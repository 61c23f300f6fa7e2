// SPDX-License-Identifier: GPL-3.0-or-later
// The window's Japanese fonts, by the names it was designed with.
#pragma once

namespace veltrax::platform {

// Maps "ＭＳ ゴシック", "ＭＳ Ｐゴシック" and "ＭＳ 明朝" to the IPA fonts where
// those are not installed (Debian: fonts-ipafont-gothic, fonts-ipafont-mincho).
void InstallFontSubstitutes();

}  // namespace veltrax::platform
