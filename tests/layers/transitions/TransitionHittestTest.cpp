#include "TransitionFixture.h"

#include "provider/SarvikDataSource.h"

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/MessageCatalog.h>

#include <wx/menu.h>

using namespace transition_test;
using velmora_1_0::SarvikProvider;

namespace {

wxColour level(const ProbeLayer&, unsigned int r, unsigned int g, unsigned int b)
{
    return wxColour(ProbeLayer::m_red[r], ProbeLayer::m_green[g], ProbeLayer::m_blue[b], 255);
}

// Answers the colour dialog with a fixed colour (or cancels) while it lives.
class ScriptedPicker {
public:
    explicit ScriptedPicker(const wxColour& answer)
    {
        m_previous = tarquel_1_0::setColorPicker(
            [answer](wxWindow*, const wxString&, const wxColour&, wxColour& chosen) {
                chosen = answer;
                return answer.IsOk();
            });
    }
    ~ScriptedPicker() { tarquel_1_0::setColorPicker(m_previous); }

private:
    tarquel_1_0::ColorPicker m_previous;
};

} // namespace

class TransitionHittest : public TransitionFixture {};

TEST_F(TransitionHittest, ColourCodeCoversTheWholeIndexRange)
{
    ProbeLayer layer;
    ASSERT_TRUE(ProbeLayer::m_canHittest); // a 24-bit screen reproduces every level
    wxColour low;
    wxColour high;
    layer.transitionIdToHittestColors(0, low, high);
    EXPECT_EQ(low, level(layer, 0, 0, 10));
    EXPECT_EQ(high, level(layer, 0, 0, 0));
    layer.transitionIdToHittestColors(32757, low, high);
    EXPECT_EQ(low, level(layer, 31, 31, 31));
    EXPECT_EQ(high, level(layer, 0, 0, 0));
    layer.transitionIdToHittestColors(32758, low, high);
    EXPECT_EQ(low, level(layer, 0, 0, 0));
    EXPECT_EQ(high, level(layer, 0, 0, 1));

    const unsigned int last = (1u << 30) - 11;
    for (unsigned int id = 0; id <= last; id = id < 70000 ? id + 1 : id + 104729) {
        layer.transitionIdToHittestColors(id, low, high);
        ASSERT_EQ(layer.hittestColorsToTransitionID(low.Red(), low.Green(), low.Blue(), high.Red(), high.Green(),
                                                    high.Blue()),
                  id);
    }
    layer.transitionIdToHittestColors(last, low, high);
    EXPECT_EQ(layer.hittestColorsToTransitionID(low.Red(), low.Green(), low.Blue(), high.Red(), high.Green(),
                                                high.Blue()),
              last);
    // A channel value that is no level is no transition.
    EXPECT_EQ(layer.hittestColorsToTransitionID(200, 0, 0, 0, 0, 0), static_cast<unsigned int>(-1));
}

TEST_F(TransitionHittest, PaintedImagesPickTheTransitionUnderThePointer)
{
    ProbeLayer layer;
    // A vertical line at x = 20 from row 0 to row 2, another at x = 70 from row 4 to row 1.
    load(layer, {transition(0, 2, 200, 200), transition(4, 1, 700, 700)});
    EXPECT_TRUE(layer.hittest(x(200), 30));
    EXPECT_EQ(layer.m_hitId, 0);
    EXPECT_FALSE(layer.hittest(x(200), 40)); // same line, nothing changed
    EXPECT_TRUE(layer.hittest(x(700), 50));
    EXPECT_EQ(layer.m_hitId, 1);
    EXPECT_TRUE(layer.hittest(45, 30)); // black in both images
    EXPECT_EQ(layer.m_hitId, -1);
    EXPECT_FALSE(layer.hittest(45, 30));
    EXPECT_TRUE(layer.hittest(x(200), 30));
    EXPECT_TRUE(layer.hittest(-1, 30)); // off the image
    EXPECT_EQ(layer.m_hitId, -1);
    EXPECT_FALSE(layer.hittest(kWidth, 30));
}

