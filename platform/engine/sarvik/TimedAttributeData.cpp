#include "sarvik/TimedAttributeData.h"

#include <algorithm>

namespace dd_sarvik_2_2 {

TimedAttributeData::TimedAttributeData(const store::TimedAttributeRecord& record) : m_points(record.values)
{
    std::stable_sort(m_points.begin(), m_points.end(),
                     [](const store::TimedValueRecord& a, const store::TimedValueRecord& b) { return a.tick < b.tick; });
}

}  // namespace dd_sarvik_2_2
