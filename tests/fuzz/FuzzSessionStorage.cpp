// Arbitrary bytes as a section file of the XML session storage: every lookup must answer with
// the stored tree or the fallback and report a problem through the messenger, never crash.

#include "FuzzScratchFile.h"

#include <brannow2/CollectingMessenger.h>
#include <tessik2/XmlSessionStorage.h>

namespace {

// Touches every value of the tree, so that a damaged tree shows under the sanitizers.
std::size_t walk(const mirrow2::variant_bag_t& bag)
{
    std::size_t seen = bag.name().size();
    for (const auto& value : bag.values())
        seen += value.first.size() + value.second.to_text().size();
    for (const auto& child : bag.bags())
        seen += walk(child);
    return seen;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const velmora_fuzz::FuzzScratchFile scratch("section.xml");
    scratch.write(data, size);
    brannow2::CollectingMessenger messenger;
    const auto storage = tessik2::createXmlSessionStorage(scratch.directory().wstring(), &messenger);
    const auto section = storage->get_section(L"section");
    for (const wchar_t* name : {L"timeline", L"legend", L"row", L""}) {
        walk(section->get_variant_bag(name, mirrow2::variant_bag_t()));
        section->get_object(name);
    }
    return 0;
}
