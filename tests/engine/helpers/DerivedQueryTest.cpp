#include "CatalogFile.h"

#include <sarvikhelpers_1_0/IDerivedQuery.h>

#include <gtest/gtest.h>

namespace sarvikhelpers_1_0::test {
namespace {

using dd_sarvik_2_2::dd_rpn_node_param_db_ref_t;
using dd_sarvik_2_2::dd_rpn_node_t;

// A node as one readable line, so that whole expressions compare in one assertion.
std::wstring describe(const dd_rpn_node_t& node)
{
    switch (node.get_type()) {
    case dd_rpn_node_t::type_constant:
        return L"const " + std::to_wstring(node.get_constant());
    case dd_rpn_node_t::type_add:
        return L"+";
    case dd_rpn_node_t::type_subtract:
        return L"-";
    case dd_rpn_node_t::type_multiply:
        return L"*";
    case dd_rpn_node_t::type_divide:
        return L"/";
    case dd_rpn_node_t::type_db_ref: {
        std::wstring text = L"ref kind " + std::to_wstring(node.get_params().get_kind());
        for (const auto& entry : node.get_params().get_entries()) {
            text += L" [" + entry.name.str() + L"," + entry.table.str() + L"," + entry.qualifier.str();
            if (entry.value.get_type() == ddb_2_2::variant::type_string)
                text += L"=" + entry.value.get_string().str();
            else if (entry.value.get_type() != ddb_2_2::variant::type_nil)
                text += L"=?";
            text += L"]";
        }
        return text;
    }
    }
    return L"unknown type " + std::to_wstring(node.get_type());
}

std::vector<std::wstring> describe(const std::vector<dd_rpn_node_t>& nodes)
{
    std::vector<std::wstring> lines;
    for (const dd_rpn_node_t& node : nodes)
        lines.push_back(describe(node));
    return lines;
}

class DerivedQueryTest : public ::testing::Test {
protected:
    std::vector<std::wstring> nodesOf(const std::wstring& name)
    {
        const mirrow2::sptr_t<const IQuery> query = m_library->findQuery(name);
        const IDerivedQuery* derived = IDerivedQuery::cast(query.get());
        return derived ? describe(derived->createRpnNodes()) : std::vector<std::wstring>{L"not derived"};
    }

    brannow2::CollectingMessenger m_messages;
    mirrow2::sptr_t<const IQueryLibrary> m_library = loadCatalogText(everyKindCatalog, m_messages);
};

// A time query restricted by a chain: its own tables, then each restriction with its first
// value (info) or its tables (data).
const std::wstring cpuTimeReference =
    L"ref kind 3 [function,dd_sample,] [function,dd_sample,name=main] [function,dd_sample,module=app]"
    L" [function,dd_sample,]";

TEST_F(DerivedQueryTest, NodesFollowTheExpressionWithKindsAndRestrictions)
{
    EXPECT_EQ(nodesOf(L"busyPerSample"),
              (std::vector<std::wstring>{cpuTimeReference, L"ref kind 1 [function,dd_sample,]", L"/",
                                         L"const 100.000000", L"*"}));
    EXPECT_EQ(IDerivedQuery::cast(m_library->findQuery(L"busyPerSample").get())->getExpression(),
              L" cpuTime sampleCount / 100 * ");
}

TEST_F(DerivedQueryTest, DerivedOperandContributesItsOwnNodesInPlace)
{
    EXPECT_EQ(nodesOf(L"busyMinusActive"),
              (std::vector<std::wstring>{cpuTimeReference, L"ref kind 1 [function,dd_sample,]", L"/",
                                         L"const 100.000000", L"*", L"ref kind 2 [function,dd_sample,]", L"-"}));
}

TEST_F(DerivedQueryTest, NumbersAndOperatorsAreTokensOnlyWhenWhole)
{
    const auto library = loadCatalogText(R"(<queryCatalog>
      <query name="t" kind="time"><names attributeTable="a" instanceTable="b"/></query>
      <query name="x" kind="derived"><expression>-1.5e1 t - 2 +</expression></query>
    </queryCatalog>)", m_messages);
    ASSERT_EQ(m_messages.count(), 0u) << allMessages(m_messages);
    m_library = library;
    EXPECT_EQ(nodesOf(L"x"), (std::vector<std::wstring>{L"const -15.000000", L"ref kind 3 [a,b,]", L"-",
                                                         L"const 2.000000", L"+"}));
}

TEST_F(DerivedQueryTest, FaultyExpressionsAreReportedAndLeftOut)
{
    const std::pair<const char*, const wchar_t*> cases[] = {
        {"t +", L"the operator '+' lacks an operand"},
        {"t t", L"leaves 2 values instead of one"},
        {"t 2x *", L"'2x', which is not a query of this catalog"},
        {"t rows +", L"the operand 'rows' is not a time, count, instance count or derived query"},
        {"t self +", L"circle through 'self'"},
        {"t nan +", L"'nan', which is not a query of this catalog"},
    };
    for (const auto& [expression, expected] : cases) {
        SCOPED_TRACE(expression);
        m_messages.clear();
        const auto library = loadCatalogText(std::string(R"(<queryCatalog>
          <query name="t" kind="time"><names attributeTable="a" instanceTable="b"/></query>
          <query name="rows" kind="info"><names attributeTable="a" instanceTable="b"/></query>
          <query name="self" kind="derived"><expression>)") + expression + R"(</expression></query>
        </queryCatalog>)", m_messages);
        EXPECT_FALSE(library->findQuery(L"self"));
        EXPECT_TRUE(library->findQuery(L"t"));
        ASSERT_EQ(m_messages.count(), 1u) << allMessages(m_messages);
        EXPECT_NE(m_messages.messages()[0].m_text.find(expected), std::wstring::npos) << allMessages(m_messages);
        EXPECT_NE(m_messages.messages()[0].m_text.find(L"query 'self' is left out"), std::wstring::npos);
    }
}

} // namespace
} // namespace sarvikhelpers_1_0::test
