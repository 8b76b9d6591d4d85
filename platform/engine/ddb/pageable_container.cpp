#include <ddb_2_2/pageable_container.h>

namespace ddb_2_2 {

pageable_container::~pageable_container() = default;

bool pageable_container::load(const string&, pageable_database&) { return false; }

bool pageable_container::save(const string&, pageable_database&) { return false; }

bool pageable_container::can_page() const { return false; }

}  // namespace ddb_2_2
