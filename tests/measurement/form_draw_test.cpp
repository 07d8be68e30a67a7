#include "support/fake_transport.h"
#include "document/command_ids.h"
#include "document/command_table.h"
#include "support/temp_dir.h"
#include "document/update_hint.h"
#include "document/varnel_doc.h"
#include "measurement/forms/form_draw.h"
#include "measurement/form_rig.h"
#include "measurement/forms/qt_notify_sink.h"
#include "measurement/forms/wait_dlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <thread>

namespace {

class CHintCounter : public CDocView {
public:
    void onDocumentUpdate(CDocView*, UpdateHint hint) override
    {
        if (hint == kHintNewSamples)
            ++stored;
    }
    int stored = 0;
};


} // namespace

TEST(WaitDlg, CountsDownFromFiveAndClosesWithOk)
{
    CWaitDlg dialog(nullptr, 1000000);
    EXPECT_EQ(dialog.windowTitle(), "Подождите...");
    EXPECT_EQ(dialog.text(), "Повторное соединение произойдет через 5 сек.");
    dialog.show();
    for (int expected = 4; expected >= 1; --expected) {
        dialog.tick();
        EXPECT_EQ(dialog.text(), QString("Повторное соединение произойдет через %1 сек.").arg(expected));
        EXPECT_TRUE(dialog.isVisible());
    }
    dialog.tick();
    EXPECT_EQ(dialog.text(), "Повторное соединение произойдет через 0 сек.");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(WaitDlg, ModalRunEndsByItselfOrWithCancel)
{
    CWaitDlg fast(nullptr, 1);
    EXPECT_EQ(fast.exec(), QDialog::Accepted);
    EXPECT_EQ(fast.secondsLeft(), 0);

    CWaitDlg cancelled(nullptr, 1000000);
    QTimer::singleShot(0, &cancelled, [&] { cancelled.findChild<QAbstractButton*>("cancel")->click(); });
    EXPECT_EQ(cancelled.exec(), QDialog::Rejected);
    EXPECT_EQ(cancelled.secondsLeft(), 5);
}

TEST(QtNotifySink, DeliversOnTheReceiversThread)
{
    QObject receiver;
    std::vector<int> codes;
    bool onOwnThread = true;
    const auto mainThread = std::this_thread::get_id();
    CQtNotifySink sink(&receiver, [&](const DeviceNotification& n) {
        codes.push_back(n.code);
        onOwnThread = onOwnThread && std::this_thread::get_id() == mainThread;
    });
    std::thread worker([&] {
        for (int code : {7, 1, 5}) {
            DeviceNotification n;
            n.code = code;
            sink.post(n);
        }
    });
    worker.join();
    EXPECT_TRUE(codes.empty());   // queued, not called from the worker
    EXPECT_TRUE(QTest::qWaitFor([&] { return codes.size() == 3; }));
    EXPECT_EQ(codes, (std::vector<int>{7, 1, 5}));
    EXPECT_TRUE(onOwnThread);
}

TEST(FormDraw, CommandsFollowTheAcquisitionState)
{
    FormRig rig;
    CVarnelDoc& doc = rig.doc;
    CCommandTable& commands = rig.commands;
    CHintCounter counter;
    doc.addView(&counter);
    {
        CFormDraw& form = *rig.form;
        form.initialUpdate();
        EXPECT_TRUE(commands.state(cmd::kStart).enabled);
        EXPECT_FALSE(commands.state(cmd::kStop).enabled);
        EXPECT_FALSE(commands.state(cmd::kSaveLine1).enabled);

        EXPECT_TRUE(commands.run(cmd::kStart));
        EXPECT_EQ(doc.acqState, AcqState::Running);
        EXPECT_FALSE(commands.state(cmd::kStart).enabled);
        EXPECT_TRUE(commands.state(cmd::kStop).enabled);
        EXPECT_TRUE(commands.state(cmd::kSaveLine1).enabled);
        EXPECT_FALSE(commands.state(cmd::kSaveLine2).enabled);
        EXPECT_TRUE(QTest::qWaitFor([&] { return counter.stored >= 3; }, 20000));

        doc.selectRange(6);   // a running acquisition picks the new range up
        const int before = counter.stored;
        EXPECT_TRUE(QTest::qWaitFor([&] { return counter.stored > before + 1; }, 20000));
        EXPECT_EQ(form.acquisition().sentParams().rangeCode, 63);

        EXPECT_TRUE(commands.run(cmd::kStop));
        EXPECT_EQ(doc.acqState, AcqState::Stopped);
    }
    rig.form.reset();
    EXPECT_FALSE(commands.state(cmd::kStart).enabled);   // the form is gone: its commands are off
    doc.removeView(&counter);
}

TEST(FormDraw, KeepsTheSaveKey)
{
    TempDir dir;
    const std::string ini = dir.file("param.ini");
    writeText(ini, "[VARNEL]\nSAVE=/data/old.tdr\nPORT=sim:fast,seed=2\n");
    {
        FormRig rig("sim:fast", FormRig::defaultSetup(), ini);
        EXPECT_EQ(rig.controller.savePath(), "/data/old.tdr");
        rig.controller.setSavePath("/data/new.tdr");
        rig.form.reset();
        ASSERT_TRUE(rig.settings->save());
    }
    EXPECT_EQ(readText(ini), "[VARNEL]\nSAVE=/data/new.tdr\nPORT=sim:fast,seed=2\n");

    FormDrawSetup setup;
    setup.saveDir = "/somewhere/Save/";
    FormRig fresh("sim:fast", setup);
    EXPECT_EQ(fresh.controller.savePath(), "/somewhere/Save/");
}

TEST(FormDraw, StartsOnShowWhenAsked)
{
    FormDrawSetup setup = FormRig::defaultSetup();
    setup.startOnShow = true;
    FormRig rig("sim:fast", setup);
    rig.form->show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return rig.doc.acqState == AcqState::Running; }));
    rig.form->stop();
}

TEST(FormDraw, SilentInstrumentAsksToReconnect)
{
    FormRig rig("sim:fast,silent,after=3");
    CVarnelDoc& doc = rig.doc;
    CFormDraw& form = *rig.form;
    form.acquisition().setWatchdogPeriod(50);
    form.initialUpdate();
    QString text, title;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            text = box->text();
            title = box->windowTitle();
            box->button(QMessageBox::Cancel)->click();
        }
    });
    answer.start(10);
    form.start();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !text.isEmpty(); }, 20000));
    EXPECT_EQ(text, "Проверте соединение с прбором VARNEL\nи нажмите \"ОК\" для повторной попытки");
    EXPECT_EQ(title, "Нет связи с прибором VARNEL");
    EXPECT_TRUE(QTest::qWaitFor([&] { return doc.acqState == AcqState::Stopped; }));
}
