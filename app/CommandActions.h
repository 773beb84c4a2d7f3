#pragma once

#include <QHash>
#include <QObject>

class QAction;

// One QAction per command id, with its menu text, status-bar prompt, tooltip,
// shortcuts and toolbar picture. The actions are shared by both menus and the
// toolbar, so enabling a command greys it everywhere at once.
class CommandActions {
public:
    explicit CommandActions(QObject* owner);

    QAction* operator[](int commandId) const;
    const QHash<int, QAction*>& All() const { return m_actions; }

private:
    QHash<int, QAction*> m_actions;
};
