#pragma once

#include <array>
#include <string>

// The library panel's own texts, shared by the window and its tests.
namespace libtext {

inline constexpr const char* kReflectogramsTab = "Рефлектограммы";
inline constexpr const char* kGridsTab = "Сетки масштабов с разным КУ";
inline constexpr const char* kErrorCaption = "Ошибка";
inline constexpr const char* kMemoryNotFound =
    "Выбранная рефлектограмма не найдена.\nОткройте новую папку с рефлектограммами.";
inline constexpr const char* kSectionFileNotWritten = "Не удалось записать файл участков";
inline constexpr const char* kSectionFileNotRead = "Не удалось прочитать файл участков";
inline constexpr const char* kSectionFileChanged =
    "Файл участков был изменен другой программой.\nСписок участков обновлен, выберите участок еще раз.";

inline constexpr const char* kChooseReflectograms = "Выбрать рефлектограммы";
inline constexpr const char* kChooseSectionFolder = "Выбрать папку с участками";
inline constexpr const char* kNewSectionFile = "Введите имя сохраняемого файла";
inline constexpr const char* kNewSectionFilter = "Участок (*.pie)";

// Column titles of the three lists; the KU column follows the V/2 presentation.
std::array<std::string, 7> reflectogramColumnTitles(bool speedMode);
std::array<std::string, 6> gridFileColumnTitles();
std::array<std::string, 6> sectionColumnTitles(bool speedMode);
std::string sectionSpeedTitle(bool speedMode);

// A message about a section file: the headline, the file and the reason, without the file twice.
std::string sectionFileMessage(const char* headline, const std::string& path, const std::string& reason);

} // namespace libtext
