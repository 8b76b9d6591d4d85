// Legend entries, the colour command and the legend toggles, on a real legend of a timeline.
#include "OverTimeFixture.h"

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/Legend.h>
#include <tarquel_1_0/LegendItem.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/Timeline.h>

#include <wx/frame.h>
#include <wx/menu.h>

namespace overtime_test {
namespace {

using velmora_1_0::OverTimeLayer;

class OverTimeLegend : public OverTimeFixture {
protected:
    OverTimeLegend() : OverTimeFixture(true) {}

    void SetUp() override
    {
        ASSERT_TRUE(tarquel_1_0::registerMessageCatalog("velmora"));
        m_frame = new wxFrame(nullptr, wxID_ANY, "legend"); // destroyed in TearDown
        m_timeline = new tarquel_1_0::Timeline(m_frame);    // a child window of the frame
        attach(m_other);
        for (OverTimeLayer* layer : {static_cast<OverTimeLayer*>(&m_layer), &m_other})
            layer->attach(m_timeline, &m_graph);
    }

    void TearDown() override
    {
        tarquel_1_0::setColorPicker(nullptr);
        m_frame->Destroy();
    }

    std::vector<int> legendIds(OverTimeLayer& layer)
    {
        std::vector<int> ids;
        layer.customizeLegend(ids);
        return ids;
    }

    wxFrame* m_frame = nullptr;
    tarquel_1_0::Timeline* m_timeline = nullptr;
    OverTimeLayer m_other;
};

TEST_F(OverTimeLegend, RowOwnerAddsTheRunningItemBeforeItsOwnAndEachTogglesItsSwitch)
{
    const std::vector<int> owner = legendIds(m_layer); // paints the row backgrounds
    const std::vector<int> other = legendIds(m_other);
    ASSERT_EQ(owner.size(), 2u);
    ASSERT_EQ(other.size(), 1u);
    EXPECT_EQ(other[0], owner[1] + 1);
    EXPECT_EQ(m_layer.m_runningLegendItem->getItemId(), owner[0]);
    EXPECT_EQ(m_layer.m_legendItem->getItemId(), owner[1]);
    EXPECT_EQ(m_layer.m_legendItem->getLabel(), "Over-time Data");
    EXPECT_EQ(m_other.m_runningLegendItem, nullptr);

    m_layer.handleCustomLegendCommand(m_layer.m_legendItem);
    EXPECT_FALSE(m_layer.m_visible);
    EXPECT_TRUE(m_layer.m_showRunning);
    m_layer.handleCustomLegendCommand(m_layer.m_runningLegendItem);
    EXPECT_FALSE(m_layer.m_showRunning);
    m_layer.handleCustomLegendCommand(nullptr);
    m_layer.handleCustomLegendCommand(m_layer.m_legendItem);
    EXPECT_TRUE(m_layer.m_visible);
    EXPECT_FALSE(m_layer.m_showRunning);
}

TEST_F(OverTimeLegend, ColourCommandRecolorsAndTellsThePane)
{
    legendIds(m_layer);
    wxMenu menu;
    m_layer.populateLegendPopup(menu, 77);
    ASSERT_EQ(menu.GetMenuItemCount(), 1u);
    EXPECT_EQ(menu.FindItemByPosition(0)->GetId(), 77);
    EXPECT_EQ(menu.FindItemByPosition(0)->GetItemLabelText(), "Set graph color...");

    wxString asked;
    bool confirm = false;
    tarquel_1_0::setColorPicker([&](wxWindow*, const wxString& title, const wxColour& initial, wxColour& chosen) {
        asked = title + " " + initial.GetAsString(wxC2S_HTML_SYNTAX);
        chosen = wxColour(0, 0, 255);
        return confirm;
    });
    m_layer.handleLegendPopupMenu(0);
    EXPECT_EQ(asked, "Select graph color #FF0000");
    EXPECT_EQ(m_layer.getColor(), red()) << "cancelled";
    EXPECT_TRUE(m_graph.m_colorChanges.empty());

    confirm = true;
    m_layer.handleLegendPopupMenu(1);
    EXPECT_EQ(m_layer.getColor(), red()) << "only the first entry is the colour command";
    m_layer.handleLegendPopupMenu(0);
    EXPECT_EQ(m_layer.getColor(), wxColour(0, 0, 255));
    EXPECT_EQ(m_graph.m_colorChanges, std::vector<wxString>{"Graph color #0000FF"});

    // The new colour is what the graph draws with.
    deliver(m_layer, {{2, samples({{3, 1.0}})}}, 1.0);
    EXPECT_EQ(pixel(paint(m_layer), 3, 50), wxColour(0, 0, 255));
}

} // namespace
} // namespace overtime_test
