#pragma once
#include <brannow2/CollectingMessenger.h>
#include <mirrow2/variant_bag_t.h>
#include <sarvikhelpers_1_0/QueryLibraryLoader.h>

#include <string>

namespace sarvikhelpers_1_0::test {

// A query of every kind, a restriction chain info -> info -> data, display attributes, limits
// and derived expressions (one using another).
extern const char* const everyKindCatalog;

// Writes the text to a file of the running test and loads it.
mirrow2::sptr_t<const IQueryLibrary> loadCatalogText(const std::string& xml, brannow2::CollectingMessenger& messenger);

// All collected texts, one per line, for assertion output.
std::wstring allMessages(const brannow2::CollectingMessenger& messenger);
bool mentions(const brannow2::CollectingMessenger& messenger, const std::wstring& text);

// An element as a viewpoint loader makes it: one queryRef child per name.
mirrow2::variant_bag_t elementNaming(const std::wstring& element, std::initializer_list<std::wstring> names);

} // namespace sarvikhelpers_1_0::test
