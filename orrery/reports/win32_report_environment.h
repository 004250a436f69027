// What a report reads from the live machine: the computer's name, today's
// date, the directory whose orrery.jpg the page shows, and the DLLs a server
// depends on.
#pragma once

#include "orrery/platform/platform.h"
#include "orrery/reports/report_writer.h"

namespace orrery {

// The picture the HTML header shows, as the program carries it (a resource
// of type RCDATA).
extern const char kReportPictureResource[];

class CWin32ReportEnvironment : public CReportEnvironment {
public:
    // platform: the machine whose files the dependency walk reads.
    explicit CWin32ReportEnvironment(CPlatform& platform) : m_platform(platform) {}

    std::string ComputerName() override;
    std::tm Today() override;
    // The current directory, with orrery.jpg put there from the program's
    // resource when it is missing. Where it cannot be put (a folder the user
    // may not write to), the temporary directory is used instead, so that
    // the page never shows a broken picture.
    std::string PictureDirectory() override;
    bool CollectDependencies(const std::string& path, std::vector<CDependencyLine>* lines) override;

private:
    CPlatform& m_platform;
};

// Makes sure directory holds orrery.jpg: true when it was there or has been
// written from the program's resource.
bool PlaceReportPicture(const std::string& directory);

}  // namespace orrery
