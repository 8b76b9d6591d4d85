#include "support/PairedCpuTimes.h"

#include <algorithm>
#include <ctime>

namespace bench_support {

double PairedCpuTimes::processSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void PairedCpuTimes::add(double measured, double baseline)
{
    m_measured.push_back(measured);
    m_baseline.push_back(baseline);
    m_ratios.push_back(baseline > 0 ? measured / baseline : 0.0);
}

double PairedCpuTimes::median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

} // namespace bench_support
