#include "QueryLibrary.h"

#include "VectorQuery.h"

#include <brannow2/IMessenger.h>
#include <mirrow2/variant_bag_t.h>

namespace sarvikhelpers_1_0 {
namespace {

void report(brannow2::IMessenger* messenger, const std::wstring& text)
{
    if (messenger)
        messenger->message(brannow2::IMessenger::Error, L"Query library: " + text);
}

} // namespace

mirrow2::sptr_t<const IQuery> QueryLibrary::resolve(const mirrow2::variant_bag_t& element,
                                                    brannow2::IMessenger* messenger) const
{
    const std::wstring elementName = L"<" + element.name() + L">";
    QueryDefinition combined;
    combined.m_kind = QueryKind::vector;
    std::vector<mirrow2::sptr_t<const IQuery>> queries;
    for (const mirrow2::variant_bag_t& child : element.bags()) {
        if (child.name() != L"queryRef")
            continue;
        const std::wstring& name = child.first_value().get_text();
        mirrow2::sptr_t<const IQuery> query = findQuery(name);
        if (!query) {
            report(messenger, name.empty() ? elementName + L" has a <queryRef> without a query name."
                                           : elementName + L" names the unknown query '" + name + L"'.");
            return nullptr;
        }
        combined.m_values.emplace_back(name);
        queries.push_back(std::move(query));
    }
    if (queries.empty()) {
        report(messenger, elementName + L" names no query: it has no <queryRef>.");
        return nullptr;
    }
    if (queries.size() == 1)
        return queries.front();
    return mirrow2::make_sptr<VectorQuery>(std::move(combined), std::move(queries));
}

mirrow2::sptr_t<const IQuery> QueryLibrary::findQuery(const std::wstring& name) const
{
    const auto found = m_queries.find(name);
    return found == m_queries.end() ? nullptr : found->second;
}

std::vector<std::wstring> QueryLibrary::getQueryNames() const
{
    std::vector<std::wstring> names;
    for (const auto& entry : m_queries)
        names.push_back(entry.first);
    return names;
}

} // namespace sarvikhelpers_1_0
