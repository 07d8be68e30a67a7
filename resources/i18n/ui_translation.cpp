#include "resources/i18n/ui_translation.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

UiLanguage installed = UiLanguage::Russian;

} // namespace

void installUiTranslations(QCoreApplication& app, UiLanguage language)
{
    installed = language;
    const QLocale locale(language == UiLanguage::English ? QLocale::English : QLocale::Russian);
    // Qt's own words are English in its sources: only Russian needs their translation.
    if (language == UiLanguage::Russian) {
        auto* qt = new QTranslator(&app);
        if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            QCoreApplication::installTranslator(qt);
        return;
    }
    auto* own = new QTranslator(&app);
    if (own->load(QStringLiteral(":/i18n/varnel_en.qm")))
        QCoreApplication::installTranslator(own);
}

UiLanguage uiLanguage() { return installed; }

QString translatedText(const char* context, std::string_view text)
{
    const QByteArray source(text.data(), static_cast<qsizetype>(text.size()));
    return QCoreApplication::translate(context, source.constData());
}

QString userText(const Status& status)
{
    return QString::fromStdString(installed == UiLanguage::English ? status.reason() : status.userReason());
}
