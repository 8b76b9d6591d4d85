#pragma once
// The extra tooltip lines of an instance: one "label: value" line per series of a data source
// whose attribute has a value for the instance, numbers rounded to what people read; a value of
// several lines (call stack frames, arguments) as a list, one entry per line under its label;
// an empty value is left out. Always begins with a line break so callers can append it to their
// own first line.
#include <string>

namespace dd_sarvik_2_2 {
class Result;
}

namespace velmora_1_0 {

class SarvikDataSource;

class InstanceTooltip {
public:
    static std::wstring text(const dd_sarvik_2_2::Result* result, const SarvikDataSource& source, int instanceIndex);
    // " value" for a value of one line, else each line on a line of its own, indented.
    static std::wstring listText(const std::wstring& value);
};

} // namespace velmora_1_0
