#pragma once
// Flags of the portable binary archives, beside Boost's own archive flags (no_header, ...).
// Magnitudes are stored least significant byte first unless endianBig is given.

namespace velmora_1_0 {

enum PortableArchiveFlags : unsigned {
    endianBig = 0x4000,
    endianLittle = 0x8000,
};

}  // namespace velmora_1_0
