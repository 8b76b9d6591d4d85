#include "provider/InstanceTooltip.h"

#include "provider/SarvikDataSource.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_attribute_table_data_retriever.h>
#include <sarvikhelpers_1_0/IQuery.h>
#include <tarquel_1_0/MessageCatalog.h>

namespace velmora_1_0 {

std::wstring InstanceTooltip::text(const dd_sarvik_2_2::Result* result, const SarvikDataSource& source,
                                   int instanceIndex)
{
    std::wstring lines;
    if (instanceIndex != -1 && result) {
        for (const SarvikDataSource::Series& series : source.series) {
            wxString path = series.text5;
            if (!series.text3.empty())
                path += "." + series.text3;
            const ddb_2_2::string enginePath(path.ToStdWstring());
            const dd_sarvik_2_2::dd_attribute_table_data_retriever retriever(result->get_database(), enginePath);
            const ddb_2_2::variant value = retriever.get_value(ddb_2_2::index(instanceIndex));
            if (value.is_nil())
                continue;
            const wxString label = series.query ? tarquel_1_0::getString(series.query->getDisplayName())
                                                : wxString(result->get_sarvik_display_name(enginePath).str());
            lines += L"\n" + label.ToStdWstring() + L": " + value.to_string().str();
        }
    }
    return lines.empty() ? std::wstring(L"\n") : lines;
}

} // namespace velmora_1_0
