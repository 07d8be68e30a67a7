// Acquisition cycles per second with the simulated instrument on a paced 115200-baud link, against
// the bound that the link and the worker's fixed waits allow.
#include "device/com_thread.h"
#include "device/protocol_vuz.h"
#include "device/sim_transport.h"
#include "document/doc_view.h"
#include "document/update_hint.h"
#include "document/varnel_doc.h"
#include "measurement/acquisition_controller.h"
#include "measurement/event_loop.h"
#include "measurement/loop_host.h"
#include "measurement/loop_notify_sink.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kStartWaitMs = 1.0;                                  // the worker's sleep before each command
constexpr double kCompletionWaitMs = CComThread::kCompletionWaitMs;  // before each read of an unfinished reply
constexpr double kReadMs = CComThread::kReadTimeoutMs;               // a read waits out its time-out

// One command's time on the worker: each round is the completion wait and one whole read, so a reply is
// taken at the end of the first read after its last byte arrived.
double commandMs(double requestBytes, double replyBytes, double instrumentMs)
{
    const double onWire = (requestBytes + replyBytes) / CSimTransport::kBytesPerMs + instrumentMs;
    const double round = kCompletionWaitMs + kReadMs;
    return kStartWaitMs + round * std::max(1.0, std::ceil(onWire / round));
}

struct Rig : CDocView {
    Rig() : host(loop), controller(doc, host, this), sink(loop, [this](const DeviceNotification& n) { controller.onDeviceNotify(n); })
    {
        host.attach(controller);
        doc.addView(this);
        doc.selectRange(4);   // 1 km
        doc.average = 0;      // averaging 1
        doc.traces[L2].shown = true;
        controller.onInitialUpdate(std::make_unique<CComThread>(std::make_unique<CSimTransport>(), std::make_unique<CProtocolVUZ>()), &sink);
    }
    ~Rig() override
    {
        controller.onDestroy();
        doc.removeView(this);
    }
    void onDocumentUpdate(CDocView*, UpdateHint hint) override
    {
        if (hint == kHintNewSamples && ++stored == target)
            loop.quit();
    }

    CEventLoop loop;
    CVarnelDoc doc;
    CLoopHost host;
    CAcquisitionController controller;
    CLoopNotifySink sink;
    int stored = 0;
    int target = 0;
};

void BM_AcquisitionCycles(benchmark::State& state)
{
    const int cycles = static_cast<int>(state.range(0));
    Rig rig;
    rig.target = 1;
    rig.controller.start();
    rig.loop.run(std::chrono::seconds(10));   // start packet and a first cycle outside the timing
    int measured = 0;
    for (auto _ : state) {
        rig.target = rig.stored + cycles;
        rig.loop.run(std::chrono::seconds(60));
        measured += cycles;
    }
    rig.controller.stop();

    // Window packet (16 bytes, 5-byte acknowledgement) and data request (2 bytes, 1002-byte reply).
    const double ackMs = 0.3, acquisitionMs = 0.5 + 1 * (0.1 + 1000.0 / 50000.0);
    const double boundMs = commandMs(16, 5, ackMs) + commandMs(2, 1002, acquisitionMs);
    const double linkOnlyMs = (16 + 5 + 2 + 1002) / CSimTransport::kBytesPerMs;
    state.counters["cycles_per_s"] = benchmark::Counter(measured, benchmark::Counter::kIsRate);
    state.counters["bound_per_s"] = 1000.0 / boundMs;
    state.counters["link_only_per_s"] = 1000.0 / linkOnlyMs;
}

} // namespace

BENCHMARK(BM_AcquisitionCycles)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
