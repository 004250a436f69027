#include "orrery/app/help_topics.h"

const char kHelpFileName[] = "orrery.hlp";
const char kHelpFolderName[] = "orrery-help";

const char* HelpPageName(int context)
{
    switch (context) {
    case HelpCompare:
        return "compare.html";
    case HelpOptions:
        return "options.html";
    case HelpReport:
        return "report.html";
    case HelpMissingDependencies:
        return "missing-dependencies.html";
    default:
        return "index.html";
    }
}

CHelpRequest ChooseHelp(const std::string& programDirectory, int context,
                        const std::function<bool(const std::string&)>& fileExists)
{
    std::string helpFile = programDirectory + "\\" + kHelpFileName;
    if (fileExists(helpFile)) {
        if (context == HelpContents)
            return {CHelpRequest::HelpFile, helpFile, kWinHelpContents, 0};
        return {CHelpRequest::HelpFile, helpFile, kWinHelpContext, static_cast<unsigned long>(context)};
    }
    std::string page = programDirectory + "\\" + kHelpFolderName + "\\" + HelpPageName(context);
    return {fileExists(page) ? CHelpRequest::Page : CHelpRequest::NotFound, page, 0, 0};
}
