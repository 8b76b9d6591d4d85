#include "pagestore/NativeHeaderCheck.h"

#include <boost/archive/archive_exception.hpp>
#include <boost/archive/basic_archive.hpp>

#include <cstdint>
#include <cstring>
#include <ios>

namespace velmora_1_0 {

void checkNativeHeader(std::streambuf& input)
{
    std::uint64_t length = 0;
    const auto got = input.sgetn(reinterpret_cast<char*>(&length), sizeof length);
    input.pubseekoff(-got, std::ios::cur, std::ios::in);
    if (got != sizeof length || length != std::strlen(boost::archive::BOOST_ARCHIVE_SIGNATURE()))
        throw boost::archive::archive_exception(boost::archive::archive_exception::invalid_signature);
}

}  // namespace velmora_1_0
