// The pictures of the help: the real program on the simulated instrument, put into each state the help
// describes through its own commands, and photographed. Run by scripts/help-images under a virtual
// display; every argument but --out goes to the program's own command line (--config-dir, --lang).
#include "app/command_actions.h"
#include "app/frame_panes.h"
#include "app/launch_options.h"
#include "app/main_frame.h"
#include "app/varnel_app.h"
#include "document/command_ids.h"
#include "document/varnel_doc.h"
#include "widgets/report_ctrl.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTabBar>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// Real metres of the simulated line 1 and its KU, as the simulated instrument's scene lays it out.
constexpr double kLine1Length = 830.0;
constexpr double kLine1Ku = 1.52;
constexpr int kRange1km = cmd::kRangeFirst + 4;
constexpr int kPulse100ns = cmd::kPulseIds[3];
// The library's lists, by their control ids: the pictures are taken in either language.
constexpr int kReflectogramListId = 157;
constexpr int kGridFileListId = 173;
// Time for the simulated instrument to deliver a few reflectograms after a change.
constexpr int kSettle = 2500;

// A key typed into `target` as a user types it.
void type(QWidget& target, Qt::Key key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(&target, &press);
    QCoreApplication::sendEvent(&target, &release);
}

class CHelpShots : public QObject {
public:
    CHelpShots(CVarnelApp& app, QString outDir) : app(app), frame(app.mainFrame()), out(std::move(outDir)) {}

    void run()
    {
        frame.setGeometry(0, 0, 1280, 1024);
        step([this] { saveWidget("fm-connect.png", frame, QRect(0, 0, 1280, 400)); });
        step([this] {
            command(kRange1km);
            command(kPulse100ns);
            // Gain and averaging as a technician sets them on a long line: echoes well above the noise.
            doc().gain = 120;
            doc().average = 3;
            doc().updateAllViews(nullptr, kHintRedraw);
            popUpMenuOf(kRange1km);
        });
        step([this] {
            saveScreen("fm-range.png", frame.geometry().adjusted(0, 0, 0, -400));
            closeMenus();
            command(cmd::kStart);
        });
        step([this] { saveWidget("fm-start.png", frame); });
        step([this] {
            // The cursor on the echo of the far end, read with the program's KU of 1.5.
            doc().cursor1 = kLine1Length * kLine1Ku / 1.5;
            doc().updateAllViews(nullptr, kHintRedraw);
        });
        step([this] {
            saveWidget("fm-cursor.png", frame, QRect(0, 0, 1280, 560));
            saveWidget("fm-distance.png", frame, areaRect(Pane::CursorRow));
        });
        step([this] {
            modal(cmd::kCalibrateKu, "fm-calibrate.png", QSize(), [](QWidget& dialog) {
                // The cable's known length, typed as a user types it.
                if (auto* length = dialog.findChild<QLineEdit*>()) {
                    length->setFocus();
                    length->selectAll();
                    for (const char key : QByteArray::number(kLine1Length))
                        type(*length, Qt::Key(key), QString(QLatin1Char(key)));
                    type(*length, Qt::Key_Return, QString());
                }
            });
        });
        step([this] { modal(cmd::kSaveLine1, "fm-save.png"); });
        step([this] { command(cmd::kLine2); });
        step([this] { saveWidget("window.png", frame); });
        step([this] { command(cmd::kTwoScreen); });
        step([this] {
            saveWidget("overview.png", frame, QRect(0, 0, 1280, 600));
            command(cmd::kTwoScreen);
        });
        step([this] {
            const QRect params = areaRect(Pane::ChannelParams), table = areaRect(Pane::KuTable);
            saveWidget("panels.png", frame, params.united(table));
            showLibrary();
            selectFirstRow(kReflectogramListId);
            command(cmd::kMemoryP1);
            command(cmd::kPreview);
        });
        step([this] { saveWidget("library.png", frame); });
        step([this] {
            command(cmd::kPreview);
            if (auto* tabs = frame.findChild<QTabBar*>())
                tabs->setCurrentIndex(1);
            selectFirstRow(kGridFileListId);
            command(cmd::kUseGrid);
        });
        step([this] { saveWidget("sections.png", frame); });
        step([this] {
            if (auto* tabs = frame.findChild<QTabBar*>())
                tabs->setCurrentIndex(0);
            command(cmd::kFindEvents);
            // Over the library, wide enough for every column, leaving the screen's marks in sight.
            if (QWidget* events = topDialog())
                events->setGeometry(frame.width() - 700, 690, 680, 260);
        });
        step([this] {
            QWidget* events = topDialog();
            saveScreen("events.png", events ? frame.geometry().united(events->frameGeometry()) : frame.geometry());
            if (events)
                events->close();
        });
        step([this] { modal(cmd::kPrintPreview, "preview.png", QSize(900, 1000)); });
        step([this] {
            command(cmd::kMemory);
            frame.setGeometry(0, 0, 740, 560);
        });
        step([this] { saveWidget("small.png", frame); });
        step([this] {
            command(cmd::kStop);
            QCoreApplication::exit(failures == 0 ? 0 : 1);
        });
        next();
    }

private:
    CVarnelDoc& doc() { return app.document(); }

