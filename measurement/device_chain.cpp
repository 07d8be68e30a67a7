#include "measurement/device_chain.h"

#include "device/com_thread.h"
#include "device/port_choice.h"
#include "device/protocol_vuz.h"
#include "device/tracing_transport.h"

std::unique_ptr<CComThread> makeDeviceWorker(const std::string& port, std::ostream* trace)
{
    std::unique_ptr<CTransport> transport = makeTransport(port);
    if (!transport)
        transport = makeTransport(kAutoPort);
    if (trace)
        transport = std::make_unique<CTracingTransport>(std::move(transport), *trace);
    return std::make_unique<CComThread>(std::move(transport), std::make_unique<CProtocolVUZ>());
}
