#include "orrery/reports/file_compare.h"

#include <memory>

namespace orrery {

const char kSecondFileNotSelected[] = "Second File was not selected yet.";
const char kFilesIdentical[] = "Files have identical attributes.";
const char kFilesDifferent[] = "Files have differnet attributes.";

// No CLSID: the base reads no class value and finds an empty path, which the
// given file then replaces.
CCompareRecord::CCompareRecord(CPlatform& platform, const std::string& path)
    : CComObject(platform, std::string(), "InprocServer32")
{
    SetPath(path);
    SetFound(true);
}

std::string ComparedFileOf(CPlatform& platform, const CComFile& record)
{
    std::string file = record.GetServerFile();
    CFileEntry entry;
    if (file.empty() || file.find('\\') != std::string::npos || platform.files.FindFile(file, &entry))
        return file;
    std::string found = platform.files.SearchFile(file);
    return found.empty() ? file : found;
}

std::string PathFromCommandLine(const std::string& text)
{
    size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    size_t last = text.find_last_not_of(" \t");
    std::string path = text.substr(first, last - first + 1);
    if (path.size() >= 2 && path.front() == '"' && path.back() == '"')
        path = path.substr(1, path.size() - 2);
    return path;
}

CFileComparison CompareFiles(CPlatform& platform, const std::string& firstFile,
                             const std::string& secondFile)
{
    std::unique_ptr<CCompareRecord> first(new CCompareRecord(platform, firstFile));
    std::unique_ptr<CCompareRecord> second(new CCompareRecord(platform, secondFile));
    first->LoadVersionInfo();
    second->LoadVersionInfo();

    CFileComparison comparison;
    for (int id = kFirstComparedAttribute; id <= kLastComparedAttribute; ++id) {
        CCompareRow row;
        row.label = AttributeLabel(id);
        row.first = first->GetAttribute(id);
        row.second = second->GetAttribute(id);
        if (row.first != row.second) {
            comparison.identical = false;
            row.kind = CompareRowKind::Different;
        } else {
            row.kind = id <= AttrAccessed ? CompareRowKind::SameFileData : CompareRowKind::SameVersion;
        }
        comparison.rows.push_back(row);
    }
    return comparison;
}

const char* ComparisonVerdict(const CFileComparison& comparison)
{
    return comparison.identical ? kFilesIdentical : kFilesDifferent;
}

}  // namespace orrery
