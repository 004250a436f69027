// orrery's help: which topic a help request names and what opens it. When
// the Windows help file orrery.hlp lies beside the program, the help viewer
// opens it at the topic's context number; otherwise the topic is one of the
// HTML pages in the orrery-help folder beside the program.
#ifndef ORRERY_APP_HELP_TOPICS_H
#define ORRERY_APP_HELP_TOPICS_H

#include <functional>
#include <string>

// The help contexts of the dialogs' Help buttons.
enum HelpContext {
    HelpContents = 0,  // the contents page; no context of the help file
    HelpCompare = 101,
    HelpOptions = 102,
    HelpReport = 103,
    HelpMissingDependencies = 104,
};

// The commands given to the help viewer, numerically equal to HELP_CONTEXT
// and HELP_CONTENTS.
const unsigned kWinHelpContext = 0x0001;
const unsigned kWinHelpContents = 0x0003;

extern const char kHelpFileName[];
extern const char kHelpFolderName[];

// The page of a context; the contents page for HelpContents and for any
// context that has no page of its own.
const char* HelpPageName(int context);

struct CHelpRequest {
    enum Kind {
        HelpFile,  // open path with the help viewer: command, data
        Page,      // open the page at path with the user's browser
        NotFound,  // neither the help file nor the page (path) is there
    };
    Kind kind;
    std::string path;
    unsigned command;
    unsigned long data;
};

// What opens the help for context, the program being in programDirectory.
CHelpRequest ChooseHelp(const std::string& programDirectory, int context,
                        const std::function<bool(const std::string&)>& fileExists);

#endif
