#pragma once
#include <sarvikhelpers_1_0/IQuery.h>

namespace sarvikhelpers_1_0 {

// What info, data, time, count and instance count queries share: the two tables they read.
// An empty text stands for a name the catalog did not give.
class SARVIK_API ITableQuery : public IQuery {
public:
    std::wstring getAttributeTable() const { return nameAt(0); }
    std::wstring getInstanceTable() const { return nameAt(1); }

protected:
    std::wstring nameAt(std::size_t position) const
    {
        const std::vector<std::wstring>& names = getNames();
        return position < names.size() ? names[position] : std::wstring();
    }
};

} // namespace sarvikhelpers_1_0
