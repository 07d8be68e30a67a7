#include "measurement/acquisition_texts.h"

namespace acqtext {

std::string portBusy(const std::string& port)
{
    return "Порт " + port + " занят другой программой.\nЗакройте ее и нажмите \"ОК\" для повторной попытки";
}

std::string accessDenied(const std::string& port)
{
    return "Нет доступа к порту " + port +
           ".\nУстановите правило udev программы (пакет varnel) или добавьте пользователя в группу dialout:\n"
           "    sudo usermod -aG dialout $USER\n"
           "затем войдите в систему заново и нажмите \"ОК\" для повторной попытки";
}

std::string accessDeniedLine(const std::string& port)
{
    return "no permission to open port " + port +
           ": install the program's udev rule (60-varnel.rules, part of the varnel package) or add yourself "
           "to the dialout group (sudo usermod -aG dialout $USER), then log in again";
}

std::string saveFailed(const std::string& path, const std::string& reason)
{
    std::string why = reason;
    if (why.rfind(path + ": ", 0) == 0)
        why = why.substr(path.size() + 2);
    return std::string(kSaveFailed) + "\n" + path + "\n" + why;
}

} // namespace acqtext
