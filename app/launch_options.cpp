#include "app/launch_options.h"

#include "device/port_choice.h"
#include "resources/version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <cstdio>

namespace {

bool russianLocale()
{
    const QStringList languages = QLocale::system().uiLanguages();
    return !languages.isEmpty() && languages.first().startsWith(QLatin1String("ru"));
}

// The options in the language of the locale; the parser's own words (usage, options, help, version)
// come from Qt's translations when an application object with the translator exists.
struct LaunchParser {
    explicit LaunchParser(bool russian)
        : port(QStringLiteral("port"),
               russian ? QStringLiteral("Порт прибора: путь к устройству (/dev/ttyUSB0), \"auto\" (первый "
                                        "USB-мост прибора) или \"sim\" (встроенный имитатор прибора).")
                       : QStringLiteral("Instrument port: a device path (/dev/ttyUSB0), \"auto\" (the first USB "
                                        "bridge of the instrument) or \"sim\" (the built-in simulated instrument)."),
               QStringLiteral("PORT")),
          start(QStringLiteral("start"), russian ? QStringLiteral("Начать измерение, как только откроется окно.")
                                                 : QStringLiteral("Start acquisition once the window is up.")),
          configDir(QStringLiteral("config-dir"),
                    russian ? QStringLiteral("Папка для param.ini и папки Save вместо обычных.")
                            : QStringLiteral("Folder for param.ini and the Save folder instead of the usual ones."),
                    QStringLiteral("DIR"))
    {
        parser.setApplicationDescription(russian ? QStringLiteral("Рефлектометр импульсный VARNEL")
                                                 : QStringLiteral("VARNEL pulse reflectometer"));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOptions({port, start, configDir});
    }

    QCommandLineParser parser;
    QCommandLineOption port;
    QCommandLineOption start;
    QCommandLineOption configDir;
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
QString portError(const LaunchParser& p, bool russian)
{
    if (!p.parser.isSet(p.port))
        return {};
    const QString port = p.parser.value(p.port);
    if (const Status s = checkPortName(port.toStdString()); !s)
        return (russian ? QStringLiteral("Неверный порт %1: %2") : QStringLiteral("Bad --port %1: %2"))
            .arg(port, QString::fromStdString(s.reason()));
    return {};
}

} // namespace

std::optional<int> parseLaunchOptions(int argc, char** argv, LaunchOptions& options)
{
    const bool russian = russianLocale();
    const QStringList arguments = argumentsOf(argc, argv);
    {
        LaunchParser quiet(russian);
        if (quiet.parser.parse(arguments) && !wantsHelp(quiet.parser) &&
            !quiet.parser.isSet(QStringLiteral("version")) && portError(quiet, russian).isEmpty()) {
            options.port = quiet.parser.value(quiet.port);
            options.start = quiet.parser.isSet(quiet.start);
            options.configDir = quiet.parser.value(quiet.configDir);
            return std::nullopt;
        }
    }

    // Something to say: an application object without a window lets Qt's translation reach the
    // parser's own words. The program ends right after, so no second application object follows it.
    QCoreApplication core(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("varnel"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kVarnelVersion));
    QTranslator translator;
    if (russian && translator.load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                                   QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
    LaunchParser p(russian);
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
    std::fprintf(stderr, "varnel: %s\n", qPrintable(portError(p, russian)));
    return 2;
}
