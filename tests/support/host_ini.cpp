#include "tests/support/host_ini.h"

#include <windows.h>

namespace test_support {

namespace {
// The keys of a section as "key=value" texts, each ended by a zero byte.
std::string section_text(const std::string& section) {
  std::string buffer(32768, '\0');
  DWORD length = GetPrivateProfileSectionA(section.c_str(), &buffer[0], static_cast<DWORD>(buffer.size()),
                                           host_ini_file);
  buffer.resize(length);
  return buffer;
}
}  // namespace

std::string ini_value(const char* section, const char* key) {
  char text[512] = "";
  DWORD length = GetPrivateProfileStringA(section, key, "", text, sizeof text, host_ini_file);
  return std::string(text, length);
}

void set_ini_value(const char* section, const char* key, const char* value) {
  WritePrivateProfileStringA(section, key, value, host_ini_file);
}

void remove_ini_section(const char* section) { WritePrivateProfileStringA(section, nullptr, nullptr, host_ini_file); }

IniSectionsKept::IniSectionsKept(std::initializer_list<const char*> sections) {
  for (const char* section : sections) sections_[section] = section_text(section);
}

IniSectionsKept::~IniSectionsKept() {
  for (const auto& kept : sections_) {
    remove_ini_section(kept.first.c_str());
    std::string text = kept.second + '\0';
    if (!kept.second.empty()) WritePrivateProfileSectionA(kept.first.c_str(), text.c_str(), host_ini_file);
  }
}

}  // namespace test_support
