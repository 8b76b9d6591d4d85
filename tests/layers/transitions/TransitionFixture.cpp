#include "TransitionFixture.h"

#include <tarquel_1_0/MessageCatalog.h>

#include <wx/image.h>

namespace transition_test {

const wxColour kWhite(255, 255, 255);

TransitionFixture::TransitionFixture()
    : m_provider(new TransitionProvider), m_graph(m_provider.get(), &m_ruler, kRows, kWidth, kRowHeight),
      m_canvas(kWidth, kRows * kRowHeight, 24)
{
    tarquel_1_0::registerMessageCatalog("velmora");
    m_ruler.setDuration(999);
    m_ruler.setPixelWidth(kWidth);
    m_dc.SelectObject(m_canvas);
}

TransitionFixture::~TransitionFixture()
{
    m_dc.SelectObject(wxNullBitmap);
}

void TransitionFixture::attach(ProbeLayer& layer)
{
    layer.attach(nullptr, &m_graph);
    layer.setParentSize(wxSize(kWidth, kRows * kRowHeight));
}

void TransitionFixture::load(ProbeLayer& layer, std::vector<velmora_1_0::SarvikProvider::Transition> transitions)
{
    attach(layer);
    layer.requestData(false);
    ASSERT_EQ(layer.m_requests.size(), static_cast<size_t>(kRows));
    bool first = true;
    for (const auto& request : layer.m_requests) {
        m_provider->file(&layer, request.first,
                         first ? std::move(transitions) : std::vector<velmora_1_0::SarvikProvider::Transition>());
        first = false;
    }
    ASSERT_TRUE(layer.checkData());
    layer.updateData(m_dc, false);
    ASSERT_TRUE(layer.m_dataLoaded);
}

int TransitionFixture::tickUntilDone(ProbeLayer& layer)
{
    int ticks = 0;
    while (m_graph.m_timerOn && ticks < 100000) {
        layer.updateData(m_dc, true);
        ++ticks;
    }
    return ticks;
}

void TransitionFixture::paint(ProbeLayer& layer, bool hover)
{
    m_dc.SetBackground(*wxWHITE_BRUSH);
    m_dc.Clear();
    layer.renderAll(m_dc);
    if (hover)
        layer.renderHittest(m_dc);
}

wxColour TransitionFixture::pixel(int px, int py)
{
    m_dc.SelectObject(wxNullBitmap);
    const wxImage image = m_canvas.ConvertToImage();
    m_dc.SelectObject(m_canvas);
    return wxColour(image.GetRed(px, py), image.GetGreen(px, py), image.GetBlue(px, py));
}

} // namespace transition_test
