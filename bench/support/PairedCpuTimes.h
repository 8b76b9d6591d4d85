#pragma once

#include <vector>

namespace bench_support {

// CPU times of an operation and of its baseline, taken side by side in each iteration of one
// run, in processor seconds of the whole process (every thread counted). On a shared machine
// both sides of an iteration see the same load, so the median of the iterations' ratios varies
// far less than either time does.
class PairedCpuTimes {
public:
    // Processor time the process has used so far.
    static double processSeconds();

    void add(double measured, double baseline);
    double medianMeasured() const { return median(m_measured); }
    double medianBaseline() const { return median(m_baseline); }
    // Median over the iterations of measured / baseline; 0 before the first.
    double medianRatio() const { return median(m_ratios); }

    static double median(std::vector<double> values);

private:

    std::vector<double> m_measured;
    std::vector<double> m_baseline;
    std::vector<double> m_ratios;
};

} // namespace bench_support
