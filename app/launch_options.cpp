#include "app/launch_options.h"

#include "device/port_choice.h"
#include "resources/i18n/ui_translation.h"
#include "resources/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace {

// The options in the program's language; the parser's own words (usage, options, help, version) come
// from Qt's translations once the application object has the translators.
struct LaunchParser {
    LaunchParser()
        : port(QStringLiteral("port"),
               QCoreApplication::translate("LaunchOptions",
                                           "Порт прибора: путь к устройству (/dev/ttyUSB0), \"auto\" (первый "
                                           "USB-мост прибора) или \"sim\" (встроенный имитатор прибора)."),
               QStringLiteral("PORT")),
          start(QStringLiteral("start"),
                QCoreApplication::translate("LaunchOptions", "Начать измерение, как только откроется окно.")),
          configDir(QStringLiteral("config-dir"),
                    QCoreApplication::translate("LaunchOptions", "Папка для param.ini и папки Save вместо обычных."),
                    QStringLiteral("DIR")),
          lang(QStringLiteral("lang"),
               QCoreApplication::translate("LaunchOptions",
                                           "Язык программы: ru (русский) или en (английский); без него язык "
                                           "выбирают настройка \"Язык / Language\" и локаль."),
               QStringLiteral("ru|en"))
    {
        parser.setApplicationDescription(QCoreApplication::translate("LaunchOptions", "Рефлектометр импульсный VARNEL"));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({port, start, configDir, lang});
    }

    QCommandLineParser parser;
    QCommandLineOption port;
    QCommandLineOption start;
    QCommandLineOption configDir;
    QCommandLineOption lang;
};

bool wantsHelp(const QCommandLineParser& parser)
{
    return parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all"));
}

QStringList argumentsOf(int argc, char** argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

// A wrong port name is refused at once rather than becoming "auto" behind the user's back.
QString portError(const LaunchParser& p)
{
    if (!p.parser.isSet(p.port))
        return {};
    const QString port = p.parser.value(p.port);
    if (const Status s = checkPortName(port.toStdString()); !s)
        return QCoreApplication::translate("LaunchOptions", "Неверный порт %1: %2")
            .arg(port, userText(s));
    return {};
}

QString languageError(const LaunchParser& p)
{
    if (!p.parser.isSet(p.lang) || uiLanguageNamed(p.parser.value(p.lang).toStdString()))
        return {};
    return QCoreApplication::translate("LaunchOptions", "Неверный язык %1: нужен ru или en").arg(p.parser.value(p.lang));
}

QString optionError(const LaunchParser& p)
{
    const QString port = portError(p);
    return port.isEmpty() ? languageError(p) : port;
}

// --lang when given, else the locale: the stored choice is not known before the settings are read.
UiLanguage languageOf(const QStringList& arguments)
{
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        QString value;
        if (a.startsWith(QLatin1String("--lang=")))
            value = a.mid(7);
        else if (a == QLatin1String("--lang") && i + 1 < arguments.size())
            value = arguments[i + 1];
        if (const std::optional<UiLanguage> l = uiLanguageNamed(value.toStdString()))
            return *l;
    }
    return uiLanguageOfEnvironment();
}

} // namespace

std::optional<int> parseLaunchOptions(int argc, char** argv, LaunchOptions& options)
{
    const QStringList arguments = argumentsOf(argc, argv);
    {
        LaunchParser quiet;
        if (quiet.parser.parse(arguments) && !wantsHelp(quiet.parser) &&
            !quiet.parser.isSet(QStringLiteral("version")) && optionError(quiet).isEmpty()) {
            options.port = quiet.parser.value(quiet.port);
            options.start = quiet.parser.isSet(quiet.start);
            options.configDir = quiet.parser.value(quiet.configDir);
            if (quiet.parser.isSet(quiet.lang))
                options.language = uiLanguageNamed(quiet.parser.value(quiet.lang).toStdString());
            return std::nullopt;
        }
    }

    // Something to say: an application object without a window lets Qt's translation reach the
    // parser's own words. The program ends right after, so no second application object follows it.
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varnel"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVarnelVersion));
    installUiTranslations(core, languageOf(arguments));
    LaunchParser p;
    if (!p.parser.parse(arguments)) {
        std::fprintf(stderr, "varnel: %s (varnel --help)\n", qPrintable(p.parser.errorText()));
        return 2;
    }
    if (wantsHelp(p.parser)) {
        std::fputs(p.parser.helpText().toUtf8().constData(), stdout);
        return 0;
    }
    if (p.parser.isSet(QStringLiteral("version"))) {
        std::printf("varnel %s\n", kVarnelVersion);
        return 0;
    }
    std::fprintf(stderr, "varnel: %s\n", qPrintable(optionError(p)));
    return 2;
}