    void step(std::function<void()> action) { steps.push_back(std::move(action)); }

    void next()
    {
        if (current >= steps.size())
            return;
        steps[current++]();
        QTimer::singleShot(kSettle, this, [this] { next(); });
    }

    void command(int id) { frame.commandActions().action(id)->trigger(); }

    // A command that opens a modal dialog: once it is up it is sized, prepared, photographed and cancelled.
    void modal(int id, const char* file, QSize size = QSize(), std::function<void(QWidget&)> prepare = {})
    {
        QTimer::singleShot(kSettle, this, [this, file, size, prepare] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (!dialog) {
                fail(file, "no dialog opened");
                return;
            }
            if (size.isValid())
                dialog->resize(size);
            if (prepare)
                prepare(*dialog);
            QTimer::singleShot(kSettle / 2, this, [this, file, dialog] {
                saveWidget(file, *dialog);
                if (auto* d = qobject_cast<QDialog*>(dialog))
                    d->reject();
                else
                    dialog->close();
            });
        });
        command(id);
    }

    QWidget* topDialog() const
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<QDialog*>(w) && w->isVisible())
                return w;
        return nullptr;
    }

    // Opens the menu-bar menu that holds command `id`.
    void popUpMenuOf(int id)
    {
        QAction* item = frame.commandActions().action(id);
        for (QAction* a : frame.menuBar()->actions())
            if (a->menu() && a->menu()->actions().contains(item)) {
                frame.menuBar()->setActiveAction(a);
                return;
            }
        fail("menu", "no menu holds the command");
    }

    void closeMenus()
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* menu = qobject_cast<QMenu*>(w); menu && menu->isVisible())
                menu->close();
        frame.menuBar()->setActiveAction(nullptr);
    }

    void showLibrary()
    {
        if (!frame.panes().libraryShown())
            command(cmd::kMemory);
    }

    void selectFirstRow(int listId)
    {
        for (auto* list : frame.findChildren<CReportCtrl*>())
            if (list->getDlgCtrlID() == listId && list->model() && list->model()->rowCount() > 0) {
                list->setCurrentIndex(list->model()->index(0, 0));
                return;
            }
        fail(QByteArray::number(listId).constData(), "no such list with a row");
    }

    QRect areaRect(Pane pane) const
    {
        QWidget* area = frame.panes().area(pane);
        return area && area->isVisible() ? QRect(area->mapTo(&frame, QPoint(0, 0)), area->size()) : QRect();
    }

    void saveWidget(const char* file, QWidget& widget, const QRect& part = QRect())
    {
        save(file, widget.grab(part.isNull() ? QRect(QPoint(0, 0), QSize(-1, -1)) : part));
    }

    // What the display shows (menus and dialogs over the window included).
    void saveScreen(const char* file, const QRect& part)
    {
        QScreen* screen = QGuiApplication::primaryScreen();
        save(file, screen->grabWindow(0, part.x(), part.y(), part.width(), part.height()));
    }

    void save(const char* file, const QPixmap& picture)
    {
        const QString path = out + QLatin1Char('/') + QLatin1String(file);
        if (picture.isNull() || !picture.save(path, "PNG"))
            fail(file, "could not be saved");
        else
            std::printf("%s\n", path.toUtf8().constData());
    }

    void fail(const char* what, const char* why)
    {
        std::fprintf(stderr, "help-shots: %s: %s\n", what, why);
        ++failures;
    }

    CVarnelApp& app;
    CMainFrame& frame;
    QString out;
    std::vector<std::function<void()>> steps;
    std::size_t current = 0;
    int failures = 0;
};

} // namespace

int main(int argc, char** argv)
{
    QString outDir;
    std::vector<char*> programArgs{argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (QByteArray(argv[i]) == "--out" && i + 1 < argc)
            outDir = QString::fromLocal8Bit(argv[++i]);
        else
            programArgs.push_back(argv[i]);
    }
    if (outDir.isEmpty()) {
        std::fprintf(stderr, "usage: varnel-help-shots --out DIR [--config-dir DIR] [--lang ru|en]\n");
        return 2;
    }
    QDir().mkpath(outDir);

    LaunchOptions options;
    int count = static_cast<int>(programArgs.size());
    if (const std::optional<int> exitCode = parseLaunchOptions(count, programArgs.data(), options))
        return *exitCode;
    options.port = QStringLiteral("sim");
    options.start = false;
    int appArgc = 1;
    CVarnelApp app(appArgc, argv);
    app.initInstance(options);
    CHelpShots shots(app, outDir);
    QTimer::singleShot(1000, &shots, [&shots] { shots.run(); });
    const int code = app.exec();
    app.shutdown();
    return code;
}
