// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/language.h"

#include <cstdlib>
#include <string>

namespace veltrax {

std::optional<Language> ParseLanguage(std::string_view code)
{
    if (code == "ja")
        return Language::Japanese;
    if (code == "en")
        return Language::English;
    return std::nullopt;
}

const char* LanguageCode(Language language)
{
    return language == Language::English ? "en" : "ja";
}

namespace {

// A locale name's language part: "en" of "en_GB.UTF-8@euro" or "en-US".
std::string_view LanguagePart(std::string_view locale)
{
    const size_t end = locale.find_first_of("_-.@");
    return end == std::string_view::npos ? locale : locale.substr(0, end);
}

}  // namespace

Language LanguageFromEnvironment(const char* language, const char* lcAll, const char* lcMessages, const char* lang)
{
    std::string_view chosen;
    if (language && *language) {
        const std::string_view list(language);
        chosen = list.substr(0, list.find(':'));
    }
    for (const char* v : {lcAll, lcMessages, lang}) {
        if (!chosen.empty())
            break;
        if (v && *v)
            chosen = v;
    }
    return LanguagePart(chosen) == "en" ? Language::English : Language::Japanese;
}

Language EnvironmentLanguage()
{
    return LanguageFromEnvironment(std::getenv("LANGUAGE"), std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"),
                                   std::getenv("LANG"));
}

}  // namespace veltrax
