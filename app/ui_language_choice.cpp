#include "app/ui_language_choice.h"

#include "document/settings.h"

#include <QDir>
#include <QFileInfo>
#include <QInputDialog>
#include <QStringList>

namespace {

constexpr const char* kLanguageKey = "LANGUAGE";

} // namespace

std::optional<UiLanguage> storedUiLanguage(const CSettings& settings)
{
    return uiLanguageNamed(settings.getString(kLanguageKey, ""));
}

void storeUiLanguage(CSettings& settings, UiLanguage language)
{
    settings.setString(kLanguageKey, uiLanguageName(language));
}

QString helpFileFor(const QString& russianHelp, UiLanguage language)
{
    if (language != UiLanguage::English || russianHelp.isEmpty())
        return russianHelp;
    const QFileInfo russian(russianHelp);
    const QString english = russian.dir().filePath(russian.completeBaseName() + QStringLiteral(".en.") + russian.suffix());
    return QFileInfo(english).isReadable() ? english : russianHelp;
}

std::optional<UiLanguage> askUiLanguage(QWidget* parent, UiLanguage current)
{
    // Each language is named in itself: whoever cannot read the current one still finds their own.
    const QStringList names{QStringLiteral("Русский"), QStringLiteral("English")};
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, QStringLiteral("Язык / Language"),
                                                 QStringLiteral("Язык программы / Program language:"), names,
                                                 current == UiLanguage::English ? 1 : 0, false, &ok);
    if (!ok)
        return std::nullopt;
    return chosen == names[1] ? UiLanguage::English : UiLanguage::Russian;
}
