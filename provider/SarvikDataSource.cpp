#include "provider/SarvikDataSource.h"

#include <sarvikhelpers_1_0/IDerivedQuery.h>
#include <sarvikhelpers_1_0/IQuery.h>

namespace velmora_1_0 {

// Defined here, where the query types are complete, so the header needs only their names.
SarvikDataSource::SarvikDataSource() = default;
SarvikDataSource::SarvikDataSource(const SarvikDataSource& other) = default;
SarvikDataSource& SarvikDataSource::operator=(const SarvikDataSource& other) = default;
SarvikDataSource::~SarvikDataSource() = default;

std::unique_ptr<tarquel_1_0::DataSource> SarvikDataSource::clone() const
{
    return std::make_unique<SarvikDataSource>(*this);
}

} // namespace velmora_1_0
