#pragma once
// The extra tooltip lines of an instance: one "label: value" line per series of a data source
// whose attribute has a value for the instance. Always begins with a line break so callers can
// append it to their own first line.
#include <string>

namespace dd_sarvik_2_2 {
class Result;
}

namespace velmora_1_0 {

class SarvikDataSource;

class InstanceTooltip {
public:
    static std::wstring text(const dd_sarvik_2_2::Result* result, const SarvikDataSource& source, int instanceIndex);
};

} // namespace velmora_1_0
