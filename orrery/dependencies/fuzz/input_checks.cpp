#include "orrery/dependencies/fuzz/input_checks.h"

#include "orrery/dependencies/collect_dependencies.h"
#include "orrery/dependencies/pe_imports.h"
#include "orrery/platform/memory_platform.h"
#include "orrery/platform/upper_case.h"

#include <set>

namespace orrery {

namespace {

const std::size_t kLongestName = 255;
const std::size_t kCopies = 16;

std::string CheckNames(const std::vector<unsigned char>& input, std::vector<std::string>* names)
{
    CByteView view;
    view.data = input.data();
    view.size = input.size();
    bool image = ReadImportedDllNames(view, names);
    if (!image && !names->empty())
        return "names were read from what is not an image";
    std::size_t total = 0;
    for (const std::string& name : *names) {
        if (name.size() > kLongestName)
            return "a name longer than a file name: " + name.substr(0, 40) + "...";
        if (name.find('\0') != std::string::npos)
            return "a name holding a zero byte";
        total += name.size() + 1;
    }
    if (total > input.size())
        return "the names hold more bytes than the file";
    return std::string();
}

std::string CheckWalk(const std::vector<unsigned char>& input, const std::vector<std::string>& names)
{
    CMemoryPlatform machine;
    machine.files.AddSearchDirectory("C:\\sys");
    machine.files.AddFileContents("C:\\app\\input.dll", input);
    // The first few names stand for the input again; the rest are missing.
    // Each copy costs the input's size, so a table of thousands of names
    // must not make thousands.
    std::set<std::string> installed;
    for (const std::string& name : names) {
        if (installed.size() == kCopies)
            break;
        if (!name.empty() && name.find_first_of("\\*?") == std::string::npos &&
            installed.insert(UpperCase(name)).second)
            machine.files.AddFileContents("C:\\sys\\" + name, input);
    }
    CDependencyList list;
    if (CollectDependencies(machine.Get(), "C:\\app\\input.dll", list) != !input.empty())
        return "the walk did not say whether the file could be opened";
    std::set<std::string> seen;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (!seen.insert(UpperCase(list[i].GetDisplayName())).second)
            return "listed twice: " + list[i].GetDisplayName();
        if (list[i].IsFound() == list[i].GetFilePath().empty())
            return "found flag and path disagree for " + list[i].GetDisplayName();
    }
    return std::string();
}

}  // namespace

std::string CheckImportPromises(const std::vector<unsigned char>& input)
{
    std::vector<std::string> names;
    std::string broken = CheckNames(input, &names);
    return broken.empty() ? CheckWalk(input, names) : broken;
}

}  // namespace orrery
