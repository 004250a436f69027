#include "twyndle/app/tests/win32/ini_keeper.h"

#include <windows.h>

namespace {
const char ini_file[] = "scriv32.ini";
const char* const kept_sections[] = {"Twyndle", "Font"};

std::string section_text(const char* section) {
  std::string buffer(32768, '\0');
  DWORD length = GetPrivateProfileSectionA(section, &buffer[0], static_cast<DWORD>(buffer.size()), ini_file);
  buffer.resize(length);
  return buffer;
}
}  // namespace

IniKeeper::IniKeeper() {
  for (const char* section : kept_sections) sections_[section] = section_text(section);
}

IniKeeper::~IniKeeper() {
  for (const auto& kept : sections_) {
    WritePrivateProfileStringA(kept.first.c_str(), nullptr, nullptr, ini_file);
    std::string text = kept.second + '\0';
    if (!kept.second.empty()) WritePrivateProfileSectionA(kept.first.c_str(), text.c_str(), ini_file);
  }
}

std::string ini_value(const char* section, const char* key) {
  char text[512] = "";
  DWORD length = GetPrivateProfileStringA(section, key, "", text, sizeof text, ini_file);
  return std::string(text, length);
}

void set_ini_value(const char* section, const char* key, const char* value) {
  WritePrivateProfileStringA(section, key, value, ini_file);
}

