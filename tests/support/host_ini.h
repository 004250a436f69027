// scriv32.ini, the host editor's ini file in the Windows folder: scrivane
// keeps its display font there and twyndle its window placement. Tests
// read and change it with the private-profile functions, as the programs
// do, and put back what they change.
#pragma once

#include <initializer_list>
#include <map>
#include <string>

namespace test_support {

constexpr const char* host_ini_file = "scriv32.ini";

// The key's text; empty when the key is missing.
std::string ini_value(const char* section, const char* key);
// Writes the key; none removes it.
void set_ini_value(const char* section, const char* key, const char* value);
// Removes the whole section.
void remove_ini_section(const char* section);

// Keeps the sections as they are and puts them back when it goes.
class IniSectionsKept {
 public:
  explicit IniSectionsKept(std::initializer_list<const char*> sections);
  ~IniSectionsKept();
  IniSectionsKept(const IniSectionsKept&) = delete;
  IniSectionsKept& operator=(const IniSectionsKept&) = delete;

 private:
  std::map<std::string, std::string> sections_;  // name, the section's keys as the system lists them
};

}  // namespace test_support
