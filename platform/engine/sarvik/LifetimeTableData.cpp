#include "sarvik/LifetimeTableData.h"

#include <algorithm>

namespace dd_sarvik_2_2 {

LifetimeTableData::LifetimeTableData(std::vector<dd_band_obj> objects, std::uint64_t collectionStart,
                                     std::uint64_t collectionEnd)
    : m_objects(std::make_shared<const std::vector<dd_band_obj>>(std::move(objects))),
      m_minStart(collectionStart),
      m_maxEnd(collectionEnd)
{
    if (m_objects->empty())
        return;
    m_minStart = m_objects->front().start;
    for (const dd_band_obj& object : *m_objects) {
        m_minStart = std::min(m_minStart, object.start);
        m_maxEnd = std::max(m_maxEnd, object.end);
    }
}

}  // namespace dd_sarvik_2_2
