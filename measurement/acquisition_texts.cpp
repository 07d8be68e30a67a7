#include "measurement/acquisition_texts.h"

namespace acqtext {

namespace {

std::string withPort(std::string format, const std::string& port)
{
    return format.replace(format.find("%1"), 2, port);
}

} // namespace

std::string portBusy(const std::string& port) { return withPort(kPortBusyFormat, port); }

std::string accessDenied(const std::string& port) { return withPort(kAccessDeniedFormat, port); }

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
