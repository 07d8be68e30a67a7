#include "device/transport_status.h"

std::string statusText(FtStatus status)
{
    switch (status) {
    case ft::kOk: return "ok";
    case ft::kInvalidHandle: return "not open";
    case ft::kDeviceNotFound: return "no such device";
    case ft::kDeviceNotOpened: return "cannot be opened as a serial port";
    case ft::kIoError: return "input/output error";
    case ft::kPortBusy: return "busy: another program uses it";
    case ft::kAccessDenied: return "access denied";
    case ft::kPortAmbiguous: return "more than one FTDI USB bridge: name the port";
    default: return "status " + std::to_string(status);
    }
}
