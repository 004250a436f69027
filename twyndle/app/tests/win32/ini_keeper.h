// Keeps the sections of scriv32.ini that twyndle touches ([Twyndle] and
// [Font]) and puts them back when it goes, so tests leave the ini as found.
#pragma once

#include <map>
#include <string>

class IniKeeper {
 public:
  IniKeeper();
  ~IniKeeper();
  IniKeeper(const IniKeeper&) = delete;
  IniKeeper& operator=(const IniKeeper&) = delete;

 private:
  std::map<std::string, std::string> sections_;
};

std::string ini_value(const char* section, const char* key);
void set_ini_value(const char* section, const char* key, const char* value);
