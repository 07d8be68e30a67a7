#pragma once

#include "resources/translate_marker.h"

#include <array>
#include <string>

// The library panel's own texts, shared by the window and its tests.
namespace libtext {

inline constexpr const char* kReflectogramsTab = VARNEL_TRANSLATE_NOOP("LibraryTexts", "Рефлектограммы");
inline constexpr const char* kGridsTab = VARNEL_TRANSLATE_NOOP("LibraryTexts", "Сетки масштабов с разным КУ");
inline constexpr const char* kErrorCaption = VARNEL_TRANSLATE_NOOP("LibraryTexts", "Ошибка");
inline constexpr const char* kMemoryNotFound =
    VARNEL_TRANSLATE_NOOP("LibraryTexts", "Выбранная рефлектограмма не найдена.\nОткройте новую папку с рефлектограммами.");
inline constexpr const char* kSectionFileNotWritten = VARNEL_TRANSLATE_NOOP("LibraryTexts", "Не удалось записать файл участков");
inline constexpr const char* kSectionFileNotRead = VARNEL_TRANSLATE_NOOP("LibraryTexts", "Не удалось прочитать файл участков");
inline constexpr const char* kSectionFileChanged =
    VARNEL_TRANSLATE_NOOP("LibraryTexts", "Файл участков был изменен другой программой.\nСписок участков обновлен, выберите участок еще раз.");

inline constexpr const char* kChooseReflectograms = VARNEL_TRANSLATE_NOOP("LibraryTexts", "Выбрать рефлектограммы");
inline constexpr const char* kChooseSectionFolder = VARNEL_TRANSLATE_NOOP("LibraryTexts", "Выбрать папку с участками");
inline constexpr const char* kNewSectionFile = VARNEL_TRANSLATE_NOOP("LibraryTexts", "Введите имя сохраняемого файла");
inline constexpr const char* kNewSectionFilter = VARNEL_TRANSLATE_NOOP("LibraryTexts", "Участок (*.pie)");

// Column titles of the three lists; the KU column follows the V/2 presentation.
std::array<std::string, 7> reflectogramColumnTitles(bool speedMode);
std::array<std::string, 6> gridFileColumnTitles();
std::array<std::string, 6> sectionColumnTitles(bool speedMode);
std::string sectionSpeedTitle(bool speedMode);

// A message about a section file: the headline, the file and the reason, without the file twice.
std::string sectionFileMessage(const char* headline, const std::string& path, const std::string& reason);

} // namespace libtext
