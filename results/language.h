// SPDX-License-Identifier: GPL-3.0-or-later
// The language the window and the companion's calendar files speak:
// Japanese, as they always have, or English. The first choice made wins:
// --lang on the command line, then [View] language in the settings file,
// then the user's interface language from the environment.
#pragma once

#include <optional>
#include <string_view>

namespace veltrax {

enum class Language { Japanese, English };

// "ja" or "en" (as --lang and the settings file write them); nullopt for
// anything else.
std::optional<Language> ParseLanguage(std::string_view code);
const char* LanguageCode(Language language);

// The interface language the environment asks for: the first entry of
// LANGUAGE (a colon-separated list), else the first of LC_ALL, LC_MESSAGES
// and LANG that is set and not empty. English when that names English
// ("en", "en_GB.UTF-8", "en-US"); Japanese for Japanese, for "C" and "POSIX",
// for every other language and when nothing is set. A null pointer is an
// unset variable.
Language LanguageFromEnvironment(const char* language, const char* lcAll, const char* lcMessages, const char* lang);

// The same from this process's environment.
Language EnvironmentLanguage();

// The first choice made: the command line's, the settings file's, else the
// environment's.
inline Language ChooseLanguage(std::optional<Language> commandLine, std::optional<Language> settings,
                               Language environment)
{
    return commandLine ? *commandLine : settings ? *settings : environment;
}

}  // namespace veltrax
