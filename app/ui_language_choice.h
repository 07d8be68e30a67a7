#pragma once

#include "resources/ui_language.h"

#include <QString>
#include <optional>

class CSettings;
class QWidget;

// The language chosen in "Язык / Language", kept in param.ini under a key of its own (older copies of
// the program keep it unread); none when the user never chose.
std::optional<UiLanguage> storedUiLanguage(const CSettings& settings);
void storeUiLanguage(CSettings& settings, UiLanguage language);

// The help page of `language`: the English one beside the Russian `russianHelp`, when it is there.
QString helpFileFor(const QString& russianHelp, UiLanguage language);

// Asks for the language, `current` preselected; none when cancelled. The dialog speaks both languages.
std::optional<UiLanguage> askUiLanguage(QWidget* parent, UiLanguage current);
