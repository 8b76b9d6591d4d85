#include "layers/OverTimeSlopeStencils.h"

#include <cstdlib>

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/graphics.h>
#include <wx/image.h>

namespace velmora_1_0 {

const std::vector<OverTimeSlopeStencils::Run>& OverTimeSlopeStencils::runs(int run, int rise, int lineWidth)
{
    const auto key = std::make_tuple(run, rise, lineWidth);
    auto found = m_learnt.find(key);
    if (found == m_learnt.end())
        found = m_learnt.emplace(key, learn(run, rise, lineWidth)).first;
    return found->second;
}

std::vector<OverTimeSlopeStencils::Run> OverTimeSlopeStencils::learn(int run, int rise, int lineWidth)
{
    // A margin of the line width around the line holds whatever its ends and width cover.
    const int margin = lineWidth + 2;
    const int width = std::abs(run) + 2 * margin + 1;
    const int height = std::abs(rise) + 2 * margin + 1;
    const int x0 = margin + (run < 0 ? -run : 0);
    const int y0 = margin + (rise < 0 ? -rise : 0);
    wxBitmap bitmap(width, height, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        if (wxGraphicsContext* context = dc.GetGraphicsContext())
            context->SetAntialiasMode(wxANTIALIAS_NONE);
        wxPen pen(*wxBLACK, lineWidth, wxPENSTYLE_SOLID);
        pen.SetCap(wxCAP_BUTT);
        dc.SetPen(pen);
        dc.DrawLine(x0, y0, x0 + run, y0 + rise);
    }
    const wxImage image = bitmap.ConvertToImage();
    std::vector<Run> runs;
    for (int x = 0; x < width; ++x) {
        for (int y = 0; y < height; ++y) {
            if (image.GetRed(x, y) != 0)
                continue;
            const int top = y;
            while (y + 1 < height && image.GetRed(x, y + 1) == 0)
                ++y;
            runs.push_back({x - x0, top - y0, y - y0});
        }
    }
    return runs;
}

} // namespace velmora_1_0
