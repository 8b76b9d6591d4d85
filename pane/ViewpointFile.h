#pragma once
// Writes a viewpoint description to an XML file that the host's session storage reads back into
// the same tree: each bag an element, its named values attributes, its unnamed first value the
// element's text. The file is written beside its final place and renamed over it once complete,
// so a failed save leaves whatever was there before and never half a file.
#include <VelmoraExport.h>
#include <mirrow2/variant_bag_t.h>

#include <wx/string.h>

#include <filesystem>
#include <string>

namespace velmora_1_0 {

class VELMORA_API ViewpointFile {
public:
    // The document as UTF-8 XML text.
    static std::string text(const mirrow2::variant_bag_t& document);
    // False with a message naming the file and the cause when it cannot be written.
    static bool write(const mirrow2::variant_bag_t& document, const std::filesystem::path& file, wxString& error);
};

} // namespace velmora_1_0
