#pragma once
// Shared set-up of the over-time layer tests: a ruler of 1000 ns over 100 columns (10 ns each),
// a graph of three 20-pixel rows, a provider whose answers the tests file, a layer attached first
// (so it paints the row backgrounds when the provider has a row-by table), and helpers that deliver
// answers to a layer and paint it into a 24-bit memory bitmap.
#include "FilingProvider.h"
#include "RowGraph.h"

#include "layers/OverTimeLayer.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/image.h>

namespace overtime_test {

// Opens the protected parts the tests look at.
class ProbeLayer : public velmora_1_0::OverTimeLayer {
public:
    using OverTimeLayer::m_dataLoaded;
    using OverTimeLayer::m_rowData;
};

class OverTimeFixture : public ::testing::Test {
protected:
    static constexpr int WIDTH = 100;
    static constexpr int ROWS = 3;
    static constexpr int REQUEST_OVERTIME = velmora_1_0::SarvikProvider::REQUEST_OVERTIME;
    static wxColour red() { return wxColour(255, 0, 0); }
    static wxColour white() { return wxColour(255, 255, 255); }

    explicit OverTimeFixture(bool rowBy = false) : m_provider(new FilingProvider(rowBy))
    {
        m_ruler.setDuration(999);
        m_ruler.setPixelWidth(WIDTH);
        m_ruler.setDecimalSeparator(".");
        attach(m_layer);
    }

    void attach(tarquel_1_0::GraphLayer& layer)
    {
        layer.attach(nullptr, &m_graph);
        layer.setParentSize(wxSize(WIDTH, ROWS * RowGraph::ROW_HEIGHT));
        layer.setColor(red());
        layer.layerAdded();
    }

    unsigned int lastId() { return m_provider->queued().back().requestId; }

    // Requests the layer's data and answers the request with `rows` (data row -> samples).
    void deliver(velmora_1_0::OverTimeLayer& layer, const std::map<int, std::vector<double>>& rows, double maxValue)
    {
        layer.requestData(false);
        for (const auto& [row, values] : rows)
            m_provider->file(REQUEST_OVERTIME, record(&layer, row, lastId(), values, maxValue));
        apply(layer);
    }

    // Takes what the provider filed for the layer, as the timeline does on a data-ready notice.
    static void apply(velmora_1_0::OverTimeLayer& layer)
    {
        ASSERT_TRUE(layer.checkData());
        wxBitmap scratch(1, 1, 24);
        wxMemoryDC dc(scratch);
        layer.updateData(dc, false);
    }

    // What `draw` paints on a white 24-bit bitmap of the graph's size.
    template <class Draw>
    static wxImage paintWith(Draw draw)
    {
        wxBitmap bitmap(WIDTH, ROWS * RowGraph::ROW_HEIGHT, 24);
        {
            wxMemoryDC dc(bitmap);
            dc.SetBackground(*wxWHITE_BRUSH);
            dc.Clear();
            draw(dc);
        }
        return bitmap.ConvertToImage();
    }
    static wxImage paint(velmora_1_0::OverTimeLayer& layer)
    {
        return paintWith([&layer](wxMemoryDC& dc) { layer.renderAll(dc); });
    }

    static wxColour pixel(const wxImage& image, int x, int y)
    {
        return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
    }

    // How many of the pixels y0..y1 of column x have `colour`.
    static int countInColumn(const wxImage& image, int x, int y0, int y1, const wxColour& colour)
    {
        int count = 0;
        for (int y = y0; y <= y1; ++y)
            count += pixel(image, x, y) == colour ? 1 : 0;
        return count;
    }

    // 100 samples, zero but for the given columns.
    static std::vector<double> samples(const std::map<int, double>& columns)
    {
        std::vector<double> values(WIDTH, 0.0);
        for (const auto& [column, value] : columns)
            values[column] = value;
        return values;
    }

    tarquel_1_0::Ruler m_ruler;
    FilingProviderPtr m_provider;
    RowGraph m_graph{m_provider.get(), &m_ruler, WIDTH, ROWS};
    ProbeLayer m_layer;
};

} // namespace overtime_test
