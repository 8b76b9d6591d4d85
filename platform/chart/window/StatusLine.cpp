#include "StatusLine.h"

#include <wx/sizer.h>
#include <wx/stattext.h>

namespace tarquel_1_0 {

StatusLine::StatusLine(wxWindow* parent) : wxPanel(parent, wxID_ANY)
{
    m_text = new wxStaticText(this, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
                              wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    auto* sizer = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(m_text, 1, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 4);
    SetSizer(sizer);
    SetMinSize(wxSize(-1, m_text->GetCharHeight() + 6));
}

void StatusLine::update(const ProgressBoard::Entry& entry)
{
    m_board.update(entry);
    showBoard();
}

void StatusLine::remove(const void* key)
{
    m_board.remove(key);
    showBoard();
}

wxString StatusLine::getText() const
{
    return m_text->GetLabel();
}

void StatusLine::showBoard()
{
    const wxString text = m_board.describe();
    if (text != m_text->GetLabel())
        m_text->SetLabel(text);
}

} // namespace tarquel_1_0
