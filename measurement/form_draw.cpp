#include "measurement/form_draw.h"

#include "device/com_thread.h"
#include "device/port_choice.h"
#include "device/protocol_vuz.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/doc_settings.h"
#include "document/ini_file.h"
#include "document/varnel_doc.h"
#include "display/main_screen_series.h"
#include "display/screen_wnd.h"

#include <QTimer>

namespace {

constexpr const char* kSaveKey = "SAVE";

} // namespace

CFormDraw::CFormDraw(CVarnelDoc& doc, CCommandTable& commands, FormDrawSetup setup, QWidget* parent)
    : QWidget(parent),
      doc(doc),
      commands(commands),
      setup(std::move(setup)),
      host(this),
      controller(doc, host, this),
      sink(this, [this](const DeviceNotification& n) { controller.OnDeviceNotify(n); })
{
    host.attach(controller);
    host.setTwoScreenQuery(this->setup.twoScreen);
    readAcquisitionSettings();
    registerAcquisitionCommands();
    createScreenAndTable();
    registerFormCommands();
    doc.addView(this);
}

CFormDraw::~CFormDraw()
{
    // Acquisition stops and the worker ends before the settings are written.
    controller.OnDestroy();
    unregisterAcquisitionCommands();
    commands.add(cmd::kChannelParams, {}, [] { return CommandState{false, false}; });
    doc.removeView(this);
    writeAcquisitionSettings();
}

void CFormDraw::readAcquisitionSettings()
{
    if (setup.settingsFile.empty()) {
        controller.savePath = setup.saveDir;
        portSetting = kAutoPort;
    } else {
        controller.savePath =
            readProfileString(setup.settingsFile, kSettingsSection, kSaveKey, setup.saveDir);
        portSetting = readPortSetting(setup.settingsFile);
    }
    portInUse = setup.port.empty() ? portSetting : setup.port;
    // A PORT key the program cannot use falls back to the default, as every bad setting does.
    if (setup.port.empty() && !checkPortName(portInUse))
        portInUse = kAutoPort;
}

void CFormDraw::writeAcquisitionSettings()
{
    if (setup.settingsFile.empty())
        return;
    writeProfileString(setup.settingsFile, kSettingsSection, kSaveKey, controller.savePath);
    writePortSetting(setup.settingsFile, portSetting);
}

void CFormDraw::registerAcquisitionCommands()
{
    commands.add(cmd::kStart, [this] { controller.Start(); },
                 [this] { return CommandState{doc.acqState == CVarnelDoc::kStopped, false}; }, false);
    commands.add(cmd::kStop, [this] { controller.Stop(); },
                 [this] { return CommandState{doc.acqState == CVarnelDoc::kRunning, false}; }, false);
    commands.add(cmd::kSaveLine1, [this] { controller.SaveLine(1); },
                 [this] { return CommandState{doc.traces[L1].active, false}; }, false);
    commands.add(cmd::kSaveLine2, [this] { controller.SaveLine(2); },
                 [this] { return CommandState{doc.traces[L2].active, false}; }, false);
}

void CFormDraw::unregisterAcquisitionCommands()
{
    for (int id : {cmd::kStart, cmd::kStop, cmd::kSaveLine1, cmd::kSaveLine2})
        commands.add(id, {}, [] { return CommandState{false, false}; });
}

void CFormDraw::createWorker()
{
    std::unique_ptr<CTransport> transport = makeTransport(portInUse);
    if (!transport)
        transport = makeTransport(kAutoPort);
    controller.OnInitialUpdate(std::make_unique<CComThread>(std::move(transport), std::make_unique<CProtocolVUZ>()), &sink);
}

void CFormDraw::initialUpdate()
{
    if (updated)
        return;
    updated = true;
    createWorker();
    main_screen::initialFill(*screen, doc);
    drawScreen();
    if (setup.startOnShow)
        QTimer::singleShot(0, this, &CFormDraw::start);
}

void CFormDraw::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!updated)
        QTimer::singleShot(0, this, &CFormDraw::initialUpdate);
}

void CFormDraw::start() { commands.run(cmd::kStart); }

void CFormDraw::stop() { commands.run(cmd::kStop); }

void CFormDraw::acquisitionUpdate(int hint) { controller.OnDocumentUpdate(hint); }
