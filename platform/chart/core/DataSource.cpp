#include <tarquel_1_0/DataSource.h>

namespace tarquel_1_0 {

DataSource::~DataSource() = default;

} // namespace tarquel_1_0
