#pragma once

#include "resources/translate_marker.h"

#include <string>

// The program's texts of acquisition and saving, shared by the window and varnel-cli.
namespace acqtext {
inline constexpr const char* kThreadFailed = VARNEL_TRANSLATE_NOOP("AcquisitionTexts", "Ошибка создания потока");
inline constexpr const char* kThreadFailedCaption = "USB ERROR...";
inline constexpr const char* kSelectLine = VARNEL_TRANSLATE_NOOP("AcquisitionTexts", "Выберите линию для измерения");
inline constexpr const char* kSelectLineCaption = VARNEL_TRANSLATE_NOOP("AcquisitionTexts", "ВНИМАНИЕ");
inline constexpr const char* kReconnect = VARNEL_TRANSLATE_NOOP("AcquisitionTexts", "Проверте соединение с прбором VARNEL\nи нажмите \"ОК\" для повторной попытки");
inline constexpr const char* kReconnectCaption = VARNEL_TRANSLATE_NOOP("AcquisitionTexts", "Нет связи с прибором VARNEL");
inline constexpr const char* kSaved = VARNEL_TRANSLATE_NOOP("AcquisitionTexts", "Рефлектограмма успешно сохранена");
inline constexpr const char* kSaveFailed = VARNEL_TRANSLATE_NOOP("AcquisitionTexts", "Не удалось сохранить рефлектограмму в файл");
inline constexpr const char* kErrorCaption = VARNEL_TRANSLATE_NOOP("AcquisitionTexts", "Ошибка");

// The reconnect questions with the port's name for %1.
inline constexpr const char* kPortBusyFormat = VARNEL_TRANSLATE_NOOP(
    "AcquisitionTexts", "Порт %1 занят другой программой.\nЗакройте ее и нажмите \"ОК\" для повторной попытки");
inline constexpr const char* kAccessDeniedFormat = VARNEL_TRANSLATE_NOOP(
    "AcquisitionTexts",
    "Нет доступа к порту %1.\nУстановите правило udev программы (пакет varnel) или добавьте пользователя в группу "
    "dialout:\n    sudo usermod -aG dialout $USER\nзатем войдите в систему заново и нажмите \"ОК\" для повторной "
    "попытки");

// The reconnect question when another program holds the port.
std::string portBusy(const std::string& port);
// The reconnect question when the port exists but this user may not open it: what to do about it.
std::string accessDenied(const std::string& port);
// The same in one English line, for varnel-cli.
std::string accessDeniedLine(const std::string& port);
// The error message of a failed save: the file and the reason, without the file twice.
std::string saveFailed(const std::string& path, const std::string& reason);
} // namespace acqtext
