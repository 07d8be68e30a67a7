#include "files/library/library_texts.h"

#include "document/text_codec.h"
#include "files/library/reflectogram_listing.h"

namespace libtext {

std::array<std::string, 7> reflectogramColumnTitles(bool speedMode)
{
    return {" ", "Название файла", "Масштаб", "Импульс", reflectogramSpeedTitle(speedMode), "Дата", "Время"};
}

std::array<std::string, 6> gridFileColumnTitles()
{
    return {" ", "Название файла", "Кол-во", "Масштаб", "Дата", "Время"};
}

std::string sectionSpeedTitle(bool speedMode) { return speedMode ? "V/2 участка" : "КУ участка"; }

std::array<std::string, 6> sectionColumnTitles(bool speedMode)
{
    return {"№", "Название участка", "Начало участка", "Конец участка", "Длинна участка", sectionSpeedTitle(speedMode)};
}

std::string sectionFileMessage(const char* headline, const std::string& path, const std::string& reason)
{
    std::string why = reason;
    if (why.rfind(path + ": ", 0) == 0)
        why = why.substr(path.size() + 2);
    return std::string(headline) + "\n" + codec::fileNameText(path) + "\n" + codec::fileNameText(why);
}

} // namespace libtext
