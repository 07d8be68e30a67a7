#include "app/command_actions.h"

#include "document/command_table.h"
#include "resources/command_text.h"
#include "resources/i18n/ui_translation.h"

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
        a->setText(translatedText("CommandText", text->menu));
        a->setStatusTip(*text->prompt ? translatedText("CommandText", text->prompt) : QString());
        a->setToolTip(translatedText("CommandText", *text->tooltip ? text->tooltip : text->menu));
    }
    a->setCheckable(table.isCheckable(id));
    connect(a, &QAction::triggered, this, [this, id] {
        untriggered.erase(id);
        run(id);
    });
    // A button toggled without a click (a screen reader's "Toggle") checks the action without triggering
    // it. A trigger toggles first and then reports itself at once, so a toggle still unreported once
    // the event loop runs again came from elsewhere: the command runs as a click would run it.
    connect(a, &QAction::toggled, this, [this, id] {
        if (settingState || !untriggered.insert(id).second)
            return;
        QMetaObject::invokeMethod(this, [this, id] {
            if (untriggered.erase(id))
                run(id);
        }, Qt::QueuedConnection);
    });
    actions[id] = a;
    const CommandState state = table.state(id);
    a->setEnabled(state.enabled);
    setChecked(a, state.checked);
    return a;
}

void CCommandActions::run(int id)
{
    if (table.run(id))
        emit commandRan(id);
    // A checkable action flips itself when clicked; the table decides what it shows.
    setChecked(actions[id], table.state(id).checked);
}

void CCommandActions::setChecked(QAction* a, bool checked)
{
    settingState = true;
    a->setChecked(checked);
    settingState = false;
}

void CCommandActions::refresh()
{
    for (auto& [id, a] : actions) {
        const CommandState state = table.state(id);
        // A command registered after its action was made (a panel built later) takes its own kind.
        if (a->isCheckable() != table.isCheckable(id)) {
            settingState = true;
            a->setCheckable(table.isCheckable(id));
            settingState = false;
        }
        if (a->isEnabled() != state.enabled)
            a->setEnabled(state.enabled);
        if (a->isChecked() != state.checked)
            setChecked(a, state.checked);
    }
}
