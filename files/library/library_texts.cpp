#include "files/library/library_texts.h"

#include "document/text_codec.h"
#include "files/library/reflectogram_listing.h"
#include "resources/translate_marker.h"

namespace libtext {

std::array<std::string, 7> reflectogramColumnTitles(bool speedMode)
{
    return {" ", VARNEL_TRANSLATE_NOOP("LibraryTexts", "Название файла"), VARNEL_TRANSLATE_NOOP("LibraryTexts", "Масштаб"), VARNEL_TRANSLATE_NOOP("LibraryTexts", "Импульс"), reflectogramSpeedTitle(speedMode), VARNEL_TRANSLATE_NOOP("LibraryTexts", "Дата"), VARNEL_TRANSLATE_NOOP("LibraryTexts", "Время")};
}

std::array<std::string, 6> gridFileColumnTitles()
{
    return {" ", VARNEL_TRANSLATE_NOOP("LibraryTexts", "Название файла"), VARNEL_TRANSLATE_NOOP("LibraryTexts", "Кол-во"), VARNEL_TRANSLATE_NOOP("LibraryTexts", "Масштаб"), VARNEL_TRANSLATE_NOOP("LibraryTexts", "Дата"), VARNEL_TRANSLATE_NOOP("LibraryTexts", "Время")};
}

std::string sectionSpeedTitle(bool speedMode) { return speedMode ? VARNEL_TRANSLATE_NOOP("LibraryTexts", "V/2 участка") : VARNEL_TRANSLATE_NOOP("LibraryTexts", "КУ участка"); }

std::array<std::string, 6> sectionColumnTitles(bool speedMode)
{
    return {VARNEL_TRANSLATE_NOOP("LibraryTexts", "№"), VARNEL_TRANSLATE_NOOP("LibraryTexts", "Название участка"), VARNEL_TRANSLATE_NOOP("LibraryTexts", "Начало участка"), VARNEL_TRANSLATE_NOOP("LibraryTexts", "Конец участка"), VARNEL_TRANSLATE_NOOP("LibraryTexts", "Длинна участка"), sectionSpeedTitle(speedMode)};
}

std::string sectionFileMessage(const char* headline, const std::string& path, const std::string& reason)
{
    std::string why = reason;
    if (why.rfind(path + ": ", 0) == 0)
        why = why.substr(path.size() + 2);
    return std::string(headline) + "\n" + codec::fileNameText(path) + "\n" + codec::fileNameText(why);
}

} // namespace libtext
