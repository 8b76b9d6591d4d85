#include "support/PeakMemory.h"

#include <fstream>
#include <string>

#include <malloc.h>

namespace bench_support {
namespace {

// A field of /proc/self/status ("VmHWM", "VmRSS") in bytes; 0 where it cannot be read.
double statusBytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.compare(0, field.size() + 1, field + ":") == 0)
            return std::stod(line.substr(field.size() + 1)) * 1024.0;
    return 0;
}

} // namespace

void PeakMemory::reset()
{
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    m_baseline = statusBytes("VmRSS");
}

double PeakMemory::bytesSinceReset() const
{
    return statusBytes("VmHWM") - m_baseline;
}

} // namespace bench_support
