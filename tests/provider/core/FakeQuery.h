#pragma once
// A derived query that does nothing but tell when its last reference went, so tests can check
// who keeps queries alive.
#include <mirrow2/ref_counter_t.h>
#include <sarvikhelpers_1_0/IDerivedQuery.h>

#include <atomic>
#include <map>
#include <memory>

namespace provider_test {

class FakeQuery
    : public mirrow2::ref_counter_t<sarvikhelpers_1_0::IDerivedQuery, mirrow2::simple_ref_count_impl_t> {
public:
    explicit FakeQuery(std::shared_ptr<std::atomic<bool>> destroyed) : m_destroyed(std::move(destroyed)) {}
    ~FakeQuery() override { *m_destroyed = true; }

    sarvikhelpers_1_0::QueryKind getKind() const override { return sarvikhelpers_1_0::QueryKind::derived; }
    const std::wstring& getName() const override { return m_text; }
    std::size_t getQueryCount() const override { return 1; }
    mirrow2::sptr_t<const IQuery> getDefaultQuery() const override { return this; }
    mirrow2::variant_t getAttribute(const std::wstring& name, const mirrow2::variant_t& defaultValue) const override
    {
        const auto found = attributes.find(name);
        return found != attributes.end() ? found->second : defaultValue;
    }
    std::vector<std::wstring> getAttributeNames() const override { return {}; }
    const std::vector<std::wstring>& getNames() const override { return m_names; }
    const std::wstring& getDisplayName() const override { return displayName; }
    const std::optional<std::wstring>& getLowerLimit() const override { return m_limit; }
    const std::optional<std::wstring>& getUpperLimit() const override { return m_limit; }
    mirrow2::sptr_t<const IQuery> getRestriction() const override { return nullptr; }
    const std::vector<mirrow2::variant_t>& getValues() const override { return m_values; }
    const std::wstring& getExpression() const override { return m_text; }
    std::vector<dd_sarvik_2_2::dd_rpn_node_t> createRpnNodes() const override { return {}; }

    // What a test's catalog would give the query.
    std::map<std::wstring, mirrow2::variant_t> attributes;
    std::wstring displayName;

private:
    std::shared_ptr<std::atomic<bool>> m_destroyed;
    std::wstring m_text;
    std::vector<std::wstring> m_names;
    std::optional<std::wstring> m_limit;
    std::vector<mirrow2::variant_t> m_values;
};

} // namespace provider_test
