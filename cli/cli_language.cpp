#include "cli/cli_language.h"

#include <cstdlib>
#include <string_view>
#include <utility>

namespace {

CliLanguage chosen;

// The locale's own language (LC_ALL, LC_MESSAGES, LANG, the first one set), without the program's
// default for no language at all.
bool localeIsRussian()
{
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* v = std::getenv(name); v && *v)
            return std::string_view(v).starts_with("ru");
    return false;
}

} // namespace

bool takeCliLanguage(std::vector<std::string>& args, std::string& error)
{
    chosen.russianLines = localeIsRussian();
    chosen.report = uiLanguageOfEnvironment();
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string value;
        std::size_t count = 1;
        if (args[i].starts_with("--lang=")) {
            value = args[i].substr(7);
        } else if (args[i] == "--lang") {
            if (i + 1 >= args.size()) {
                error = cliText("--lang needs ru or en", "после --lang нужно ru или en");
                return false;
            }
            value = args[i + 1];
            count = 2;
        } else {
            continue;
        }
        const std::optional<UiLanguage> language = uiLanguageNamed(value);
        if (!language) {
            error = cliText("bad --lang " + value + ": ru or en is needed",
                            "неверный --lang " + value + ": нужно ru или en");
            return false;
        }
        chosen.report = *language;
        chosen.russianLines = *language == UiLanguage::Russian;
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i + count));
        --i;
    }
    return true;
}

const CliLanguage& cliLanguage() { return chosen; }

const std::string& cliReason(const Status& status)
{
    return chosen.russianLines ? status.userReason() : status.reason();
}

std::string cliText(std::string english, std::string russian)
{
    return chosen.russianLines ? std::move(russian) : std::move(english);
}
