#include "orrery/app/shell_verbs.h"

#include "orrery/maintenance/registry_tree.h"
#include "orrery/platform/key_guard.h"

namespace {

using orrery::CRegistry;
using orrery::kClassesRoot;
using orrery::kNoKey;
using orrery::kRegSuccess;
using orrery::RegKey;

const char* const kOldDllVerbs[] = {
    "dllfile\\shell\\Register DLL Server",
    "dllfile\\shell\\View DLL Server Details",
    "dllfile\\shell\\Compare With...",
    "dllfile\\shell\\Unregister DLL Server",
};

// Creates or opens the key at path and sets its default value to text;
// false when either step was refused.
bool WriteDefaultText(CRegistry& registry, const std::string& path, const std::string& text)
{
    orrery::CKeyGuard key(registry);
    if (key.Create(kClassesRoot, path.c_str()) != kRegSuccess)
        return false;
    return registry.SetValue(key.Get(), "", orrery::kRegSz, reinterpret_cast<const unsigned char*>(text.c_str()),
                             static_cast<unsigned long>(text.size() + 1)) == kRegSuccess;
}

struct CVerbWriter {
    CRegistry& registry;
    const CShellVerbTexts& texts;
    const std::string& programDirectory;
    const std::string& executableName;

    void WriteVerb(const std::string& type, const std::string& menuText, const std::string& verbKey)
    {
        std::string verb = type + "\\shell\\" + verbKey;
        if (!WriteDefaultText(registry, verb, menuText))
            return;
        WriteDefaultText(registry, verb + "\\command", ShellVerbCommand(programDirectory, executableName, verbKey));
    }

    void WriteVerbs(const std::string& type, const std::string& typeText)
    {
        WriteDefaultText(registry, type + "\\shell", "R");
        WriteVerb(type, texts.registerVerb + " " + typeText, "R");
        WriteVerb(type, texts.viewVerb + " " + typeText + " " + texts.detailsVerb, "V");
        WriteVerb(type, texts.compareVerb, "C");
        WriteVerb(type, texts.unregisterVerb + " " + typeText, "U");
        if (typeText == texts.activeXControl)
            WriteDefaultText(registry, type + "\\DefaultIcon", programDirectory + "\\" + executableName + ".exe");
    }
};

} // namespace

std::string ShellVerbCommand(const std::string& programDirectory, const std::string& executableName,
                             const std::string& verbKey)
{
    std::string program = programDirectory + "\\" + executableName + ".exe";
    if (program.find(' ') != std::string::npos)
        program = "\"" + program + "\"";
    return program + " -" + verbKey + " %1";
}

void RegisterShellVerbs(CRegistry& registry, orrery::CMaintenanceUI& ui, const CShellVerbTexts& texts,
                        const std::string& programDirectory, const std::string& executableName)
{
    if (!WriteDefaultText(registry, ".ocx", "ocxfile"))
        return;
    CVerbWriter writer{registry, texts, programDirectory, executableName};
    writer.WriteVerbs("ocxfile", texts.activeXControl);
    for (const char* oldVerb : kOldDllVerbs)
        orrery::DeleteRegistryTree(registry, ui, kClassesRoot, oldVerb);
    writer.WriteVerbs("dllfile", texts.dllServer);
}
