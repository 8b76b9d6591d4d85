#include <mirrow2/object_interface_t.h>

namespace mirrow2 {

// Out of line so the type information lives once, in this library.
object_interface_t::~object_interface_t() = default;

} // namespace mirrow2
