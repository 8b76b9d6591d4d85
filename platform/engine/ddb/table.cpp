#include <ddb_2_2/table.h>

namespace ddb_2_2 {

table::~table() = default;

}  // namespace ddb_2_2
