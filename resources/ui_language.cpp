#include "resources/ui_language.h"

#include <cstdlib>

std::optional<UiLanguage> uiLanguageNamed(std::string_view name)
{
    if (name == "ru")
        return UiLanguage::Russian;
    if (name == "en")
        return UiLanguage::English;
    return std::nullopt;
}

const char* uiLanguageName(UiLanguage language) { return language == UiLanguage::English ? "en" : "ru"; }

UiLanguage uiLanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang)
{
    std::string_view locale;
    for (const char* v : {lcAll, lcMessages, lang})
        if (v && *v) {
            locale = v;
            break;
        }
    // A minimal container or CI runs without a language: the program stays in its own, Russian.
    if (locale.empty() || locale == "C" || locale == "POSIX" || locale.starts_with("C.") || locale.starts_with("ru"))
        return UiLanguage::Russian;
    return UiLanguage::English;
}

UiLanguage uiLanguageOfEnvironment()
{
    return uiLanguageOfLocale(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}
