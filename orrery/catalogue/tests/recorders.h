// Test stand-ins for the list and tree controls, and a short way to register
// classes in the in-memory registry.
#pragma once

#include "orrery/catalogue/list_and_tree.h"
#include "orrery/platform/memory_registry.h"

#include <string>
#include <vector>

namespace orrery {

struct CRecordedRow {
    std::string label;
    std::string value;
    RowKind kind;
};

class CRecordingList : public CTwoColumnList {
public:
    void AppendRow(const std::string& label, const std::string& value, RowKind kind) override;

    std::vector<std::string> Labels() const;
    std::vector<RowKind> Kinds() const;
    // The value of the first row with this label; "<no row>" when none.
    std::string Value(const std::string& label) const;

    std::vector<CRecordedRow> rows;
};

class CRecordingTree : public CTreeControl {
public:
    TreeItem InsertItem(TreeItem parent, const std::string& text, ItemKind kind,
                        CComFile* data) override;
    void Expand(TreeItem item) override;

    // One line per item in tree order, indented two spaces per level.
    std::string Render() const;
    size_t Count() const { return m_items.size(); }
    bool IsExpanded(const std::string& text) const;
    // True when every item is of the given kind and has no data.
    bool AllOfKind(ItemKind kind) const;

private:
    struct Item {
        size_t parent;  // 0 for the top level, else index + 1
        std::string text;
        ItemKind kind;
        CComFile* data;
        bool expanded;
    };
    void RenderChildren(size_t parent, int depth, std::string* out) const;

    std::vector<Item> m_items;
};

// Registers a class: "CLSID\<clsid>" with a ProgID key holding progId
// (no ProgID key when progId is null).
void AddClass(CMemoryRegistry& registry, const std::string& clsid, const char* progId);
// Sets the default value of "CLSID\<clsid>\<subkey>".
void SetClassValue(CMemoryRegistry& registry, const std::string& clsid,
                   const std::string& subkey, const std::string& value);
// Creates the key "CLSID\<clsid>\<subkey>" without a value.
void AddClassKey(CMemoryRegistry& registry, const std::string& clsid,
                 const std::string& subkey);

}  // namespace orrery
