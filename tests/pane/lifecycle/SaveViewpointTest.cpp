// The viewpoint written back from a shown timeline: the colours and sort orders the user chose
// come back when a pane is built from the written file, nothing else of the description changes,
// and a file that cannot be written leaves what was there.
#include "PaneHarness.h"

#include "WxTestMain.h"
#include "layers/EventMarkerLayer.h"
#include "layers/GlobalEventMarkerLayer.h"
#include "layers/TransitionLayer.h"
#include "pane/ViewpointFile.h"

#include <tarquel_1_0/Directory.h>
#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/HeaderCtrl.h>
#include <tarquel_1_0/Timeline.h>
#include <tessik2/XmlSessionStorage.h>

#include <gtest/gtest.h>

#include <iterator>
#include <unistd.h>

namespace pane_test {
namespace {

namespace fs = std::filesystem;

template <class Layer>
tarquel_1_0::GraphLayer* findLayer(velmora_1_0::TimelinePane& pane)
{
    for (tarquel_1_0::GraphLayer* layer : pane.getTimeline()->getDirectory().getLayers())
        if (dynamic_cast<Layer*>(layer) && (std::is_same<Layer, velmora_1_0::GlobalEventMarkerLayer>::value ||
                                            !dynamic_cast<velmora_1_0::GlobalEventMarkerLayer*>(layer)))
            return layer;
    return nullptr;
}

class SaveViewpoint : public ::testing::Test {
protected:
    void SetUp() override { fs::create_directories(m_dir); }
    void TearDown() override { fs::remove_all(m_dir); }

    const fs::path m_dir = fs::temp_directory_path() / ("velmora_saved_views_" + std::to_string(::getpid()));
};

TEST_F(SaveViewpoint, ColoursAndSortOrdersComeBackFromTheWrittenFile)
{
    const std::string body = "<showError>1</showError>" + ruler(layer("globalEvents")) +
                             threadArea(layer("waitStates") + layer("instantMarkers")) +
                             "<area><rowSet displayName=\"Counters\">" + layer("counterValues") + "</rowSet></area>";
    const wxColour markers(12, 34, 156);
    const wxColour transitions(1, 2, 3, 128);
    const wxColour global(250, 0, 5);
    const fs::path file = m_dir / "saved.xml";
    std::wstring firstRow;
    {
        PaneHarness harness;
        harness.writeViewpoint(L"views", body);
        harness.start(L"views");
        velmora_1_0::TimelinePane& pane = harness.pane();
        // What the legend's colour commands and the header's sort command leave behind.
        findLayer<velmora_1_0::EventMarkerLayer>(pane)->setColor(markers);
        findLayer<velmora_1_0::TransitionLayer>(pane)->setColor(transitions);
        findLayer<velmora_1_0::GlobalEventMarkerLayer>(pane)->setColor(global);
        pane.getTimeline()->getHeader(0)->setSortOrder(tarquel_1_0::DataProvider::SORT_LABEL_DESCENDING);
        firstRow = pane.getTimeline()->getGraph(0)->getRowName(0).ToStdWstring();
        wxString error;
        ASSERT_TRUE(pane.saveViewpoint(file, error)) << error;
        EXPECT_FALSE(fs::exists(m_dir / "saved.xml.saving"));
    }

    PaneHarness reopened;
    reopened.copyViewpoint(L"saved", file);
    reopened.start(L"saved");
    velmora_1_0::TimelinePane& pane = reopened.pane();
    // Read without a single message: the written description is as valid as the one given.
    EXPECT_EQ(reopened.shownMessages(), std::vector<std::wstring>());
    EXPECT_EQ(findLayer<velmora_1_0::EventMarkerLayer>(pane)->getColor(), markers);
    EXPECT_EQ(findLayer<velmora_1_0::TransitionLayer>(pane)->getColor(), transitions);
    EXPECT_EQ(findLayer<velmora_1_0::GlobalEventMarkerLayer>(pane)->getColor(), global);
    EXPECT_EQ(pane.getTimeline()->getHeader(0)->getSortOrder(), tarquel_1_0::DataProvider::SORT_LABEL_DESCENDING);
    EXPECT_EQ(pane.getTimeline()->getGraph(0)->getRowName(0).ToStdWstring(), firstRow);
    EXPECT_EQ(pane.getTimeline()->getHeader(1)->getSortOrder(), tarquel_1_0::DataProvider::SORT_NONE);
    // The same areas and layers as before, in the same places.
    EXPECT_EQ(pane.getTimeline()->getPaneCount(), 2);
    EXPECT_EQ(reopened.layers().size(), 5u);
}

TEST_F(SaveViewpoint, TheWrittenTreeReadsBackAsItWas)
{
    mirrow2::variant_bag_t document(L"view");
    document.add_bag(mirrow2::variant_bag_t(L"description")).add_value(L"", std::wstring(L"Tasks & <waits> \"ü\""));
    mirrow2::variant_bag_t area(L"area");
    mirrow2::variant_bag_t rowSet(L"rowSet");
    rowSet.add_value(L"displayName", std::wstring(L"a \"quoted\" & <odd> name"));
    rowSet.add_value(L"sortOrder", std::wstring(L"3"));
    rowSet.add_bag(mirrow2::variant_bag_t(L"layer"));
    area.add_bag(rowSet);
    document.add_bag(area);
    const fs::path file = m_dir / "tree.xml";
    wxString error;
    ASSERT_TRUE(velmora_1_0::ViewpointFile::write(document, file, error)) << error;

    const auto storage = tessik2::createXmlSessionStorage(m_dir.wstring(), nullptr);
    EXPECT_EQ(storage->get_section(L"tree")->get_variant_bag(L"view", mirrow2::variant_bag_t()), document);
}

TEST_F(SaveViewpoint, AFileThatCannotBeWrittenIsNamedAndWhatWasThereStays)
{
    PaneHarness harness;
    harness.writeViewpoint(L"views", threadArea(layer("instantMarkers")));
    harness.start(L"views");
    wxString error;
    // The folder does not exist.
    EXPECT_FALSE(harness.pane().saveViewpoint(m_dir / "missing" / "saved.xml", error));
    EXPECT_TRUE(error.StartsWith("Cannot write the viewpoint to " + (m_dir / "missing" / "saved.xml").string()))
        << error;
    EXPECT_TRUE(error.Contains("No such file or directory")) << error;

    // A folder stands where the file would go: the rename fails, the folder stays as it was and
    // no partial file is left beside it.
    const fs::path taken = m_dir / "taken.xml";
    fs::create_directories(taken / "inside");
    error.clear();
    EXPECT_FALSE(harness.pane().saveViewpoint(taken, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_directory(taken / "inside"));
    EXPECT_FALSE(fs::exists(m_dir / "taken.xml.saving"));

    // A pane that read no viewpoint has nothing to write.
    PaneHarness empty;
    error.clear();
    EXPECT_FALSE(empty.pane().saveViewpoint(m_dir / "nothing.xml", error));
    EXPECT_EQ(error, "There is no viewpoint to save: none was read.");
    EXPECT_FALSE(fs::exists(m_dir / "nothing.xml"));
}

} // namespace
} // namespace pane_test
