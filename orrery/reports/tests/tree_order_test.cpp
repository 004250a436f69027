#include "orrery/reports/tree_order.h"

#include "orrery/catalogue/com_servers.h"
#include "orrery/platform/memory_platform.h"

#include <gtest/gtest.h>

#include <cctype>
#include <memory>

namespace orrery {
namespace {

// Plain case-blind byte order, enough to see where equal labels go.
int CompareIgnoringCase(const std::string& a, const std::string& b)
{
    for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
        int x = std::tolower(static_cast<unsigned char>(a[i]));
        int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x - y;
    }
    return static_cast<int>(a.size()) - static_cast<int>(b.size());
}

class TreeOrderTest : public ::testing::Test {
protected:
    // One DLL server per ProgID, in this list order; its CLSID is "{n}".
    std::vector<CComObject*> Records(const std::vector<std::string>& progIds)
    {
        std::vector<CComObject*> records;
        for (const std::string& progId : progIds) {
            std::string clsid = "{" + std::to_string(m_records.size()) + "}";
            machine.registry.SetString("CLSID\\" + clsid + "\\ProgID", "", progId);
            m_records.emplace_back(new CDllServer(machine.Get(), clsid));
            records.push_back(m_records.back().get());
        }
        return records;
    }

    static std::vector<std::string> Clsids(const std::vector<CComObject*>& records)
    {
        std::vector<std::string> clsids;
        for (CComObject* record : records)
            clsids.push_back(record->GetClsid());
        return clsids;
    }

    CMemoryPlatform machine;

private:
    std::vector<std::unique_ptr<CComObject>> m_records;
};

TEST_F(TreeOrderTest, SortsByProgIdWithTheTreesComparison)
{
    std::vector<CComObject*> records = Records({"Orrery.Gauge", "alpha.codec", "Beta", "orrery.dial"});
    EXPECT_EQ((std::vector<std::string>{"{1}", "{2}", "{3}", "{0}"}), Clsids(InTreeOrder(records, CompareIgnoringCase)));
    EXPECT_TRUE(InTreeOrder({}, CompareIgnoringCase).empty());
}

TEST_F(TreeOrderTest, ARecordGoesRightAfterTheFirstOneLabelledLikeIt)
{
    // Arriving in the order 0..4: B, a, b, B, A. Each "b" lands right after
    // the first "b" already there, so the later arrivals come first.
    std::vector<CComObject*> records = Records({"B", "a", "b", "B", "A"});
    EXPECT_EQ((std::vector<std::string>{"{1}", "{4}", "{0}", "{3}", "{2}"}),
              Clsids(InTreeOrder(records, CompareIgnoringCase)));
}

TEST_F(TreeOrderTest, AClassWithoutAProgIdValueSortsAsUnknown)
{
    std::vector<CComObject*> records = Records({"Zeta", "", "Alpha"});
    EXPECT_EQ((std::vector<std::string>{"{2}", "{1}", "{0}"}), Clsids(InTreeOrder(records, CompareIgnoringCase)));
}

}  // namespace
}  // namespace orrery