TEST_F(TransitionHittest, IndicesBeyondTheLowHalfAreReadFromBothImages)
{
    m_ruler.setVisibleRange(100, 999, false);
    std::vector<SarvikProvider::Transition> data(32758, transition(0, 1, 0, 50)); // before the view
    data.push_back(transition(0, 2, 300, 300));
    data.push_back(transition(3, 4, 600, 600));
    ProbeLayer layer;
    load(layer, data);
    EXPECT_EQ(tickUntilDone(layer), 1);
    EXPECT_TRUE(layer.hittest(x(300), 30));
    EXPECT_EQ(layer.m_hitId, 32758);
    EXPECT_TRUE(layer.hittest(x(600), 70));
    EXPECT_EQ(layer.m_hitId, 32759);
}

TEST_F(TransitionHittest, SelectionAndHoverAreHighlightedOnlyWhileVisible)
{
    const wxColour highlight = tarquel_1_0::getHittestColor();
    ProbeLayer layer;
    load(layer, {transition(0, 2, 200, 200)});
    const int lineX = x(200);
    paint(layer);
    const wxColour plain = pixel(lineX, 30);
    EXPECT_NE(plain, kWhite);
    EXPECT_NE(plain, highlight);
    EXPECT_EQ(pixel(lineX + 10, 30), kWhite);

    EXPECT_FALSE(layer.canSelect());
    EXPECT_FALSE(layer.setSelection());
    ASSERT_TRUE(layer.hittest(lineX, 30));
    paint(layer, true);
    EXPECT_EQ(pixel(lineX, 30), highlight);
    ASSERT_TRUE(layer.canSelect());
    EXPECT_TRUE(layer.setSelection());
    layer.clearHittest();
    EXPECT_EQ(layer.m_hitId, -1);
    paint(layer);
    EXPECT_EQ(pixel(lineX, 30), highlight);
    EXPECT_TRUE(layer.hasSelection());

    ASSERT_TRUE(layer.hittest(lineX, 30));
    layer.m_visible = false;
    EXPECT_FALSE(layer.canSelect());
    EXPECT_FALSE(layer.hasSelection());
    EXPECT_FALSE(layer.hittest(lineX, 30)); // a hidden layer reports no change
    paint(layer);
    EXPECT_EQ(pixel(lineX, 30), kWhite);

    layer.m_visible = true;
    layer.clearSelection();
    paint(layer);
    EXPECT_EQ(pixel(lineX, 30), plain);
    // A row hidden after decimation: nothing drawn for it, not even the selection.
    layer.setSelection();
    m_graph.m_hidden.insert(2);
    paint(layer);
    EXPECT_EQ(pixel(lineX, 30), kWhite);
}

TEST_F(TransitionHittest, TooltipOfALineStandingForEightTransitions)
{
    std::vector<SarvikProvider::Transition> data;
    for (int i = 0; i < 8; ++i)
        data.push_back(transition(1, 3, 200 + i, 400, 100 + i));
    ProbeLayer layer;
    load(layer, data);
    EXPECT_EQ(layer.getTooltipCount(), 0);
    ASSERT_TRUE(layer.hittest(x(300), 50));
    EXPECT_EQ(layer.m_hitId, 0);
    EXPECT_EQ(layer.getTooltipCount(), 8);

    std::vector<wxString> lines;
    layer.getTooltip(8, lines);
    ASSERT_EQ(lines.size(), 5u); // the line itself and the four recorded duplicates
    const auto text = [](int start) {
        return wxString::Format("Transitions\nFrom: Row 1\nTo: Row 3\nStart: %d ns\nEnd: 400 ns", start);
    };
    EXPECT_EQ(lines[0], text(200));
    EXPECT_EQ(lines[4], text(204));

    lines.clear();
    layer.getTooltip(2, lines);
    EXPECT_EQ(lines.size(), 2u);
    lines.clear();
    layer.getTooltip(0, lines);
    EXPECT_TRUE(lines.empty());

    layer.setTooltipSource(new velmora_1_0::SarvikDataSource);
    lines.clear();
    layer.getTooltip(1, lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], text(200) + "\nInstance 100");

    m_graph.m_hidden.insert(3);
    EXPECT_EQ(layer.getTooltipCount(), 0);
}

