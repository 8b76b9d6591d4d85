#pragma once
// Boost's native binary reader takes the length of the header's signature on trust and
// allocates whatever it says; a damaged file could ask for gigabytes. This check reads that
// length first and refuses a file whose length is not the signature's.

#include <VelmoraExport.h>

#include <streambuf>

namespace velmora_1_0 {

/// Throws Boost's invalid_signature archive error unless `input` starts with the length of
/// the signature; leaves the read position where it was.
VELMORA_API void checkNativeHeader(std::streambuf& input);

}  // namespace velmora_1_0
