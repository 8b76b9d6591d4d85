#pragma once
#include <string>

namespace pendrel_2_0 {

// Identifies an analysis result shown by a pane: where it lives and how it is called.
struct ResultDescriptor {
    std::wstring m_path;
    std::wstring m_name;
};

} // namespace pendrel_2_0
