#include "measurement/acquisition_texts.h"

namespace acqtext {

std::string portBusy(const std::string& port)
{
    return "Порт " + port + " занят другой программой.\nЗакройте ее и нажмите \"ОК\" для повторной попытки";
}

std::string saveFailed(const std::string& path, const std::string& reason)
{
    std::string why = reason;
    if (why.rfind(path + ": ", 0) == 0)
        why = why.substr(path.size() + 2);
    return std::string(kSaveFailed) + "\n" + path + "\n" + why;
}

} // namespace acqtext
