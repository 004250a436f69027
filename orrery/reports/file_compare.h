// Comparing two server files attribute by attribute: the file size and times
// and the eight version strings, as the compare dialog lists them.
#pragma once

#include "orrery/catalogue/com_object.h"
#include "orrery/platform/platform.h"

#include <string>
#include <vector>

namespace orrery {

// One file of a comparison: a registered-object record without a class. Its
// path is the file exactly as given (no quotes stripped, no arguments split
// off) and it counts as found, so its attributes come from that file alone;
// a file that cannot be read has empty attributes.
class CCompareRecord : public CComObject {
public:
    CCompareRecord(CPlatform& platform, const std::string& path);
};

// The file a registered object is compared by: its server file without the
// arguments a server path may carry; a bare file name that is not in the
// current directory is looked up on the system search path.
std::string ComparedFileOf(CPlatform& platform, const CComFile& record);

// A path as a command line hands it over: the blanks around it dropped, and
// the quotes around it when it has them.
std::string PathFromCommandLine(const std::string& text);

// What a result row shows; the compare dialog draws each kind with an image
// of its own.
enum class CompareRowKind {
    SameFileData,  // size or a time, equal
    SameVersion,   // a version string, equal
    Different,
};

// The attributes compared, in row order.
const int kFirstComparedAttribute = AttrFileSize;
const int kLastComparedAttribute = AttrProductVersion;
const int kComparedAttributeCount = kLastComparedAttribute - kFirstComparedAttribute + 1;

struct CCompareRow {
    std::string label;
    std::string first;
    std::string second;
    CompareRowKind kind;
};

struct CFileComparison {
    std::vector<CCompareRow> rows;  // always kComparedAttributeCount rows
    bool identical = true;
};

// Builds a record for each file, loads their version data and compares the
// values byte for byte.
CFileComparison CompareFiles(CPlatform& platform, const std::string& firstFile,
                             const std::string& secondFile);

// The result label before any comparison and after one.
extern const char kSecondFileNotSelected[];
extern const char kFilesIdentical[];
extern const char kFilesDifferent[];
const char* ComparisonVerdict(const CFileComparison& comparison);

}  // namespace orrery
