// CCmdTarget: anything that may handle menu, toolbar and accelerator commands.
// A command is offered along a route (active view, frame, application); the
// first target that knows the id answers both its enable rule and its handler.
// Targets usually keep a flat table of CCommandEntry rows, one per id, with the
// enable rule beside the handler.
#ifndef ORRERY_FRAMEWORK_CMD_TARGET_H
#define ORRERY_FRAMEWORK_CMD_TARGET_H

#include <windows.h>

#include <cstddef>

// The state a command is shown in: greyed or not, checked or not.
struct CCmdUI {
    UINT id = 0;
    bool enabled = true;
    bool checked = false;
};

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;
    // Fills ui for ui.id and returns true when this target handles the id.
    virtual bool OnUpdateCmdUI(CCmdUI& /*ui*/) { return false; }
    // Runs the command and returns true when this target handles the id.
    virtual bool OnCmdMsg(UINT /*id*/) { return false; }
};

// One row of a command table: the id, its enable rule (null: always enabled)
// and its handler. A row without a handler names a command that is not
// there yet: it is shown greyed and does nothing.
template <class T>
struct CCommandEntry {
    UINT id;
    bool (T::*isEnabled)() const;
    void (T::*handler)();
};

template <class T, std::size_t N>
bool UpdateFromTable(const T* target, const CCommandEntry<T> (&table)[N], CCmdUI& ui)
{
    for (const CCommandEntry<T>& entry : table) {
        if (entry.id == ui.id) {
            ui.enabled = entry.handler && (!entry.isEnabled || (target->*entry.isEnabled)());
            return true;
        }
    }
    return false;
}

// True when the table has a handler for id.
template <class T, std::size_t N>
bool HasHandlerInTable(const CCommandEntry<T> (&table)[N], UINT id)
{
    for (const CCommandEntry<T>& entry : table) {
        if (entry.id == id)
            return entry.handler != nullptr;
    }
    return false;
}

// Runs the handler of id when the table has it; a command that is greyed
// (its rule says so, or it has no handler) is swallowed, so an accelerator
// or a stray message cannot run it.
template <class T, std::size_t N>
bool DispatchFromTable(T* target, const CCommandEntry<T> (&table)[N], UINT id)
{
    for (const CCommandEntry<T>& entry : table) {
        if (entry.id == id) {
            if (entry.handler && (!entry.isEnabled || (target->*entry.isEnabled)()))
                (target->*entry.handler)();
            return true;
        }
    }
    return false;
}

#endif
