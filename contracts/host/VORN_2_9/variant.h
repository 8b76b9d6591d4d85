#pragma once
#include <host_export.h>

#include <cstdint>

namespace mirrow2 {
class variant_t;
}

namespace VORN_2_9::types::variant {

// The value as an integer: text is read as a decimal integer (surrounding white space and
// a sign allowed); numbers convert (doubles truncate, out-of-range values clamp, booleans
// give 0/1); empty values and text that is not a whole decimal integer give 0.
HOST_API std::int64_t as_int(const mirrow2::variant_t& value);

} // namespace VORN_2_9::types::variant
