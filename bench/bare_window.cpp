// The start-up benchmark's baseline: a bare Qt Widgets main window (a menu bar, one toolbar, an empty
// central widget), started and timed the way the program is: it prints its first painted frame
// (VARNEL_EXIT_AFTER_FIRST_PAINT) and ends.
#include "app/first_paint_probe.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QToolBar>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.menuBar()->addMenu(QStringLiteral("Файл"))->addAction(QStringLiteral("Выход"), &app, &QApplication::quit);
    window.addToolBar(QStringLiteral("bar"))->addAction(QStringLiteral("Пуск"));
    auto* central = new QWidget(&window);
    window.setCentralWidget(central);
    CFirstPaintProbe::installIfAsked(central);
    window.setGeometry(window.screen()->availableGeometry());
    window.showMaximized();
    return app.exec();
}
