#include "TimelineFixture.h"

#include "RulerWindow.h"

#include "../support/WxTestMain.h"

#include <tarquel_1_0/QuantityText.h>
#include <tarquel_1_0/Ruler.h>

#include <wx/dcclient.h>

using namespace tarquel_1_0;

namespace chart_test {

namespace {

constexpr int kLabelHeight = RulerWindow::kLabelHeight;

// Text on the ruler is grey; the strip's line layer is blue and the backgrounds are light.
bool isInk(const wxImage& image, int x, int y)
{
    const int r = image.GetRed(x, y);
    const int g = image.GetGreen(x, y);
    const int b = image.GetBlue(x, y);
    return std::max({r, g, b}) < 200 && std::max({r, g, b}) - std::min({r, g, b}) < 24;
}

// Columns of [left, right) holding ink in rows [top, bottom).
std::vector<int> inkColumns(const wxImage& image, int left, int right, int top, int bottom)
{
    std::vector<int> columns;
    for (int x = std::max(left, 0); x < std::min(right, image.GetWidth()); ++x)
        for (int y = top; y < bottom; ++y)
            if (isInk(image, x, y)) {
                columns.push_back(x);
                break;
            }
    return columns;
}

class RulerWindowTest : public TimelineFixture {
protected:
    wxWindow* ruler() const { return graphWindow(-1); }

    void resize(int width)
    {
        m_frame->SetSize(wxSize(width, 500));
        ASSERT_TRUE(pumpUntil([&] {
            return m_timeline->GetSize().x == width &&
                   m_timeline->getRuler()->getPixelWidth() == ruler()->GetClientSize().x &&
                   ruler()->GetClientSize().x == graphWindow(0)->GetClientSize().x;
        })) << width;
    }

    // Labels lie in the band above the strip, clear of both ends of the window, each whole.
    void expectLabelsInside(const std::string& view)
    {
        const wxImage shot = grab(ruler());
        const int width = shot.GetWidth();
        // Above the tick marks, so that ink there is text.
        const int textBottom = kLabelHeight - 7;
        const std::vector<int> columns = inkColumns(shot, 0, width, 0, textBottom);
        ASSERT_FALSE(columns.empty()) << view << ": no label";
        EXPECT_GE(columns.front(), 2) << view << ": the first label touches the left end";
        EXPECT_LE(columns.back(), width - 3) << view << ": the last label touches the right end";
        // The labels fill the width, not only its left part.
        EXPECT_GT(columns.back(), width * 3 / 4) << view;
        EXPECT_TRUE(inkColumns(shot, 0, width, 0, 1).empty()) << view << ": a label is cut at the top";
        EXPECT_TRUE(inkColumns(shot, 0, width, kLabelHeight, shot.GetHeight() - 1).empty())
            << view << ": a label runs into the strip";
    }
};

} // namespace

TEST_F(RulerWindowTest, LabelsStayWholeInsideTheRulerAtEveryWidthAndZoom)
{
    for (const int width : {1100, 800, 520, 360}) {
        resize(width);
        Ruler& model = *m_timeline->getRuler();
        const int graphWidth = ruler()->GetClientSize().x;
        model.zoomReset();
        expectLabelsInside(std::to_string(width) + " all");
        // Zoomed in around a point near the right end, deeper and deeper.
        for (int notches = 1; notches <= 24; ++notches) {
            mouse(graphWindow(0), wxEVT_MOUSEWHEEL, graphWidth * 4 / 5, 10, true);
            if (notches % 6 == 0)
                expectLabelsInside(std::to_string(width) + " zoomed " + std::to_string(notches));
        }
        // At the end of the data the last label belongs to the largest time.
        key(graphWindow(0), WXK_END);
        EXPECT_EQ(model.getEnd(), kDuration);
        expectLabelsInside(std::to_string(width) + " at the end");
    }
}

TEST_F(RulerWindowTest, ASelectedRangeShowsItsLengthOnTheRuler)
{
    const wxImage before = grab(ruler());
    const int width = before.GetWidth();
    const int rows = kLabelHeight + 14;
    EXPECT_TRUE(inkColumns(before, 0, width, kLabelHeight, rows).empty());

    const auto drag = [this](int from, int to) {
        mouse(ruler(), wxEVT_LEFT_DOWN, from, 5, true);
        mouse(ruler(), wxEVT_MOTION, (from + to) / 2, 5, true);
        mouse(ruler(), wxEVT_MOTION, to, 5, true);
        mouse(ruler(), wxEVT_LEFT_UP, to, 5);
    };
    // The length's text is as wide as the length written in the ruler's bold font.
    const auto textWidth = [this] {
        const Ruler& model = *m_timeline->getRuler();
        wxClientDC dc(ruler());
        dc.SetFont(ruler()->GetFont().Bold());
        return dc.GetTextExtent(durationText(static_cast<double>((model.getSelectionEnd() - model.getSelectionStart()).GetValue()))).x;
    };

    // A wide range has its length in its middle.
    drag(300, 600);
    const wxImage wide = grab(ruler());
    std::vector<int> ink = inkColumns(wide, 0, width, kLabelHeight, rows);
    ASSERT_FALSE(ink.empty()) << "no length shown";
    EXPECT_NEAR((ink.front() + ink.back()) / 2.0, 450, 6);
    EXPECT_NEAR(ink.back() - ink.front() + 1, textWidth(), 4);

    // A narrow one at the right end has it beside, inside the window.
    drag(width - 12, width - 4);
    const wxImage narrow = grab(ruler());
    ink = inkColumns(narrow, 0, width, kLabelHeight, rows);
    ASSERT_FALSE(ink.empty()) << "no length shown";
    EXPECT_LT(ink.back(), width - 12);
    EXPECT_NEAR(ink.back() - ink.front() + 1, textWidth(), 4);

    // A click clears the range and its length.
    mouse(ruler(), wxEVT_LEFT_DOWN, 50, 5, true);
    mouse(ruler(), wxEVT_LEFT_UP, 50, 5);
    EXPECT_TRUE(inkColumns(grab(ruler()), 0, width, kLabelHeight, rows).empty());
}

} // namespace chart_test
