#pragma once
// The set of pixel-span keys already chosen on one row while markers are chosen for drawing: an
// open-addressing hash set of 32-bit keys that empties in constant time, so choosing among a
// million markers costs a probe each rather than a tree walk.
//
// Used by MarkerDecimator, one row at a time (clear between rows).
#include <VelmoraExport.h>

#include <cstddef>
#include <vector>

namespace velmora_1_0 {

class VELMORA_API SpanKeySet {
public:
    SpanKeySet();

    // True when `key` was not in the set (it is now). Inline: it runs once per marker in view.
    bool insert(unsigned int key)
    {
        const size_t mask = m_keys.size() - 1;
        // Multiplicative hashing: neighbouring spans land far apart.
        for (size_t slot = static_cast<unsigned int>(key * 2654435769u) >> m_shift;; slot = (slot + 1) & mask) {
            if (m_stamps[slot] != m_generation) {
                m_stamps[slot] = m_generation;
                m_keys[slot] = key;
                if (++m_size * 2 > m_keys.size())
                    grow();
                return true;
            }
            if (m_keys[slot] == key)
                return false;
        }
    }
    void clear();

private:
    void grow();

    std::vector<unsigned int> m_keys;
    // A slot holds a key of the current generation only when its stamp is m_generation.
    std::vector<unsigned int> m_stamps;
    unsigned int m_generation = 1;
    size_t m_size = 0;
    int m_shift = 0;
};

} // namespace velmora_1_0
