// Test helpers of the maintenance operations: a user interface that writes
// down what it was asked to show and answers questions from a list, a dump
// of a registry through the seam, and a reader of registration files that
// imports one into a registry as regedit would.
#pragma once

#include "orrery/maintenance/maintenance_ui.h"
#include "orrery/platform/registry.h"

#include <deque>
#include <string>
#include <vector>

namespace orrery {

class CRecordingUI : public CMaintenanceUI {
public:
    // Events in order: "wait", "end wait", "message: <text>", "error: <text>",
    // "ask: <caption>: <text>", "unregistered: <name> | <path>".
    std::vector<std::string> events;
    // Answers to questions in order; a question beyond them is answered No.
    std::deque<bool> answers;
    int waiting = 0;

    void BeginWait() override;
    void EndWait() override;
    void ShowMessage(const std::string& text) override;
    void ShowError(const std::string& text) override;
    bool AskYesNo(const std::string& caption, const std::string& text) override;
    void ShowUnregistered(const std::string& name, const std::string& path) override;

    // The events that begin with prefix (e.g. "message: "), prefix removed.
    std::vector<std::string> Shown(const std::string& prefix) const;
};

// Every key below HKEY_CLASSES_ROOT (or below path) with its values, one
// line per key and per value, in enumeration order, read through the seam.
std::string DumpRegistry(CRegistry& registry, const std::string& path = std::string());

// The same keys and values as sorted lines, one per key and one per value,
// so that two registries compare equal whatever order their keys were made in.
std::string SortedDump(CRegistry& registry, const std::string& path = std::string());

// Imports a REGEDIT4 file into the registry through the seam: creates every
// key and sets every value. False (with the line in *error) on a line it
// cannot read.
bool ImportRegFile(CRegistry& registry, const std::string& file, std::string* error);

}  // namespace orrery
