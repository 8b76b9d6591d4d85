#include "TimelineFixture.h"

#include "../support/WxTestMain.h"

#include <tarquel_1_0/GraphLayerParent.h>
#include <tarquel_1_0/Ruler.h>

#include <wx/dcmemory.h>
#include <wx/dcclient.h>
#include <wx/sizer.h>

using namespace tarquel_1_0;

namespace chart_test {

void TimelineFixture::SetUp()
{
    m_frame = new wxFrame(nullptr, wxID_ANY, "timeline", wxPoint(0, 0), wxSize(1100, 760));
    m_timeline = new Timeline(m_frame);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(m_timeline, 1, wxEXPAND);
    m_frame->SetSizer(sizer);

    const wxColour colours[2] = {wxColour(200, 30, 30), wxColour(30, 150, 30)};
    for (int area = 0; area < 2; ++area) {
        EXPECT_EQ(m_timeline->addPane(wxString::Format("Area %d", area)), area);
        m_lines[area] = new LineLayer(wxString::Format("Lines %d", area), colours[area]);
        EXPECT_TRUE(m_timeline->addLayer(area, m_lines[area], 0));
        m_providers[area] = new TestProvider(area == 0 ? 5 : 3, kDuration, area == 0 ? "thread" : "task");
        m_timeline->setDataProvider(area, m_providers[area], true);
        m_timeline->setEventCallback(area, &m_callbacks[area]);
    }
    m_rulerLine = new LineLayer("Global", wxColour(30, 30, 200));
    m_timeline->addGlobalLayer(m_rulerLine);
    m_globalProvider = new TestProvider(1, kDuration, "global");
    m_timeline->setGlobalDataProvider(m_globalProvider);
    m_timeline->setGlobalEventCallback(&m_globalCallback);

    m_frame->Show();
    m_frame->Layout();
    m_timeline->finalize(true);
    ASSERT_TRUE(loaded());
    // The window system sizes the frame asynchronously; wait for the final layout.
    ASSERT_TRUE(pumpUntil([this] {
        return m_frame->IsShownOnScreen() && graphWindow(1)->GetClientSize().y >= 3 * 22 &&
               m_timeline->getRuler()->getPixelWidth() == graphWindow(0)->GetClientSize().x;
    }));
}

void TimelineFixture::TearDown()
{
    if (!m_frame)
        return;
    for (TestProvider* provider : {m_providers[0], m_providers[1], m_globalProvider})
        provider->openGate();
    m_frame->Destroy();
    pumpPending();
}

bool TimelineFixture::loaded()
{
    return pumpUntil([this] {
        for (LineLayer* layer : {m_lines[0], m_lines[1], m_rulerLine})
            if (!layer->m_dataLoaded || layer->m_loading != 0)
                return false;
        return true;
    });
}

wxImage TimelineFixture::grab(wxWindow* window)
{
    bool painted = false;
    const auto onPaint = [&painted](wxPaintEvent& event) {
        painted = true;
        event.Skip();
    };
    window->Bind(wxEVT_PAINT, onPaint);
    window->Refresh();
    window->Update();
    const bool repainted = pumpUntil([&painted] { return painted; });
    window->Unbind(wxEVT_PAINT, onPaint);
    EXPECT_TRUE(repainted);
    const wxSize size = window->GetClientSize();
    wxBitmap bitmap(size);
    {
        wxClientDC screen(window);
        wxMemoryDC memory(bitmap);
        memory.Blit(0, 0, size.x, size.y, &screen, 0, 0);
    }
    return bitmap.ConvertToImage();
}

void TimelineFixture::mouse(wxWindow* window, wxEventType type, int x, int y, bool leftDown, int modifiers)
{
    wxMouseEvent event(type);
    event.SetEventObject(window);
    event.SetPosition(wxPoint(x, y));
    event.m_leftDown = leftDown;
    event.SetControlDown((modifiers & wxMOD_CONTROL) != 0);
    event.SetShiftDown((modifiers & wxMOD_SHIFT) != 0);
    // For the wheel, leftDown means a notch away from the user (zoom in, scroll up).
    if (type == wxEVT_MOUSEWHEEL) {
        event.m_wheelRotation = leftDown ? 120 : -120;
        event.m_wheelDelta = 120;
        event.m_leftDown = false;
    }
    window->GetEventHandler()->ProcessEvent(event);
}

void TimelineFixture::key(wxWindow* window, int keyCode)
{
    wxKeyEvent event(wxEVT_KEY_DOWN);
    event.SetEventObject(window);
    event.m_keyCode = keyCode;
    window->GetEventHandler()->ProcessEvent(event);
}

wxWindow* TimelineFixture::graphWindow(int paneIndex) const
{
    return m_timeline->getGraph(paneIndex)->getWindow();
}

} // namespace chart_test
