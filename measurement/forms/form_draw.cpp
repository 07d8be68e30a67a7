#include "measurement/forms/form_draw.h"

#include "document/command_ids.h"
#include "document/command_table.h"
#include "document/settings.h"
#include "document/varnel_doc.h"
#include "display/main_screen_series.h"
#include "display/widgets/screen_wnd.h"
#include "measurement/acquisition_controller.h"

#include <QTimer>

namespace {

constexpr const char* kSaveKey = "SAVE";

} // namespace

CFormDraw::CFormDraw(CVarnelDoc& doc, CCommandTable& commands, CAcquisitionController& acquisition,
                     CSettings& settings, FormDrawSetup setup, QWidget* parent)
    : QWidget(parent), doc(doc), commands(commands), controller(acquisition), settings(settings),
      setup(std::move(setup))
{
    controller.setOwner(this);
    controller.setSavePath(settings.getString(kSaveKey, this->setup.saveDir));
    registerAcquisitionCommands();
    createScreenAndTable();
    registerFormCommands();
    doc.addView(this);
}

CFormDraw::~CFormDraw()
{
    doc.removeView(this);
    controller.setOwner(nullptr);
    settings.setString(kSaveKey, controller.savePath());
}

void CFormDraw::registerAcquisitionCommands()
{
    registrations.push_back(commands.addScoped(
        cmd::kStart, [this] { controller.start(); },
        [this] { return CommandState{doc.acqState == AcqState::Stopped, false}; }, false));
    registrations.push_back(commands.addScoped(
        cmd::kStop, [this] { controller.stop(); },
        [this] { return CommandState{doc.acqState == AcqState::Running, false}; }, false));
    registrations.push_back(commands.addScoped(
        cmd::kSaveLine1, [this] { controller.saveChannel(1); },
        [this] { return CommandState{doc.traces[L1].active, false}; }, false));
    registrations.push_back(commands.addScoped(
        cmd::kSaveLine2, [this] { controller.saveChannel(2); },
        [this] { return CommandState{doc.traces[L2].active, false}; }, false));
}

void CFormDraw::initialUpdate()
{
    if (updated)
        return;
    updated = true;
    main_screen::initialFill(screen->state(), doc);
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


