#include "sarvik/SampleTableData.h"

namespace dd_sarvik_2_2 {

SampleTableData::SampleTableData(std::wstring name, std::wstring attributeTable, SampleColumns samples)
    : m_name(std::move(name)), m_attributeTable(std::move(attributeTable)), m_samples(std::move(samples))
{
}

}  // namespace dd_sarvik_2_2
