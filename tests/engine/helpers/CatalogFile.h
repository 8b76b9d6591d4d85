#pragma once
#include <brannow2/CollectingMessenger.h>
#include <mirrow2/variant_bag_t.h>
#include <sarvikhelpers_1_0/QueryLibraryLoader.h>

#include <filesystem>
#include <string>

namespace sarvikhelpers_1_0::test {

// A catalog with a query of every kind, a restriction chain info -> info -> data, display
// attributes, limits and derived expressions (one using another), shared by several tests.
extern const char* const everyKindCatalog;

// Writes a catalog text to a file of its own under the test's temporary folder and loads it.
mirrow2::sptr_t<const IQueryLibrary> loadCatalogText(const std::string& xml, brannow2::CollectingMessenger& messenger);

// The texts of all collected messages, one per line, for assertion output.
std::wstring allMessages(const brannow2::CollectingMessenger& messenger);

// A bag as a viewpoint loader makes it: an element with one queryRef child per name.
mirrow2::variant_bag_t elementNaming(const std::wstring& element, std::initializer_list<std::wstring> names);

} // namespace sarvikhelpers_1_0::test
