#include "resources/i18n/ui_translation.h"

#include "resources/unit_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QTranslator>

#include <vector>

namespace {

UiLanguage installed = UiLanguage::Russian;
// Guarded: an application object that ends takes its translators with it.
std::vector<QPointer<QTranslator>> translators;

void install(QTranslator* translator)
{
    QCoreApplication::installTranslator(translator);
    translators.push_back(translator);
}

} // namespace

void installUiTranslations(QCoreApplication& app, UiLanguage language)
{
    removeUiTranslations();
    installed = language;
    const QLocale locale(language == UiLanguage::English ? QLocale::English : QLocale::Russian);
    // Qt's own words are English in its sources: only Russian needs their translation.
    if (language == UiLanguage::Russian) {
        auto* qt = new QTranslator(&app);
        if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
            install(qt);
        return;
    }
    auto* own = new QTranslator(&app);
    if (own->load(QStringLiteral(":/i18n/varnel_en.qm")))
        install(own);
}

void removeUiTranslations()
{
    for (const QPointer<QTranslator>& translator : translators) {
        if (!translator)
            continue;
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
    translators.clear();
    installed = UiLanguage::Russian;
}

UiLanguage uiLanguage() { return installed; }

QString translatedText(const char* context, std::string_view text)
{
    const QByteArray source(text.data(), static_cast<qsizetype>(text.size()));
    return QCoreApplication::translate(context, source.constData());
}

QString translatedUnit(std::string_view unit)
{
    return translatedText("Units", unit);
}

QString translatedCell(const char* context, std::string_view cell)
{
    const QString source = QString::fromUtf8(cell.data(), static_cast<qsizetype>(cell.size()));
    if (const QString whole = translatedText(context, cell); whole != source)
        return whole;
    for (const std::string_view unit : kUnitTexts) {
        if (cell.size() > unit.size() && cell.ends_with(unit) && cell[cell.size() - unit.size() - 1] == ' ')
            return source.left(source.size() - QString::fromUtf8(unit.data(), static_cast<qsizetype>(unit.size())).size()) +
                   translatedUnit(unit);
    }
    return source;
}

QString userText(const Status& status)
{
    return QString::fromStdString(installed == UiLanguage::English ? status.reason() : status.userReason());
}

Status windowFailure(const QString& text)
{
    const std::string wording = text.toStdString();
    return Status::failure(wording, wording);
}
