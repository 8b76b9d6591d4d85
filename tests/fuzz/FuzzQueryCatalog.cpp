// Arbitrary bytes as a query catalog file: a faulty catalog must give messages and a library
// holding only the sound queries, which can then be looked up by name without harm.

#include "FuzzScratchFile.h"

#include <brannow2/CollectingMessenger.h>
#include <sarvikhelpers_1_0/QueryLibraryLoader.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const velmora_fuzz::FuzzScratchFile scratch("catalog.xml");
    brannow2::CollectingMessenger messenger;
    const auto library = sarvikhelpers_1_0::loadQueryLibrary(scratch.write(data, size), &messenger);
    if (!library)
        std::abort();
    for (const std::wstring& name : library->getQueryNames())
        if (!library->findQuery(name))
            std::abort(); // a listed query must be found
    return 0;
}
