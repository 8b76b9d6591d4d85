#pragma once
// The two errors of the portable binary archive that Boost's own archive errors do not cover.

#include <VelmoraExport.h>

#include <boost/archive/archive_exception.hpp>

namespace velmora_1_0 {

class VELMORA_API PortableArchiveException : public boost::archive::archive_exception {
public:
    enum Code {
        integerTooWide,   ///< a stored integer is longer than the field it is read into
        bothEndians,      ///< the archive was opened with both byte-order flags
    };

    explicit PortableArchiveException(Code code);
    /// The archive flags as given; throws bothEndians when they name both byte orders.
    static unsigned checkedFlags(unsigned flags);
    const char* what() const noexcept override;
    Code code() const { return m_code; }

private:
    Code m_code;
};

}  // namespace velmora_1_0
