#pragma once
#include <host_export.h>

#include <string>

namespace pendrel_2_0 {

// The label shared by all panes for a common key such as "%UpdateHighlighting";
// an unknown key is returned unchanged so a missing label is visible, not blank.
HOST_API std::wstring getCommonMessage(const std::wstring& key);

} // namespace pendrel_2_0
