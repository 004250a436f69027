// Driving the system registry editor to a key: it is started afresh and the
// key's path is typed into its key tree, one keystroke at a time.
#ifndef ORRERY_REPORTS_REGISTRY_EDITOR_H
#define ORRERY_REPORTS_REGISTRY_EDITOR_H

#include <string>

// Opens the registry editor at path, a full key path ending in "\". A
// running editor is closed first. When the editor cannot be started or its
// window does not come within about five seconds, the user is told and the
// result is false. Every wait is bounded, also on an editor that hangs.
bool JumpToRegistryKey(const std::string& path);

// The message shown when the editor cannot be found.
extern const char kRegistryEditorMissing[];

#endif
