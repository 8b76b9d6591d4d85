#include "CatalogFile.h"

#include <sarvikhelpers_1_0/IDerivedQuery.h>

#include <gtest/gtest.h>

namespace sarvikhelpers_1_0::test {
namespace {

using dd_sarvik_2_2::dd_rpn_node_t;
using Lines = std::vector<std::wstring>;

// A node as one readable line, so that whole expressions compare in one assertion.
std::wstring describe(const dd_rpn_node_t& node)
{
    if (node.get_type() == dd_rpn_node_t::type_constant)
        return std::to_wstring(node.get_constant());
    if (node.get_type() != dd_rpn_node_t::type_db_ref)
        return std::wstring(1, L" +-*/"[node.get_type() - 1]);
    std::wstring text = L"ref " + std::to_wstring(node.get_params().get_kind());
    for (const auto& entry : node.get_params().get_entries()) {
        text += L" [" + entry.name.str() + L"," + entry.table.str() + L"," + entry.qualifier.str();
        if (!entry.value.is_nil())
            text += L"=" + entry.value.get_string().str();
        text += L"]";
    }
    return text;
}

Lines nodesOf(const mirrow2::sptr_t<const IQueryLibrary>& library, const std::wstring& name)
{
    Lines lines;
    for (const dd_rpn_node_t& node : IDerivedQuery::cast(library->findQuery(name).get())->createRpnNodes())
        lines.push_back(describe(node));
    return lines;
}

TEST(DerivedQueryTest, NodesFollowTheExpressionWithKindsRestrictionsAndInnerExpressions)
{
    brannow2::CollectingMessenger messages;
    const auto library = loadCatalogText(everyKindCatalog, messages);
    // The time query's own tables, then its chain: each info restriction with its first value,
    // the data restriction with its tables.
    const std::wstring cpuTime = L"ref 3 [function,dd_sample,] [function,dd_sample,name=main] "
                                 L"[function,dd_sample,module=app] [function,dd_sample,]";
    const Lines busyPerSample = {cpuTime, L"ref 1 [function,dd_sample,]", L"/", L"100.000000", L"*"};
    EXPECT_EQ(nodesOf(library, L"busyPerSample"), busyPerSample);
    Lines busyMinusActive = busyPerSample;
    busyMinusActive.insert(busyMinusActive.end(), {L"ref 2 [function,dd_sample,]", L"-"});
    EXPECT_EQ(nodesOf(library, L"busyMinusActive"), busyMinusActive);
    EXPECT_EQ(IDerivedQuery::cast(library->findQuery(L"busyPerSample").get())->getExpression(),
              L" cpuTime sampleCount / 100 * ");

    const auto signs = loadCatalogText(R"(<queryCatalog>
      <query name="t" kind="time"><names attributeTable="a" instanceTable="b"/></query>
      <query name="x" kind="derived"><expression>-1.5e1 t - 2 +</expression></query></queryCatalog>)", messages);
    EXPECT_EQ(nodesOf(signs, L"x"), (Lines{L"-15.000000", L"ref 3 [a,b,]", L"-", L"2.000000", L"+"}));
    EXPECT_EQ(messages.count(), 0u) << allMessages(messages);
}

TEST(DerivedQueryTest, FaultyExpressionsAreReportedAndLeftOut)
{
    const std::pair<const char*, const wchar_t*> cases[] = {
        {"t +", L"the operator '+' lacks an operand"},
        {"t t", L"the expression leaves 2 values instead of one"},
        {"t 2x *", L"it refers to '2x', which is not a query of this catalog"},
        {"t nan +", L"it refers to 'nan', which is not"},
        {"t rows +", L"the operand 'rows' is not a time, count, instance count or derived query"},
        {"t self +", L"its references run in a circle through 'self'"},
    };
    for (const auto& [expression, expected] : cases) {
        SCOPED_TRACE(expression);
        brannow2::CollectingMessenger messages;
        const auto library = loadCatalogText(std::string(R"(<queryCatalog>
          <query name="t" kind="time"><names attributeTable="a" instanceTable="b"/></query>
          <query name="rows" kind="info"><names attributeTable="a" instanceTable="b"/></query>
          <query name="self" kind="derived"><expression>)") + expression + "</expression></query></queryCatalog>",
                                             messages);
        EXPECT_EQ(library->getQueryNames(), (Lines{L"rows", L"t"}));
        ASSERT_EQ(messages.count(), 1u) << allMessages(messages);
        EXPECT_TRUE(mentions(messages, std::wstring(L"query 'self' is left out: ") + expected)) << allMessages(messages);
    }
}

} // namespace
} // namespace sarvikhelpers_1_0::test
