#pragma once

#include <QObject>
#include <map>
#include <set>

class CCommandTable;
class QAction;

// One QAction per command id, shared by every menu and toolbar that shows the command, so check marks
// and enabling come from the command table alone and can never disagree. However an action is switched
// (a click, a menu, a screen reader toggling its button), its command runs.
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
    void run(int id);
    void setChecked(QAction* a, bool checked);

    CCommandTable& table;
    std::map<int, QAction*> actions;
    std::set<int> untriggered;   // toggled, and not by a trigger so far
    bool settingState = false;   // the table's state is being shown: no toggle to answer
};
