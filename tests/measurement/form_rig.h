#pragma once

#include "document/command_table.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "measurement/acquisition_controller.h"
#include "measurement/device_chain.h"
#include "measurement/forms/form_draw.h"
#include "measurement/forms/qt_acquisition_host.h"
#include "measurement/forms/qt_notify_sink.h"

#include <QCoreApplication>
#include <memory>

// The measurement form wired as the application wires it: a settings store, the document, the command
// table, the device chain for `port` with the acquisition controller, and the form itself.
struct FormRig {
    explicit FormRig(const std::string& port = "sim:fast", FormDrawSetup setup = defaultSetup(),
                     std::string settingsFile = {})
        : settings(settingsFile.empty() ? std::make_unique<CSettings>() : std::make_unique<CSettings>(settingsFile)),
          controller(doc, host),
          sink(QCoreApplication::instance(), [this](const DeviceNotification& n) { controller.onDeviceNotify(n); })
    {
        host.attach(controller);
        form = std::make_unique<CFormDraw>(doc, commands, controller, *settings, std::move(setup));
        host.setWindow(form.get());
        controller.onInitialUpdate(makeDeviceWorker(port), &sink);
    }
    ~FormRig()
    {
        controller.stop();
        controller.onDestroy();
        form.reset();
    }
    static FormDrawSetup defaultSetup()
    {
        FormDrawSetup s;
        s.saveDir = "/tmp/";
        return s;
    }

    CVarnelDoc doc;
    CCommandTable commands;
    std::unique_ptr<CSettings> settings;
    CQtAcquisitionHost host;
    CAcquisitionController controller;
    CQtNotifySink sink;
    std::unique_ptr<CFormDraw> form;
};
