#include "app/command_actions.h"

#include "document/command_table.h"
#include "resources/command_text.h"

#include <QAction>

CCommandActions::CCommandActions(CCommandTable& commands, QObject* parent) : QObject(parent), table(commands)
{
    table.setChangeListener([this] { refresh(); });
}

CCommandActions::~CCommandActions() { table.setChangeListener({}); }

QAction* CCommandActions::action(int id)
{
    if (auto it = actions.find(id); it != actions.end())
        return it->second;
    auto* a = new QAction(this);
    if (const CommandText* text = commandText(id)) {
        a->setText(QString::fromUtf8(text->menu));
        a->setStatusTip(QString::fromUtf8(text->prompt));
        a->setToolTip(QString::fromUtf8(*text->tooltip ? text->tooltip : text->menu));
    }
    a->setCheckable(table.isCheckable(id));
    connect(a, &QAction::triggered, this, [this, a, id] {
        if (table.run(id))
            emit commandRan(id);
        // A checkable action flips itself when clicked; the table decides what it shows.
        a->setChecked(table.state(id).checked);
    });
    actions[id] = a;
    const CommandState state = table.state(id);
    a->setEnabled(state.enabled);
    a->setChecked(state.checked);
    return a;
}

void CCommandActions::refresh()
{
    for (auto& [id, a] : actions) {
        const CommandState state = table.state(id);
        // A command registered after its action was made (a panel built later) takes its own kind.
        if (a->isCheckable() != table.isCheckable(id))
            a->setCheckable(table.isCheckable(id));
        if (a->isEnabled() != state.enabled)
            a->setEnabled(state.enabled);
        if (a->isChecked() != state.checked)
            a->setChecked(state.checked);
    }
}
