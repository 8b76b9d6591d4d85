#pragma once
// What the mouse and the keys do over the timeline, as Help → Mouse and keyboard shows it. The
// README's "Mouse and keyboard" table lists the same controls in the same words; a test keeps
// the two together.
#include <wx/string.h>

#include <string>
#include <utility>
#include <vector>

namespace velmora_viewer {

class ControlsHelp {
public:
    // (control, what it does), in the order shown.
    using Entry = std::pair<std::string, std::string>;
    static const std::vector<Entry>& entries();
    // One "control: what it does" line per entry.
    static wxString text();
};

} // namespace velmora_viewer
