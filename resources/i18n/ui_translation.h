#pragma once

#include "document/status.h"
#include "resources/ui_language.h"

#include <QString>
#include <string_view>

class QCoreApplication;

// Installs the translators of `language` on the application object: the program's own texts (English
// from the varnel_en.qm built into the program) and Qt's own words (standard buttons, dialogs, the
// command line's usage) from Qt's installed translations. Call once, before any window is made.
void installUiTranslations(QCoreApplication& app, UiLanguage language);

// Takes the translators back out: the program's source texts, Russian, again.
void removeUiTranslations();

// The language installed last; Russian, the source language, before any.
UiLanguage uiLanguage();

// A text of the Qt-free core (marked with VARNEL_TRANSLATE_NOOP under `context`) in the program's
// language.
QString translatedText(const char* context, std::string_view text);

// A cell or line of the core (a table cell, a readout) in the program's language: its translation under
// `context` when it has one, else the same text with a unit after its number ("12.50 м") translated.
QString translatedCell(const char* context, std::string_view cell);
// A unit of the core ("м", "мкс") in the program's language.
QString translatedUnit(std::string_view unit);

// A failure's wording for the window: the Russian text in Russian, the English line in English.
QString userText(const Status& status);

// A refusal of a window's own, already in the program's language (a tr() text): both wordings are it.
Status windowFailure(const QString& text);
