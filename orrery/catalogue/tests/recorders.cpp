#include "orrery/catalogue/tests/recorders.h"

namespace orrery {

void CRecordingList::AppendRow(const std::string& label, const std::string& value,
                               RowKind kind)
{
    rows.push_back(CRecordedRow{label, value, kind});
}

std::vector<std::string> CRecordingList::Labels() const
{
    std::vector<std::string> labels;
    for (const CRecordedRow& row : rows)
        labels.push_back(row.label);
    return labels;
}

std::vector<RowKind> CRecordingList::Kinds() const
{
    std::vector<RowKind> kinds;
    for (const CRecordedRow& row : rows)
        kinds.push_back(row.kind);
    return kinds;
}

std::string CRecordingList::Value(const std::string& label) const
{
    for (const CRecordedRow& row : rows) {
        if (row.label == label)
            return row.value;
    }
    return "<no row>";
}

TreeItem CRecordingTree::InsertItem(TreeItem parent, const std::string& text,
                                    ItemKind kind, CComFile* data)
{
    size_t parentIndex = reinterpret_cast<size_t>(parent);
    m_items.push_back(Item{parentIndex, text, kind, data, false});
    return reinterpret_cast<TreeItem>(m_items.size());
}

void CRecordingTree::Expand(TreeItem item)
{
    size_t index = reinterpret_cast<size_t>(item);
    if (index >= 1 && index <= m_items.size())
        m_items[index - 1].expanded = true;
}

void CRecordingTree::RenderChildren(size_t parent, int depth, std::string* out) const
{
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].parent != parent)
            continue;
        *out += std::string(2 * depth, ' ') + m_items[i].text + "\n";
        RenderChildren(i + 1, depth + 1, out);
    }
}

std::string CRecordingTree::Render() const
{
    std::string out;
    RenderChildren(0, 0, &out);
    return out;
}

bool CRecordingTree::IsExpanded(const std::string& text) const
{
    for (const Item& item : m_items) {
        if (item.text == text)
            return item.expanded;
    }
    return false;
}

bool CRecordingTree::AllOfKind(ItemKind kind) const
{
    for (const Item& item : m_items) {
        if (item.kind != kind || item.data)
            return false;
    }
    return true;
}

void AddClass(CMemoryRegistry& registry, const std::string& clsid, const char* progId)
{
    registry.AddKey("CLSID\\" + clsid);
    if (progId)
        SetClassValue(registry, clsid, "ProgID", progId);
}

void SetClassValue(CMemoryRegistry& registry, const std::string& clsid,
                   const std::string& subkey, const std::string& value)
{
    registry.SetString("CLSID\\" + clsid + "\\" + subkey, "", value);
}

void AddClassKey(CMemoryRegistry& registry, const std::string& clsid,
                 const std::string& subkey)
{
    registry.AddKey("CLSID\\" + clsid + "\\" + subkey);
}

}  // namespace orrery
