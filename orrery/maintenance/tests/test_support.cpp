#include "orrery/maintenance/tests/test_support.h"

#include "orrery/catalogue/registry_text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace orrery {

void CRecordingUI::BeginWait()
{
    ++waiting;
    events.push_back("wait");
}

void CRecordingUI::EndWait()
{
    --waiting;
    events.push_back("end wait");
}

void CRecordingUI::ShowMessage(const std::string& text)
{
    events.push_back("message: " + text);
}

void CRecordingUI::ShowError(const std::string& text)
{
    events.push_back("error: " + text);
}

bool CRecordingUI::AskYesNo(const std::string& caption, const std::string& text)
{
    events.push_back("ask: " + caption + ": " + text);
    if (answers.empty())
        return false;
    bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void CRecordingUI::ShowUnregistered(const std::string& name, const std::string& path)
{
    events.push_back("unregistered: " + name + " | " + path);
}

std::vector<std::string> CRecordingUI::Shown(const std::string& prefix) const
{
    std::vector<std::string> shown;
    for (const std::string& event : events) {
        if (event.compare(0, prefix.size(), prefix) == 0)
            shown.push_back(event.substr(prefix.size()));
    }
    return shown;
}

namespace {

std::string Hex(const std::string& bytes)
{
    std::string text;
    for (unsigned char c : bytes) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x", c);
        text += byte;
    }
    return text;
}

void DumpKey(CRegistry& registry, RegKey key, const std::string& path, std::string& out)
{
    out += "[" + path + "]\n";
    for (unsigned long index = 0;; ++index) {
        std::vector<char> name(16384);
        unsigned long nameSize = static_cast<unsigned long>(name.size());
        std::vector<unsigned char> data(65536);
        unsigned long dataSize = static_cast<unsigned long>(data.size());
        unsigned long type = 0;
        if (registry.EnumValue(key, index, name.data(), &nameSize, &type, data.data(), &dataSize) != kRegSuccess)
            break;
        out += "  " + std::string(name.data(), nameSize) + " " + std::to_string(type) + " " +
               Hex(std::string(reinterpret_cast<char*>(data.data()), dataSize)) + "\n";
    }
    for (unsigned long index = 0;; ++index) {
        std::string child;
        if (EnumSubkeyName(registry, key, index, &child) != kRegSuccess)
            break;
        RegKey childKey = kNoKey;
        if (registry.OpenKey(key, child.c_str(), &childKey) != kRegSuccess)
            continue;
        DumpKey(registry, childKey, path.empty() ? child : path + "\\" + child, out);
        registry.CloseKey(childKey);
    }
}

// The text of a quoted string starting at text[*at] (the opening quote),
// with \\ and \" undone; *at ends after the closing quote.
bool ReadQuoted(const std::string& text, size_t* at, std::string* value)
{
    if (*at >= text.size() || text[*at] != '"')
        return false;
    value->clear();
    for (size_t i = *at + 1; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            *value += text[++i];
        } else if (text[i] == '"') {
            *at = i + 1;
            return true;
        } else {
            *value += text[i];
        }
    }
    return false;
}

bool ReadHexBytes(const std::string& text, std::string* bytes)
{
    bytes->clear();
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        if (item.empty())
            continue;
        char* end = nullptr;
        long value = std::strtol(item.c_str(), &end, 16);
        if (*end || value < 0 || value > 255)
            return false;
        *bytes += static_cast<char>(value);
    }
    return true;
}

bool ParseData(const std::string& data, unsigned long* type, std::string* bytes)
{
    if (!data.empty() && data[0] == '"') {
        size_t at = 0;
        std::string text;
        if (!ReadQuoted(data, &at, &text) || at != data.size())
            return false;
        *type = kRegSz;
        *bytes = text + '\0';
        return true;
    }
    if (data.compare(0, 6, "dword:") == 0) {
        unsigned long value = std::strtoul(data.c_str() + 6, nullptr, 16);
        *type = kRegDword;
        bytes->assign(4, '\0');
        for (int i = 0; i < 4; ++i)
            (*bytes)[i] = static_cast<char>((value >> (8 * i)) & 0xff);
        return true;
    }
    size_t colon = data.find(':');
    if (colon == std::string::npos)
        return false;
    std::string tag = data.substr(0, colon);
    if (tag == "hex")
        *type = kRegBinary;
    else if (tag.compare(0, 4, "hex(") == 0 && tag.back() == ')')
        *type = std::strtoul(tag.c_str() + 4, nullptr, 16);
    else
        return false;
    return ReadHexBytes(data.substr(colon + 1), bytes);
}

// The file's logical lines: CR LF ends removed, continued lines joined.
std::vector<std::string> LogicalLines(const std::string& file)
{
    std::vector<std::string> lines;
    std::stringstream in(file);
    std::string line;
    bool continuing = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (continuing) {
            size_t first = line.find_first_not_of(' ');
            lines.back() += first == std::string::npos ? std::string() : line.substr(first);
        } else {
            lines.push_back(line);
        }
        continuing = !lines.back().empty() && lines.back().back() == '\\' &&
                     lines.back().find("=hex") != std::string::npos;
        if (continuing)
            lines.back().pop_back();
    }
    return lines;
}

}  // namespace

std::string DumpRegistry(CRegistry& registry, const std::string& path)
{
    std::string out;
    RegKey key = kNoKey;
    if (registry.OpenKey(kClassesRoot, path.c_str(), &key) != kRegSuccess)
        return out;
    DumpKey(registry, key, path, out);
    registry.CloseKey(key);
    return out;
}

std::string SortedDump(CRegistry& registry, const std::string& path)
{
    std::stringstream in(DumpRegistry(registry, path));
    std::vector<std::string> lines;
    std::string line;
    std::string key;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[')
            key = line;
        lines.push_back(line[0] == '[' ? line : key + line);
    }
    std::sort(lines.begin(), lines.end());
    std::string out;
    for (const std::string& sorted : lines)
        out += sorted + "\n";
    return out;
}

bool ImportRegFile(CRegistry& registry, const std::string& file, std::string* error)
{
    const std::string root = "[HKEY_CLASSES_ROOT\\";
    std::vector<std::string> lines = LogicalLines(file);
    if (lines.empty() || lines[0] != "REGEDIT4") {
        *error = "no REGEDIT4 header";
        return false;
    }
    RegKey key = kNoKey;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty())
            continue;
        if (line.compare(0, root.size(), root) == 0 && line.back() == ']') {
            if (key != kNoKey)
                registry.CloseKey(key);
            std::string path = line.substr(root.size(), line.size() - root.size() - 1);
            if (registry.CreateKey(kClassesRoot, path.c_str(), &key) != kRegSuccess) {
                *error = line;
                return false;
            }
            continue;
        }
        std::string name;
        size_t at = 0;
        if (line[0] == '@')
            at = 1;
        else if (!ReadQuoted(line, &at, &name)) {
            *error = line;
            return false;
        }
        unsigned long type = kRegNone;
        std::string bytes;
        if (key == kNoKey || at >= line.size() || line[at] != '=' || !ParseData(line.substr(at + 1), &type, &bytes) ||
            registry.SetValue(key, name.c_str(), type, reinterpret_cast<const unsigned char*>(bytes.data()),
                              static_cast<unsigned long>(bytes.size())) != kRegSuccess) {
            *error = line;
            return false;
        }
    }
    if (key != kNoKey)
        registry.CloseKey(key);
    return true;
}

}  // namespace orrery
