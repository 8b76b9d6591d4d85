#include "SliceScene.h"

#include "provider/SliceNesting.h"

#include <tarquel_1_0/MessageCatalog.h>

#include <numeric>

namespace slice_test {

using velmora_1_0::SarvikProvider;

void SliceProvider::file(SarvikProvider::SliceData data)
{
    wxCriticalSectionLocker lock(m_resultsLock);
    m_sliceData.push_back(std::move(data));
}

LaneGraph::LaneGraph(tarquel_1_0::DataProvider* provider, tarquel_1_0::Ruler* ruler, int rows, int width)
    : m_rows(rows), m_width(width), m_extra(rows, 0)
{
    m_dataProvider = provider;
    m_ruler = ruler;
}

int LaneGraph::top(int displayRow) const
{
    int y = 0;
    for (int row = 0; row < displayRow && row < m_rows; ++row)
        y += ROW_HEIGHT + m_extra[row];
    return y;
}

wxRect LaneGraph::getRowRect(int displayRow, bool)
{
    return wxRect(0, top(displayRow), m_width, ROW_HEIGHT);
}

wxRect LaneGraph::getRowExtraRect(int displayRow)
{
    const int extra = displayRow >= 0 && displayRow < m_rows ? m_extra[displayRow] : 0;
    return wxRect(0, top(displayRow) + ROW_HEIGHT, m_width, extra);
}

void LaneGraph::setRowExtraHeight(tarquel_1_0::GraphLayer*, int dataRow, int pixels)
{
    if (dataRow >= 0 && dataRow < m_rows)
        m_extra[dataRow] = pixels;
}

void LaneGraph::getVisibleRowRange(int& first, int& last)
{
    first = m_rows > 0 ? 0 : -1;
    last = m_rows - 1;
}

int LaneGraph::getDataRow(int displayRow)
{
    return displayRow >= 0 && displayRow < m_rows ? displayRow : -1;
}

bool LaneGraph::getRowLifetime(int, wxULongLong& start, wxULongLong& end)
{
    start = 0;
    end = m_ruler->getDuration();
    return true;
}

bool LaneGraph::getRowDrawSpan(int, wxULongLong& start, wxULongLong& end)
{
    start = m_ruler->getStart();
    end = m_ruler->getEnd();
    return true;
}

int LaneGraph::getDataRowAt(int, int y, bool)
{
    for (int row = 0; row < m_rows; ++row)
        if (y >= top(row) && y < top(row + 1))
            return row;
    return -1;
}

SarvikProvider::SliceData rowData(short row, std::vector<SarvikProvider::Slice> slices,
                                  std::vector<std::wstring> names)
{
    SarvikProvider::SliceData data;
    data.row = row;
    data.slices = std::move(slices);
    data.names = std::move(names);
    data.categories.assign(data.names.size(), L"test");
    data.depth = velmora_1_0::SliceNesting::assign(data.slices);
    return data;
}

SliceScene::SliceScene(int rows, int width, std::uint64_t duration)
    : provider(new SliceProvider), graph(provider.get(), &ruler, rows, width), m_width(width)
{
    tarquel_1_0::registerMessageCatalog("velmora"); // tooltip texts

    ruler.setDuration(duration);
    ruler.setPixelWidth(width);
    layer.attach(nullptr, &graph);
    layer.setParentSize(wxSize(width, 1));
    layer.requestData(false);
    // Requests are numbered in row order.
    for (const auto& request : layer.m_requests)
        m_requestOfRow.push_back(request.first);
}

SliceScene::~SliceScene()
{
    if (m_dc.IsOk())
        m_dc.SelectObject(wxNullBitmap);
}

void SliceScene::file(SarvikProvider::SliceData data)
{
    data.layer = &layer;
    data.requestId = m_requestOfRow.at(static_cast<std::size_t>(data.row));
    provider->file(std::move(data));
}

void SliceScene::apply()
{
    wxBitmap scratch(1, 1, 24);
    wxMemoryDC dc(scratch);
    if (layer.checkData())
        layer.updateData(dc, false);
    dc.SelectObject(wxNullBitmap);
}

wxImage SliceScene::draw()
{
    if (m_dc.IsOk())
        m_dc.SelectObject(wxNullBitmap);
    m_canvas.Create(m_width, std::max(graph.contentHeight(), 1), 24);
    m_dc.SelectObject(m_canvas);
    layer.setParentSize(m_canvas.GetSize());
    m_dc.SetBackground(*wxWHITE_BRUSH);
    m_dc.Clear();
    layer.renderAll(m_dc);
    m_dc.SelectObject(wxNullBitmap);
    const wxImage image = m_canvas.ConvertToImage();
    m_dc.SelectObject(m_canvas);
    return image;
}

void SliceScene::redraw()
{
    layer.renderAll(m_dc);
}

} // namespace slice_test
