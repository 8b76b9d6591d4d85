#pragma once
// Turns anti-aliasing off for its lifetime where a DC draws through a graphics context, so every
// painted pixel carries exactly the chosen colour (hit-test images decode colours pixel by pixel,
// and merged boxes must paint the same pixels as the boxes one by one).
#include <wx/dc.h>
#include <wx/graphics.h>

namespace tarquel_1_0 {

class ExactPixels {
public:
    explicit ExactPixels(wxDC& dc) : m_context(dc.GetGraphicsContext())
    {
        if (m_context) {
            m_mode = m_context->GetAntialiasMode();
            m_context->SetAntialiasMode(wxANTIALIAS_NONE);
        }
    }
    ~ExactPixels()
    {
        if (m_context)
            m_context->SetAntialiasMode(m_mode);
    }
    ExactPixels(const ExactPixels&) = delete;
    ExactPixels& operator=(const ExactPixels&) = delete;

private:
    wxGraphicsContext* m_context;
    wxAntialiasMode m_mode = wxANTIALIAS_DEFAULT;
};

} // namespace tarquel_1_0
