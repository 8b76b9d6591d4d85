#include "layers/SpanKeySet.h"

#include <algorithm>

namespace velmora_1_0 {

namespace {

constexpr int kInitialBits = 10;

} // namespace

SpanKeySet::SpanKeySet()
    : m_keys(size_t(1) << kInitialBits), m_stamps(size_t(1) << kInitialBits, 0), m_shift(32 - kInitialBits)
{
}

void SpanKeySet::clear()
{
    m_size = 0;
    if (++m_generation == 0) {
        // Stamps from 2^32 generations ago would look current again.
        std::fill(m_stamps.begin(), m_stamps.end(), 0u);
        m_generation = 1;
    }
}

void SpanKeySet::grow()
{
    std::vector<unsigned int> keys;
    keys.reserve(m_size);
    for (size_t slot = 0; slot < m_keys.size(); ++slot)
        if (m_stamps[slot] == m_generation)
            keys.push_back(m_keys[slot]);
    const size_t slots = m_keys.size() * 2;
    m_keys.assign(slots, 0);
    m_stamps.assign(slots, 0);
    --m_shift;
    m_generation = 1;
    m_size = 0;
    for (unsigned int key : keys)
        insert(key);
}

} // namespace velmora_1_0
