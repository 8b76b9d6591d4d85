#include "layers/SliceColor.h"

#include <cmath>
#include <cstdint>

namespace velmora_1_0 {

wxColour SliceColor::of(const std::wstring& name)
{
    // FNV-1a over the characters: fixed, unlike std::hash, across libraries and runs.
    std::uint32_t hash = 2166136261u;
    for (const wchar_t c : name) {
        hash ^= static_cast<std::uint32_t>(c);
        hash *= 16777619u;
    }
    const double hue = (hash % 360u) / 60.0;
    const double saturation = 0.35 + ((hash >> 9) % 20u) / 100.0;
    const double value = 0.88 + ((hash >> 17) % 10u) / 100.0;
    const double chroma = value * saturation;
    const double x = chroma * (1.0 - std::fabs(std::fmod(hue, 2.0) - 1.0));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(hue)) {
    case 0: r = chroma, g = x; break;
    case 1: r = x, g = chroma; break;
    case 2: g = chroma, b = x; break;
    case 3: g = x, b = chroma; break;
    case 4: r = x, b = chroma; break;
    default: r = chroma, b = x; break;
    }
    const double m = value - chroma;
    const auto channel = [m](double c) { return static_cast<unsigned char>(std::lround((c + m) * 255.0)); };
    return wxColour(channel(r), channel(g), channel(b));
}

wxColour SliceColor::run()
{
    return wxColour(150, 150, 150);
}

} // namespace velmora_1_0
