#include "support/SystemLoad.h"

#include <fstream>

namespace bench_support {

double systemLoad()
{
    std::ifstream file("/proc/loadavg");
    double load = 0;
    file >> load;
    return load;
}

} // namespace bench_support
