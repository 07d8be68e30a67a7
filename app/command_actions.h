#pragma once

#include <QObject>
#include <map>

class CCommandTable;
class QAction;

// One QAction per command id, shared by every menu and toolbar that shows the command, so check marks
// and enabling come from the command table alone and can never disagree.
class CCommandActions : public QObject {
    Q_OBJECT
public:
    // Listens to the table: every change it announces refreshes the actions.
    CCommandActions(CCommandTable& table, QObject* parent);
    ~CCommandActions() override;

    // The action of `id`, created on first use with the command's texts.
    QAction* action(int id);
    // Brings every action's enabled and checked state up to date with the table.
    void refresh();

signals:
    // A command ran through one of the actions.
    void commandRan(int id);

private:
    CCommandTable& table;
    std::map<int, QAction*> actions;
};
