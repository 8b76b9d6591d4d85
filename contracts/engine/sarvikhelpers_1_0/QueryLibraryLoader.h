#pragma once
#include <sarvikhelpers_1_0/IQueryLibrary.h>

#include <filesystem>

namespace sarvikhelpers_1_0 {

// Reads a query catalog file (XML). Never null: a file that cannot be read or parsed gives
// one message through messenger and an empty library; a faulty query gives a message and is
// left out, with every query that refers to it.
SARVIK_API mirrow2::sptr_t<const IQueryLibrary> loadQueryLibrary(const std::filesystem::path& catalogFile,
                                                                 brannow2::IMessenger* messenger);

} // namespace sarvikhelpers_1_0
