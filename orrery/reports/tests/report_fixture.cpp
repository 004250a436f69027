#include "orrery/reports/tests/report_fixture.h"

#include "orrery/catalogue/com_servers.h"
#include "orrery/platform/calendar_time.h"

#include <fstream>
#include <sstream>

namespace orrery {

namespace {

const char kHostileClsid[] = "{5C0FF1E5-0000-4000-8000-00000000BAD1}";
const char kDialClsid[] = "{D1A1D1A1-0000-4000-8000-000000000002}";
const char kGaugeClsid[] = "{6A0E6A0E-0000-4000-8000-000000000001}";

void AddControl(CMemoryRegistry& registry, const std::string& clsid, const std::string& progId,
                const std::string& server)
{
    std::string key = "CLSID\\" + clsid;
    registry.SetString(key + "\\ProgID", "", progId);
    registry.SetString(key + "\\InprocServer32", "", server);
    registry.AddKey(key + "\\Control");
}

}  // namespace

CReportSample::CReportSample()
{
    CMemoryRegistry& registry = m_machine.registry;
    AddControl(registry, kHostileClsid, "<script>alert(\"x\")</script>", "C:\\Tom & Jerry\\toon.ocx");
    registry.SetString(std::string("CLSID\\") + kHostileClsid + "\\Version", "", "2.0");
    CFileEntry toon;
    toon.size = 700;
    toon.created = toon.lastWritten = toon.lastAccessed = MakeFileTime(2023, 12, 31, 23, 59, 58);
    m_machine.files.AddFile("C:\\Tom & Jerry\\toon.ocx", toon);
    CVersionFixture toonVersion;
    toonVersion.strings = {{"FileDescription", "Draws \"cartoons\", fast,\nand more"},
                           {"CompanyName", "Tom & Jerry <Toons>"}};
    m_machine.versions.SetVersion("C:\\Tom & Jerry\\toon.ocx", toonVersion);

    AddControl(registry, kDialClsid, "Orrery.Dial", "C:\\lib\\dial.ocx");

    AddControl(registry, kGaugeClsid, "Orrery.Gauge.1", "C:\\lib\\gauge.ocx");
    registry.SetString(std::string("CLSID\\") + kGaugeClsid + "\\TypeLib", "", "{7B000000-0000-4000-8000-0000000000AA}");
    registry.SetString(std::string("CLSID\\") + kGaugeClsid + "\\Version", "", "1.0");
    registry.SetString("TypeLib\\{7B000000-0000-4000-8000-0000000000AA}\\1.0", "", "Gauge 1.0 Type Library");
    CFileEntry gauge;
    gauge.size = 123456;
    gauge.created = MakeFileTime(2021, 2, 3, 4, 5, 6);
    gauge.lastWritten = MakeFileTime(2022, 11, 12, 13, 14, 15);
    gauge.lastAccessed = MakeFileTime(2024, 3, 1, 8, 0, 0);
    m_machine.files.AddFile("C:\\lib\\gauge.ocx", gauge);
    CVersionFixture gaugeVersion;
    gaugeVersion.strings = {{"FileDescription", "Gauge Control"},
                            {"CompanyName", "Tarnwick"},
                            {"FileVersion", "1.0.0.7"},
                            {"InternalName", "gauge"},
                            {"LegalCopyright", "Copyright (C) 2021 Tarnwick"},
                            {"OriginalFilename", "gauge.ocx"},
                            {"ProductName", "Orrery Samples"},
                            {"ProductVersion", "1.0"}};
    m_machine.versions.SetVersion("C:\\lib\\gauge.ocx", gaugeVersion);

    for (const char* clsid : {kHostileClsid, kDialClsid, kGaugeClsid})
        m_records.emplace_back(new CComControl(m_machine.Get(), clsid));
}

std::vector<CComObject*> CReportSample::Objects() const
{
    std::vector<CComObject*> objects;
    for (const std::unique_ptr<CComObject>& record : m_records)
        objects.push_back(record.get());
    return objects;
}

CFixedEnvironment::CFixedEnvironment() : today(CalendarTime(2024, 3, 4, 0, 0, 0, 1))
{
    today.tm_yday = 63;
}

bool CFixedEnvironment::CollectDependencies(const std::string& path, std::vector<CDependencyLine>* lines)
{
    walked.push_back(path);
    auto found = dependencies.find(path);
    if (found == dependencies.end())
        return false;
    *lines = found->second;
    return true;
}

bool CStringSink::Write(const std::string& text)
{
    if (failAfter >= 0 && writes >= failAfter)
        return false;
    ++writes;
    bytes += text;
    return true;
}

void AddSampleDependencies(CFixedEnvironment& environment)
{
    environment.dependencies["C:\\lib\\gauge.ocx"] = {
        {"MFC42.DLL", "C:\\windows\\system32\\MFC42.DLL", true},
        {"msvcrt.dll", "C:\\windows\\system32\\msvcrt.dll", true},
        {"GaugeHelp.dll", "", false},
    };
    environment.dependencies["C:\\Tom & Jerry\\toon.ocx"] = {
        {"<b>rush&run.dll", "C:\\Tom & Jerry\\<b>rush&run.dll", true},
    };
}

namespace {

std::string ReadExpectedFile(const std::string& name)
{
    std::ifstream file(std::string(REPORT_EXPECTED_DIR) + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

}  // namespace

std::string ReadExpected(const std::string& name)
{
    bool page = name.size() > 4 && name.compare(name.size() - 4, 4, ".htm") == 0;
    if (!page)
        return ReadExpectedFile(name);
    return ReadExpectedFile(kExpectedPageHead) + ReadExpectedFile(name) + ReadExpectedFile(kExpectedPageFoot);
}

}  // namespace orrery
