#pragma once

#include "device/transport.h"

#include <string>

// A status of the link in words, for the trace and for one-line messages: "ok", "no such device", ...
std::string statusText(FtStatus status);
