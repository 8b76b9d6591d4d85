#include <sarvikhelpers_1_0/QueryLibraryLoader.h>

#include "QueryCatalogLinker.h"
#include "QueryCatalogReader.h"
#include "QueryLibrary.h"

#include <pugixml.hpp>

namespace sarvikhelpers_1_0 {

mirrow2::sptr_t<const IQueryLibrary> loadQueryLibrary(const std::filesystem::path& catalogFile,
                                                      brannow2::IMessenger* messenger)
{
    // Decoded as UTF-8 so that any file name can be named in a message.
    const CatalogReporter reporter(messenger, pugi::as_wide(catalogFile.string()));
    return mirrow2::make_sptr<QueryLibrary>(
        QueryCatalogLinker(reporter).link(QueryCatalogReader(reporter).read(catalogFile)));
}

} // namespace sarvikhelpers_1_0
