// Arbitrary bytes as a viewpoint file: read through the XML session storage the way the viewer
// reads one, then parsed and resolved against the shipped query catalog. Every fault must end
// as a message, never as a crash, a hang or a runaway allocation.

#include "FuzzScratchFile.h"

#include "pane/ViewpointParser.h"

#include <brannow2/CollectingMessenger.h>
#include <sarvikhelpers_1_0/QueryLibraryLoader.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tessik2/XmlSessionStorage.h>

#include <cstdlib>
#include <string>

namespace {

std::filesystem::path dataDirectory()
{
    const char* dir = std::getenv("VELMORA_DATA_DIR");
    return dir && *dir ? dir : VELMORA_SOURCE_DIR "/data";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const velmora_fuzz::FuzzScratchFile scratch("viewpoint.xml");
    static const bool catalogRegistered = tarquel_1_0::registerMessageCatalog("viewpoint");
    static const auto library =
        sarvikhelpers_1_0::loadQueryLibrary(dataDirectory() / "queries" / "catalog.xml", nullptr);
    (void)catalogRegistered;

    scratch.write(data, size);
    brannow2::CollectingMessenger messenger;
    const auto storage = tessik2::createXmlSessionStorage(scratch.directory().wstring(), &messenger);
    const mirrow2::variant_bag_t viewpoint =
        storage->get_section(L"viewpoint")->get_variant_bag(L"timeline", mirrow2::variant_bag_t());
    velmora_1_0::ViewpointParser parser;
    parser.parse(viewpoint, library, &messenger);
    std::vector<wxString> messages;
    parser.getErrors(messages);
    for (const wxString& message : messages)
        (void)message.ToStdString(wxConvUTF8);
    return 0;
}
