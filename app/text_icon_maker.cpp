// Draws the pictures of the toolbars' text icons, in every language of the program, into the block the
// program is built with (see widgets/text_icon_store.h): varnel_text_icon_maker OUTPUT.
// Run on the build machine with the offscreen platform.
#include "app/tool_icons.h"
#include "files/widgets/library_icons.h"
#include "resources/i18n/ui_translation.h"
#include "widgets/text_icon_store.h"

#include <QGuiApplication>
#include <QSaveFile>
#include <QSet>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QList<StoredTextIcon> icons;
    QSet<QByteArray> drawn;
    for (const UiLanguage language : {UiLanguage::Russian, UiLanguage::English}) {
        installUiTranslations(app, language);
        for (const TextGlyph& glyph : toolIconGlyphs() + libraryIconGlyphs()) {
            const QByteArray key = textIconKey(glyph.text, glyph.color);
            if (!drawn.contains(key)) {
                drawn.insert(key);
                icons.append({key, drawTextIconPicture(glyph.text, glyph.color)});
            }
        }
    }
    removeUiTranslations();

    QSaveFile out(QString::fromLocal8Bit(argv[1]));
    const QByteArray block = encodeTextIcons(icons);
    if (!out.open(QIODevice::WriteOnly) || out.write(block) != block.size() || !out.commit()) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[1], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
