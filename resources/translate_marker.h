#pragma once

// Marks a text of the Qt-free core for translation without Qt: the text stays as it is here, lupdate
// collects it (an alias of QT_TRANSLATE_NOOP), and the Qt side translates it when it shows it with
// QCoreApplication::translate(context, text).
#define VARNEL_TRANSLATE_NOOP(context, text) text
