#include "provider/SarvikDataSource.h"

namespace velmora_1_0 {

SarvikDataSource::SarvikDataSource() = default;
SarvikDataSource::SarvikDataSource(const SarvikDataSource& other) = default;
SarvikDataSource& SarvikDataSource::operator=(const SarvikDataSource& other) = default;
SarvikDataSource::~SarvikDataSource() = default;

std::unique_ptr<tarquel_1_0::DataSource> SarvikDataSource::clone() const
{
    return std::make_unique<SarvikDataSource>(*this);
}

} // namespace velmora_1_0
