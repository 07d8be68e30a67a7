#pragma once

#include <optional>
#include <string_view>

// The language of the program's texts. Russian is the source language and the default.
enum class UiLanguage { Russian, English };

// "ru" or "en"; anything else is no language.
std::optional<UiLanguage> uiLanguageNamed(std::string_view name);
const char* uiLanguageName(UiLanguage language);

// The language the locale asks for, from LC_ALL, LC_MESSAGES and LANG (the first one set wins, as
// setlocale reads them): Russian for a Russian locale and for none at all (unset, "C", "POSIX"),
// English for every other language. Null pointers stand for unset variables.
UiLanguage uiLanguageOfLocale(const char* lcAll, const char* lcMessages, const char* lang);
// The same for this process's environment.
UiLanguage uiLanguageOfEnvironment();
