#include "measurement/device_chain.h"

#include "device/com_thread.h"
#include "device/port_choice.h"
#include "device/protocol_vuz.h"

std::unique_ptr<CComThread> makeDeviceWorker(const std::string& port)
{
    std::unique_ptr<CTransport> transport = makeTransport(port);
    if (!transport)
        transport = makeTransport(kAutoPort);
    return std::make_unique<CComThread>(std::move(transport), std::make_unique<CProtocolVUZ>());
}
