#pragma once

#include <string>

// The program's texts of acquisition and saving, shared by the window and varnel-cli.
namespace acqtext {
inline constexpr const char* kThreadFailed = "Ошибка создания потока";
inline constexpr const char* kThreadFailedCaption = "USB ERROR...";
inline constexpr const char* kSelectLine = "Выберите линию для измерения";
inline constexpr const char* kSelectLineCaption = "ВНИМАНИЕ";
inline constexpr const char* kReconnect = "Проверте соединение с прбором VARNEL\nи нажмите \"ОК\" для повторной попытки";
inline constexpr const char* kReconnectCaption = "Нет связи с прибором VARNEL";
inline constexpr const char* kSaved = "Рефлектограмма успешно сохранена";
inline constexpr const char* kSaveFailed = "Не удалось сохранить рефлектограмму в файл";
inline constexpr const char* kErrorCaption = "Ошибка";

// The reconnect question when another program holds the port.
std::string portBusy(const std::string& port);
// The reconnect question when the port exists but this user may not open it: what to do about it.
std::string accessDenied(const std::string& port);
// The same in one English line, for varnel-cli.
std::string accessDeniedLine(const std::string& port);
// The error message of a failed save: the file and the reason, without the file twice.
std::string saveFailed(const std::string& path, const std::string& reason);
} // namespace acqtext
