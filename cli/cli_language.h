#pragma once

#include "document/status.h"
#include "resources/ui_language.h"

#include <string>
#include <vector>

// The language of varnel-cli's human lines. The error lines are English, the words scripts match, unless
// --lang ru or a Russian locale asks for Russian; the drawn report follows the program's own rule
// (Russian for a Russian locale or none, English otherwise), and --lang decides both.
struct CliLanguage {
    bool russianLines = false;
    UiLanguage report = UiLanguage::Russian;
};

// Takes "--lang ru|en" (or "--lang=ru|en") out of `args`, wherever it stands. False with `error` set when
// the language is neither.
bool takeCliLanguage(std::vector<std::string>& args, std::string& error);
const CliLanguage& cliLanguage();

// A failure's reason in the language of the error lines.
const std::string& cliReason(const Status& status);

// varnel-cli's own phrases come in two wordings, as the core's failures do: the English one scripts
// match and the Russian one; this is the one of the error lines' language.
std::string cliText(std::string english, std::string russian);
