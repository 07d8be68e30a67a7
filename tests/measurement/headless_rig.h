#pragma once

#include "device/com_thread.h"
#include "device/protocol_vuz.h"
#include "document/doc_view.h"
#include "document/update_hint.h"
#include "document/varnel_doc.h"
#include "measurement/acquisition_controller.h"
#include "measurement/event_loop.h"
#include "measurement/loop_host.h"
#include "measurement/loop_notify_sink.h"

#include <functional>
#include <memory>

// The acquisition controller with a real worker on a transport, run by a CEventLoop on the test's
// thread as the command-line program runs it. `onHint` sees every update the document broadcasts.
struct HeadlessRig : public CDocView {
    explicit HeadlessRig(std::unique_ptr<CTransport> transport, int watchdogMs = 2000)
        : host(loop), controller(doc, host, this), sink(loop, [this](const DeviceNotification& n) { controller.onDeviceNotify(n); })
    {
        host.attach(controller);
        controller.setWatchdogPeriod(watchdogMs);
        doc.addView(this);
        controller.onInitialUpdate(std::make_unique<CComThread>(std::move(transport), std::make_unique<CProtocolVUZ>()), &sink);
    }
    ~HeadlessRig() override
    {
        controller.onDestroy();
        doc.removeView(this);
    }
    void onDocumentUpdate(CDocView*, UpdateHint hint) override
    {
        if (hint == kHintNewSamples)
            ++stored;
        if (onHint)
            onHint(hint);
    }
    // Runs the loop until `done` (checked after every update) or a generous limit; false at the limit.
    bool runUntil(const std::function<bool(int hint)>& done)
    {
        onHint = [this, done](int hint) {
            if (done(hint))
                loop.quit();
        };
        const bool finished = loop.run(std::chrono::seconds(20));
        onHint = nullptr;
        return finished;
    }

    CEventLoop loop;
    CVarnelDoc doc;
    CLoopHost host;
    CAcquisitionController controller;
    CLoopNotifySink sink;
    std::function<void(int)> onHint;
    int stored = 0;
};