TEST_F(TransitionHittest, ColourCommandRecoloursAndReportsTheChange)
{
    ProbeLayer layer;
    load(layer, {transition(0, 2, 200, 200)});
    EXPECT_EQ(layer.getLayerName(), "Transitions");
    layer.setLayerName("Renamed");
    EXPECT_EQ(layer.getLayerName(), "Transitions");

    wxMenu menu;
    layer.populateLegendPopup(menu, 42);
    ASSERT_EQ(menu.GetMenuItemCount(), 2u);
    EXPECT_EQ(menu.FindItemByPosition(0)->GetId(), 42);
    EXPECT_EQ(menu.FindItemByPosition(0)->GetItemLabelText(), "Set transition color...");
    // The second entry asks for every line however dense (not yet checked).
    EXPECT_EQ(menu.FindItemByPosition(1)->GetId(), 43);
    EXPECT_FALSE(menu.FindItemByPosition(1)->IsChecked());

    {
        ScriptedPicker cancel{wxColour()};
        layer.handleLegendPopupMenu(0);
    }
    EXPECT_EQ(layer.getColor(), wxColour(255, 201, 14, 128));
    ScriptedPicker blue{wxColour(0, 0, 255)};
    layer.handleLegendPopupMenu(1);
    EXPECT_TRUE(m_graph.m_colorChanges.empty());
    layer.handleLegendPopupMenu(0);
    EXPECT_EQ(layer.getColor(), wxColour(0, 0, 255));
    EXPECT_EQ(m_graph.m_colorChanges, std::vector<wxString>{"Transition color #0000FF"});
    paint(layer);
    EXPECT_EQ(pixel(x(200), 30), wxColour(0, 0, 255));
}

TEST_F(TransitionHittest, ImagesArePaintedOnHoverWithTheLinesKeptSince)
{
    // The first batch keeps the line at x = 20; the line at x = 70 comes with a later batch.
    std::vector<SarvikProvider::Transition> data(300, transition(0, 2, 200, 200));
    data.resize(5001, transition(4, 1, 700, 700));
    ProbeLayer layer;
    load(layer, data);
    layer.updateData(m_dc, true);
    EXPECT_EQ(layer.m_hittestPainted, 0u); // decimating paints no hit-test line
    EXPECT_TRUE(layer.hittest(x(200), 30));
    EXPECT_EQ(layer.m_hitId, 0);
    EXPECT_EQ(layer.m_hittestPainted, 1u);
    layer.hittest(x(700), 50);
    EXPECT_EQ(layer.m_hitId, -1); // not kept yet
    tickUntilDone(layer);
    EXPECT_EQ(layer.m_hittestPainted, 1u);
    EXPECT_TRUE(layer.hittest(x(700), 50));
    EXPECT_EQ(layer.m_hitId, 300);
    EXPECT_EQ(layer.m_hittestPainted, 2u);
    // A new view starts the images again.
    m_ruler.setVisibleRange(0, 499, false);
    layer.requestData(false);
    EXPECT_EQ(layer.m_hittestPainted, 0u);
    tickUntilDone(layer);
    EXPECT_TRUE(layer.hittest(x(200), 30));
    EXPECT_EQ(layer.m_hitId, 0);
    layer.hittest(x(600), 50);
    EXPECT_EQ(layer.m_hitId, -1); // the other line is out of this view
}
