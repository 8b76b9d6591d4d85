#include "provider/InstanceTooltip.h"

#include "provider/SarvikDataSource.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_attribute_table_data_retriever.h>
#include <sarvikhelpers_1_0/IQuery.h>
#include <tarquel_1_0/MessageCatalog.h>
#include <tarquel_1_0/QuantityText.h>

namespace velmora_1_0 {

namespace {

std::wstring valueText(const ddb_2_2::variant& value)
{
    // Measured numbers carry more digits than anyone reads.
    if (value.get_type() == ddb_2_2::variant::type_double)
        return tarquel_1_0::numberText(value.get_double()).ToStdWstring();
    return value.to_string().str();
}

} // namespace

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
            const std::wstring text = valueText(value);
            if (text.empty())
                continue;
            const wxString label = series.query ? tarquel_1_0::getString(series.query->getDisplayName())
                                                : wxString(result->get_sarvik_display_name(enginePath).str());
            lines += L"\n" + label.ToStdWstring() + L":" + listText(text);
        }
    }
    return lines.empty() ? std::wstring(L"\n") : lines;
}

std::wstring InstanceTooltip::listText(const std::wstring& value)
{
    if (value.find(L'\n') == std::wstring::npos)
        return L" " + value;
    // A list (call stack frames, arguments): one entry per line under its label.
    std::wstring text;
    std::size_t start = 0;
    for (std::size_t end; (end = value.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        text += L"\n    " + value.substr(start, end - start);
    return text + L"\n    " + value.substr(start);
}

} // namespace velmora_1_0
