#include "layers/TransitionKey.h"

#include <algorithm>

namespace velmora_1_0 {

namespace {

unsigned long long field(int value, int shift)
{
    return static_cast<unsigned long long>(static_cast<unsigned short>(value)) << shift;
}

} // namespace

unsigned long long TransitionKey::make(int x1, int x2, int fromDisplayRow, int toDisplayRow)
{
    x1 = std::clamp(x1, -kPixelLimit, kPixelLimit);
    x2 = std::clamp(x2, -kPixelLimit, kPixelLimit);
    return field(x1, 0) | field(x2, 16) | field(fromDisplayRow, 32) | field(toDisplayRow, 48);
}

} // namespace velmora_1_0
