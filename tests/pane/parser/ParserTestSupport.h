#pragma once
// What the parser tests share: the shipped and the test query catalogs, loaded once, and the
// viewpoint message catalog that display names are looked up in.
#include <mirrow2/sptr_t.h>
#include <sarvikhelpers_1_0/IQueryLibrary.h>
#include <sarvikhelpers_1_0/QueryLibraryLoader.h>
#include <tarquel_1_0/MessageCatalog.h>

#include <wx/string.h>

#include <string>
#include <vector>

namespace velmora_1_0::parser_test {

using Library = mirrow2::sptr_t<const sarvikhelpers_1_0::IQueryLibrary>;

inline const Library& shippedLibrary()
{
    static const Library library = sarvikhelpers_1_0::loadQueryLibrary(
        std::string(VELMORA_SOURCE_DIR) + "/data/queries/catalog.xml", nullptr);
    return library;
}

inline const Library& displayLibrary()
{
    static const Library library = sarvikhelpers_1_0::loadQueryLibrary(
        std::string(VELMORA_SOURCE_DIR) + "/tests/pane/parser/display_catalog.xml", nullptr);
    return library;
}

inline void registerViewpointCatalog()
{
    static const bool registered = tarquel_1_0::registerMessageCatalog("viewpoint");
    (void)registered;
}

inline std::vector<std::wstring> texts(const std::vector<wxString>& messages)
{
    std::vector<std::wstring> result;
    for (const wxString& message : messages)
        result.push_back(message.ToStdWstring());
    return result;
}

} // namespace velmora_1_0::parser_test
