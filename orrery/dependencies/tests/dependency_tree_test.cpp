#include "orrery/dependencies/dependency_tree.h"

#include "orrery/catalogue/com_servers.h"
#include "orrery/dependencies/tests/fixture_images.h"
#include "orrery/dependencies/tests/image_builder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace orrery {
namespace {

// A tree that records its items; the records stay with whoever filled it.
class CItemTree : public CTreeControl {
public:
    struct Item {
        TreeItem parent;
        std::string text;
        ItemKind kind;
        CComFile* record;
    };

    TreeItem InsertItem(TreeItem parent, const std::string& text, ItemKind kind, CComFile* data) override
    {
        items.push_back(Item{parent, text, kind, data});
        return reinterpret_cast<TreeItem>(items.size());
    }
    void Expand(TreeItem) override { ++expanded; }

    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const Item& item : items)
            texts.push_back(item.text);
        return texts;
    }

    std::vector<Item> items;
    int expanded = 0;
};

class DependencyTreeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSet("C:\\app", "chain", {"chain_a.dll", "chain_b.dll"});
    }

    void Register(const std::string& clsid, const char* serverKey, const std::string& server)
    {
        machine.registry.SetString("CLSID\\" + clsid + "\\ProgID", "", "Test." + clsid);
        machine.registry.SetString("CLSID\\" + clsid + "\\" + serverKey, "", server);
    }

    CDependencyMachine machine;
    CItemTree tree;
};

TEST_F(DependencyTreeTest, FoundAndMissingDllsAreFlatItemsHoldingTheirRecords)
{
    Register("{A}", "InprocServer32", "C:\\app\\chain_a.dll");
    CDllServer server(machine.Get(), "{A}");
    ASSERT_TRUE(server.IsFound());
    CFileRecords records = server.FillDependencyTree(tree);

    ASSERT_EQ((std::vector<std::string>{"KERNEL32.dll", "chain_b.dll", "chain_c.dll"}), tree.Texts());
    ASSERT_EQ(tree.items.size(), records.size());
    for (size_t i = 0; i < records.size(); ++i) {
        const CItemTree::Item& item = tree.items[i];
        EXPECT_EQ(kTreeRoot, item.parent) << item.text;
        EXPECT_EQ(records[i].get(), item.record) << "the item points to the record handed back";
        EXPECT_EQ(item.text, item.record->GetDisplayName());
        EXPECT_EQ(item.record->IsFound() ? ItemKind::FoundDll : ItemKind::MissingDll, item.kind) << item.text;
    }
    EXPECT_EQ(ItemKind::FoundDll, tree.items[0].kind);
    EXPECT_EQ(ItemKind::MissingDll, tree.items[2].kind) << "chain_c.dll is missing";
    EXPECT_EQ("C:\\app\\chain_b.dll", tree.items[1].record->GetFilePath());
    EXPECT_EQ("", tree.items[2].record->GetFilePath());
    EXPECT_EQ(0, tree.expanded);
}

TEST_F(DependencyTreeTest, MisbehavedObjectGetsAnEmptyTreeAndNothingIsOpened)
{
    Register("{M}", "InprocServer32", "C:\\gone\\chain_a.dll");
    CDllServer server(machine.Get(), "{M}");
    ASSERT_FALSE(server.IsFound());
    EXPECT_TRUE(server.FillDependencyTree(tree).empty());
    EXPECT_TRUE(tree.items.empty());
    EXPECT_EQ(0u, machine.files.OpenCount("C:\\gone\\chain_a.dll"));
}

TEST_F(DependencyTreeTest, FileThatCannotBeReadOrImportsNothingLeavesTheTreeEmpty)
{
    machine.Install("C:\\app\\plain.dll", "plain/no_imports.dll");
    Register("{P}", "InprocServer32", "C:\\app\\plain.dll");
    CDllServer plain(machine.Get(), "{P}");
    EXPECT_TRUE(plain.FillDependencyTree(tree).empty());
    EXPECT_TRUE(tree.items.empty());

    machine.files.RefuseOpening("C:\\app\\chain_a.dll");
    Register("{R}", "InprocServer32", "C:\\app\\chain_a.dll");
    CDllServer refused(machine.Get(), "{R}");
    ASSERT_TRUE(refused.IsFound());
    EXPECT_TRUE(refused.FillDependencyTree(tree).empty());
    EXPECT_TRUE(tree.items.empty());
}

TEST_F(DependencyTreeTest, ExeServerWithArgumentsIsWalkedFromItsFile)
{
    machine.files.AddFileContents("C:\\app\\server.exe", CImageBuilder({"chain_b.dll"}).Bytes());
    Register("{E}", "LocalServer32", "C:\\app\\server.exe /automation");
    CExeServer server(machine.Get(), "{E}");
    ASSERT_TRUE(server.IsFound());
    CFileRecords records = server.FillDependencyTree(tree);
    EXPECT_EQ((std::vector<std::string>{"chain_b.dll", "chain_c.dll"}), tree.Texts());
    EXPECT_EQ(2u, records.size());
}

TEST_F(DependencyTreeTest, PlainFileRecordsAreWalkedThroughTheSameRoutine)
{
    CComFile file(machine.Get());
    file.SetPath("C:\\app\\chain_b.dll");
    file.SetFound(true);
    CFileRecords records = FillDependencyItems(machine.Get(), file, tree);
    EXPECT_EQ((std::vector<std::string>{"chain_c.dll"}), tree.Texts());
    ASSERT_EQ(1u, records.size());
    EXPECT_EQ("chain_c.dll", records[0]->GetDisplayName());
}

}  // namespace
}  // namespace orrery
