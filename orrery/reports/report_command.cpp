#include "orrery/reports/report_command.h"

#include "orrery/catalogue/attributes.h"

#include <algorithm>
#include <cstddef>
#include <cstdlib>

namespace orrery {

namespace {

const char kUsageOptions[] =
    "Usage: orrery-report.exe [options] OUT\n"
    "Writes an inventory report of the COM objects registered on this machine to the file OUT.\n"
    "\n"
    "Options:\n"
    "  --category controls|dll|exe   the category to report: ActiveX controls (the default),\n"
    "                                DLL servers or EXE servers\n"
    "  --format formatted|plain|csv  formatted HTML (one table per object), plain HTML\n"
    "                                (one line per attribute) or comma-delimited text (the default)\n"
    "  --deps                        list each server's DLL dependencies (plain HTML only)\n"
    "  --misbehaved-only             only objects whose server file is missing\n"
    "  --well-behaved-only           only objects whose server file was found\n"
    "  --attributes N,N,...          the attributes to write, by number, in this order\n"
    "                                (default: all of them, 0 to 18):\n";

const char kUsageEnd[] =
    "  --help                        show this text\n"
    "\n"
    "Objects are listed in alphabetical order of their ProgID. The exit code is 0 when the\n"
    "report was written in full, 1 otherwise.\n";

template <typename Choice>
struct CNamedChoice {
    const char* name;
    Choice choice;
};

// The choice named value, from a table of names; false for a name the table
// does not have.
template <typename Choice, std::size_t Count>
bool ParseChoice(const std::string& value, const CNamedChoice<Choice> (&table)[Count], Choice* choice)
{
    for (const CNamedChoice<Choice>& named : table) {
        if (value == named.name) {
            *choice = named.choice;
            return true;
        }
    }
    return false;
}

const CNamedChoice<ObjectCategory> kCategoryNames[] = {
    {"controls", CategoryControls},
    {"dll", CategoryDllServers},
    {"exe", CategoryExeServers},
};

const CNamedChoice<ReportFormat> kFormatNames[] = {
    {"formatted", ReportFormatted},
    {"plain", ReportPlain},
    {"csv", ReportCommaDelimited},
};

bool ParseAttributeId(const std::string& text, int* id)
{
    if (text.empty() || text.size() > 2 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    *id = std::atoi(text.c_str());
    return *id < kAttributeCount;
}

bool ParseAttributes(const std::string& value, std::vector<int>* attributes, std::string* error)
{
    attributes->clear();
    std::size_t start = 0;
    while (true) {
        std::size_t comma = value.find(',', start);
        std::string item = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        int id = 0;
        if (!ParseAttributeId(item, &id)) {
            *error = "--attributes: \"" + item + "\" is not an attribute number from 0 to 18";
            return false;
        }
        if (std::find(attributes->begin(), attributes->end(), id) != attributes->end()) {
            *error = "--attributes: attribute " + item + " is given twice";
            return false;
        }
        attributes->push_back(id);
        if (comma == std::string::npos)
            return true;
        start = comma + 1;
    }
}

// Splits "--name=value" into its two parts; value stays empty without "=".
void SplitOption(const std::string& arg, std::string* name, std::string* value, bool* hasValue)
{
    std::size_t equals = arg.find('=');
    *hasValue = equals != std::string::npos;
    *name = arg.substr(0, equals);
    *value = *hasValue ? arg.substr(equals + 1) : std::string();
}

}  // namespace

std::string ReportUsage()
{
    std::string usage = kUsageOptions;
    for (int id = 0; id < kAttributeCount; ++id)
        usage += "                                  " + std::to_string(id) + (id < 10 ? "  " : " ") +
                 AttributeLabel(id) + "\n";
    return usage + kUsageEnd;
}

bool ParseReportCommand(const std::vector<std::string>& args, CReportCommand* command,
                        std::string* error)
{
    *command = CReportCommand();
    command->choices.format = ReportCommaDelimited;
    for (int id = 0; id < kAttributeCount; ++id)
        command->choices.attributes.push_back(id);
    bool misbehavedOnly = false, wellBehavedOnly = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.compare(0, 2, "--") != 0) {
            if (!command->outputPath.empty()) {
                *error = "only one output file may be given (\"" + command->outputPath + "\", \"" + arg + "\")";
                return false;
            }
            command->outputPath = arg;
            continue;
        }
        std::string name, value;
        bool hasValue = false;
        SplitOption(arg, &name, &value, &hasValue);
        bool takesValue = name == "--category" || name == "--format" || name == "--attributes";
        if (takesValue && !hasValue) {
            if (i + 1 >= args.size()) {
                *error = name + " needs a value";
                return false;
            }
            value = args[++i];
        } else if (!takesValue && hasValue) {
            *error = name + " takes no value";
            return false;
        }
        if (name == "--help") {
            command->showHelp = true;
        } else if (name == "--deps") {
            command->choices.includeDependencies = true;
        } else if (name == "--misbehaved-only") {
            misbehavedOnly = true;
        } else if (name == "--well-behaved-only") {
            wellBehavedOnly = true;
        } else if (name == "--category") {
            if (!ParseChoice(value, kCategoryNames, &command->category)) {
                *error = "--category: \"" + value + "\" is none of controls, dll, exe";
                return false;
            }
        } else if (name == "--format") {
            if (!ParseChoice(value, kFormatNames, &command->choices.format)) {
                *error = "--format: \"" + value + "\" is none of formatted, plain, csv";
                return false;
            }
        } else if (name == "--attributes") {
            if (!ParseAttributes(value, &command->choices.attributes, error))
                return false;
        } else {
            *error = "unknown option " + name;
            return false;
        }
    }
    if (command->showHelp)
        return true;
    if (misbehavedOnly && wellBehavedOnly) {
        *error = "--misbehaved-only and --well-behaved-only cannot be given together";
        return false;
    }
    if (command->outputPath.empty()) {
        *error = "no output file given";
        return false;
    }
    command->choices.wellBehaved = !misbehavedOnly;
    command->choices.misbehaved = !wellBehavedOnly;
    command->choices.categoryName = kCategoryTabText[command->category];
    return true;
}

}  // namespace orrery
