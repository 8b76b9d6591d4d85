#pragma once

namespace bench_support {

// Peak resident memory of this process since the last reset, read from /proc/self/status (Linux).
// reset() hands freed heap back and restarts the kernel's high-water mark at the resident size, so
// the peak measures only what the code run after it takes.
class PeakMemory {
public:
    PeakMemory() { reset(); }

    void reset();
    // Bytes by which the peak has risen above the resident size at the last reset.
    double bytesSinceReset() const;

private:
    double m_baseline = 0;
};

} // namespace bench_support
