#include "MarkerFixture.h"

#include <tarquel_1_0/Colors.h>
#include <tarquel_1_0/MessageCatalog.h>

#include <wx/image.h>

namespace marker_test {

const wxColour kWhite(255, 255, 255);
const wxColour kBlack(0, 0, 0);
const wxColour kInner(255, 255, 128);
const wxColour kHighlight = tarquel_1_0::getHittestColor();

MarkerFixture::MarkerFixture()
    : m_provider(new MarkerProvider), m_graph(m_provider.get(), &m_ruler, kRows, kWidth),
      m_canvas(kWidth, kRows * MarkerGraph::ROW_HEIGHT, 24)
{
    tarquel_1_0::registerMessageCatalog("velmora");
    m_ruler.setDuration(999);
    m_ruler.setPixelWidth(kWidth);
    m_dc.SelectObject(m_canvas);
}

MarkerFixture::~MarkerFixture()
{
    m_dc.SelectObject(wxNullBitmap);
}

void MarkerFixture::load(velmora_1_0::EventMarkerLayer& layer,
                         const std::map<short, std::vector<velmora_1_0::SarvikProvider::EventMarker>>& rows)
{
    layer.attach(nullptr, &m_graph);
    layer.setParentSize(wxSize(kWidth, kRows * MarkerGraph::ROW_HEIGHT));
    layer.requestData(false);
    // Identifiers are handed out in row order.
    short row = 0;
    for (const auto& request : layer.m_requests) {
        const auto found = rows.find(row);
        m_provider->file(&layer, request.first, row,
                         found == rows.end() ? std::vector<velmora_1_0::SarvikProvider::EventMarker>() : found->second);
        ++row;
    }
    ASSERT_TRUE(layer.checkData());
    layer.updateData(m_dc, false);
}

void MarkerFixture::paint(velmora_1_0::EventMarkerLayer& layer, bool hover)
{
    m_dc.SetBackground(*wxWHITE_BRUSH);
    m_dc.Clear();
    layer.renderAll(m_dc);
    if (hover)
        layer.renderHittest(m_dc);
}

wxImage MarkerFixture::snapshot()
{
    m_dc.SelectObject(wxNullBitmap);
    const wxImage image = m_canvas.ConvertToImage();
    m_dc.SelectObject(m_canvas);
    return image;
}

wxColour MarkerFixture::pixel(int x, int y)
{
    const wxImage image = snapshot();
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

int MarkerFixture::count(const wxRect& area, const wxColour& colour)
{
    const wxImage image = snapshot();
    const wxRect inside = area.Intersect(wxRect(image.GetSize()));
    int n = 0;
    for (int y = inside.GetTop(); y <= inside.GetBottom(); ++y)
        for (int x = inside.GetLeft(); x <= inside.GetRight(); ++x)
            n += wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y)) == colour;
    return n;
}

void MarkerFixture::resizeCanvas(const wxSize& size)
{
    m_dc.SelectObject(wxNullBitmap);
    m_canvas = wxBitmap(size, 24);
    m_dc.SelectObject(m_canvas);
}

} // namespace marker_test
