// SPDX-License-Identifier: GPL-3.0-or-later
// The window's language: its texts are written in Japanese, and English comes
// from the translation built into the program (":/i18n/veltrax_en.qm").
#pragma once

#include "results/language.h"

namespace veltrax {

// Installs the translation for `language` in the application (Japanese: none,
// the texts as written) and returns the language in force: Japanese when the
// English translation cannot be loaded. Needs the QApplication.
Language UseLanguage(Language language);

// The language installed last (Japanese before any).
Language LanguageInUse();

}  // namespace veltrax
