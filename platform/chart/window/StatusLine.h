#pragma once
// The line under the legend that says what is still loading (see ProgressBoard).
#include "ProgressBoard.h"

#include <wx/panel.h>

class wxStaticText;

namespace tarquel_1_0 {

class StatusLine : public wxPanel {
public:
    explicit StatusLine(wxWindow* parent);

    void update(const ProgressBoard::Entry& entry);
    void remove(const void* key);
    wxString getText() const;
    bool isIdle() const { return m_board.empty(); }

private:
    void showBoard();

    ProgressBoard m_board;
    wxStaticText* m_text;
};

} // namespace tarquel_1_0
