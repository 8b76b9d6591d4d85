#pragma once
#include <mirrow2/ref_counter_t.h>
#include <sarvikhelpers_1_0/IQueryLibrary.h>

#include <map>

namespace sarvikhelpers_1_0 {

// The loaded queries of a catalog by name, and the resolution of viewpoint elements to them.
// Created by loadQueryLibrary; never changes afterwards.
class QueryLibrary : public mirrow2::ref_counter_t<IQueryLibrary, mirrow2::simple_ref_count_impl_t> {
public:
    explicit QueryLibrary(std::map<std::wstring, mirrow2::sptr_t<const IQuery>> queries)
        : m_queries(std::move(queries))
    {
    }

    mirrow2::sptr_t<const IQuery> resolve(const mirrow2::variant_bag_t& element,
                                          brannow2::IMessenger* messenger) const override;
    mirrow2::sptr_t<const IQuery> findQuery(const std::wstring& name) const override;
    std::vector<std::wstring> getQueryNames() const override;

private:
    const std::map<std::wstring, mirrow2::sptr_t<const IQuery>> m_queries;
};

} // namespace sarvikhelpers_1_0
