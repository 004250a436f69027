// The small machine the report tests write about, and stand-ins for what a
// report reads from the machine and where it writes.
#pragma once

#include "orrery/platform/memory_platform.h"
#include "orrery/reports/report_writer.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace orrery {

// Three controls, in the order the tree lists them by ProgID:
//   {5C0FF1E5-...} "<script>alert("x")</script>": found, in "C:\Tom & Jerry",
//       with a description holding quotes, commas and a line break;
//   {D1A1...} "Orrery.Dial": misbehaved, its server file is missing;
//   {6A06...} "Orrery.Gauge.1": found, with a type library, file times and
//       every version string.
class CReportSample {
public:
    CReportSample();

    std::vector<CComObject*> Objects() const;
    CMemoryPlatform& Machine() { return m_machine; }

private:
    CMemoryPlatform m_machine;
    std::vector<std::unique_ptr<CComObject>> m_records;
};

// A machine named INVENTORY-PC on Monday, March 04, 2024, with its picture
// in "C:\Program Files\Orrery". Each server's DLLs are set up by path; a
// path without any is a file that cannot be read.
class CFixedEnvironment : public CReportEnvironment {
public:
    CFixedEnvironment();

    std::string ComputerName() override { return computerName; }
    std::tm Today() override { return today; }
    std::string PictureDirectory() override { return pictureDirectory; }
    bool CollectDependencies(const std::string& path, std::vector<CDependencyLine>* lines) override;

    std::string computerName = "INVENTORY-PC";
    std::tm today;
    std::string pictureDirectory = "C:\\Program Files\\Orrery";
    std::map<std::string, std::vector<CDependencyLine>> dependencies;
    std::vector<std::string> walked;   // the paths asked for, in order
};

// Keeps what is written; refuses every write after the first failAfter ones
// when failAfter is set.
class CStringSink : public CReportSink {
public:
    bool Write(const std::string& bytes) override;

    std::string bytes;
    int writes = 0;
    int failAfter = -1;
};

// The DLLs of the sample's two found servers.
void AddSampleDependencies(CFixedEnvironment& environment);

// The bytes of an expected report in tests/expected; for a page, its own
// file between the shared head and foot.
std::string ReadExpected(const std::string& name);
// The head every expected page shares (title, picture, computer and date)
// and its foot (the program's link); each expected .htm file holds the part
// between them.
const char kExpectedPageHead[] = "page_head.htm";
const char kExpectedPageFoot[] = "page_foot.htm";

}  // namespace orrery
