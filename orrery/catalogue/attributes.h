// The nineteen attributes every record answers, their labels and the texts
// the record shows for its file: status, size and times.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace orrery {

enum AttributeId {
    AttrProgID = 0,
    AttrVersion = 1,
    AttrClsid = 2,
    AttrTypeLibName = 3,
    AttrTypeLib = 4,
    AttrFileLocation = 5,
    AttrStatus = 6,
    AttrFileSize = 7,
    AttrCreated = 8,
    AttrLastModified = 9,
    AttrAccessed = 10,
    AttrFileDescription = 11,
    AttrCompanyName = 12,
    AttrFileVersion = 13,
    AttrInternalName = 14,
    AttrLegalCopyright = 15,
    AttrOriginalFilename = 16,
    AttrProductName = 17,
    AttrProductVersion = 18,
};

const int kAttributeCount = 19;

struct CAttributeInfo {
    AttributeId id;
    const char* key;    // registry subkey or version string name; null when none
    const char* label;
};

// Indexed by AttributeId.
extern const CAttributeInfo kAttributeTable[kAttributeCount];

// The label of an attribute, empty text for an id outside 0 to 18.
std::string AttributeLabel(int id);

extern const char kStatusMissing[];   // found flag false
extern const char kStatusNoPath[];    // found, but the path names no directory
extern const char kStatusExists[];

std::string StatusText(bool found, const std::string& path);

std::string FormatFileSize(std::uint64_t size);
std::string FormatDateTime(const std::tm& local);   // created, last modified
std::string FormatDate(const std::tm& local);       // accessed

}  // namespace orrery
