#include "CatalogFile.h"

#include <sarvikhelpers_1_0/ICountQuery.h>
#include <sarvikhelpers_1_0/IDataQuery.h>
#include <sarvikhelpers_1_0/IDerivedQuery.h>
#include <sarvikhelpers_1_0/IInfoQuery.h>
#include <sarvikhelpers_1_0/IInstanceCountQuery.h>
#include <sarvikhelpers_1_0/ITimeQuery.h>
#include <sarvikhelpers_1_0/IVectorQuery.h>

#include <gtest/gtest.h>

#include <thread>

namespace sarvikhelpers_1_0::test {
namespace {

using QueryPtr = mirrow2::sptr_t<const IQuery>;
using Names = std::vector<std::wstring>;

class QueryResolveTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(m_messages.count(), 0u) << allMessages(m_messages); }

    QueryPtr resolve(std::initializer_list<std::wstring> names)
    {
        return m_library->resolve(elementNaming(L"drawBy", names), &m_messages);
    }

    brannow2::CollectingMessenger m_messages;
    mirrow2::sptr_t<const IQueryLibrary> m_library = loadCatalogText(everyKindCatalog, m_messages);
};

TEST_F(QueryResolveTest, EveryKindResolvesAndCastsOnlyToItsOwnKind)
{
    const std::pair<const wchar_t*, QueryKind> queries[] = {
        {L"threads", QueryKind::info},   {L"samples", QueryKind::data},
        {L"cpuTime", QueryKind::time},   {L"sampleCount", QueryKind::count},
        {L"activeSamples", QueryKind::instanceCount}, {L"busyPerSample", QueryKind::derived},
        {L"threadTooltip", QueryKind::vector},
    };
    for (const auto& [name, kind] : queries) {
        SCOPED_TRACE(name);
        const QueryPtr query = resolve({name});
        ASSERT_TRUE(query);
        EXPECT_EQ(query->getName(), name);
        const IQuery* raw = query.get();
        EXPECT_EQ(IInfoQuery::cast(raw) != nullptr, kind == QueryKind::info);
        EXPECT_EQ(IDataQuery::cast(raw) != nullptr, kind == QueryKind::data);
        EXPECT_EQ(ITimeQuery::cast(raw) != nullptr, kind == QueryKind::time);
        EXPECT_EQ(ICountQuery::cast(raw) != nullptr, kind == QueryKind::count);
        EXPECT_EQ(IInstanceCountQuery::cast(raw) != nullptr, kind == QueryKind::instanceCount);
        EXPECT_EQ(IDerivedQuery::cast(raw) != nullptr, kind == QueryKind::derived);
        EXPECT_EQ(IVectorQuery::cast(raw) != nullptr, kind == QueryKind::vector);
    }
    EXPECT_EQ(IInfoQuery::cast(nullptr), nullptr);

    const IInfoQuery* threads = IInfoQuery::cast(resolve({L"threads"}).get());
    EXPECT_EQ((Names{threads->getAttributeTable(), threads->getInstanceTable(), threads->getAttributeName()}),
              (Names{L"dd_thread", L"dd_band", L"name"}));
    EXPECT_EQ(IInfoQuery::cast(resolve({L"markers"}).get())->getAttributeName(), L"");
    EXPECT_EQ(resolve({L"sampleCount"})->getNames(), (Names{L"function", L"dd_sample"}));
    EXPECT_EQ(m_messages.count(), 0u) << allMessages(m_messages);
}

TEST_F(QueryResolveTest, VectorsStandForTheirElementsInOrder)
{
    const QueryPtr single = resolve({L"cpuTime"});
    EXPECT_EQ(single->getQueryCount(), 1u);
    EXPECT_EQ(single->getDefaultQuery(), single);

    const QueryPtr combined = resolve({L"sampleCount", L"threads", L"cpuTime"});
    const QueryPtr catalogVector = resolve({L"threadTooltip"});
    for (const QueryPtr& query : {combined, catalogVector}) {
        const IVectorQuery* vector = IVectorQuery::cast(query.get());
        ASSERT_TRUE(vector);
        Names names;
        for (const QueryPtr& element : vector->getElements())
            names.push_back(element->getName());
        EXPECT_EQ(query->getQueryCount(), names.size());
        EXPECT_EQ(query->getDefaultQuery(), m_library->findQuery(names.front()));
        EXPECT_EQ(query->getValues(), std::vector<mirrow2::variant_t>(names.begin(), names.end()));
    }
    EXPECT_EQ(combined->getValues(), (std::vector<mirrow2::variant_t>{L"sampleCount", L"threads", L"cpuTime"}));
    EXPECT_EQ(catalogVector->getValues(), (std::vector<mirrow2::variant_t>{L"threads", L"samples", L"markers"}));
}

TEST_F(QueryResolveTest, UnknownNamesAndMissingQueryRefsGiveNullAndOneMessage)
{
    mirrow2::variant_bag_t withoutRef(L"rowBy");
    withoutRef.add_bag(mirrow2::variant_bag_t(L"queryReference"));
    mirrow2::variant_bag_t emptyRef(L"tooltipBy");
    emptyRef.add_bag(mirrow2::variant_bag_t(L"queryRef"));
    const std::pair<mirrow2::variant_bag_t, const wchar_t*> cases[] = {
        {elementNaming(L"drawBy", {L"cpuTime", L"noSuchQuery"}), L"<drawBy> names the unknown query 'noSuchQuery'"},
        {elementNaming(L"drawBy", {L"CPUTIME"}), L"unknown query 'CPUTIME'"},
        {withoutRef, L"<rowBy> names no query: it has no <queryRef>"},
        {emptyRef, L"<tooltipBy> has a <queryRef> without a query name"},
    };
    for (const auto& [element, expected] : cases) {
        SCOPED_TRACE(expected);
        m_messages.clear();
        EXPECT_FALSE(m_library->resolve(element, &m_messages));
        ASSERT_EQ(m_messages.count(), 1u) << allMessages(m_messages);
        EXPECT_TRUE(mentions(m_messages, expected)) << allMessages(m_messages);
        EXPECT_EQ(m_messages.messages()[0].m_kind, brannow2::IMessenger::Error);
    }
    EXPECT_FALSE(m_library->resolve(withoutRef, nullptr));
}

TEST_F(QueryResolveTest, RestrictionsAttributesAndLimits)
{
    const QueryPtr cpuTime = resolve({L"cpuTime"});
    Names chain;
    for (QueryPtr link = cpuTime->getRestriction(); link; link = link->getRestriction())
        chain.push_back(link->getName() + L"=" + (link->getValues().empty() ? L"" : link->getValues()[0].get_text()));
    EXPECT_EQ(chain, (Names{L"inMain=main", L"inApp=app", L"samples="}));

    EXPECT_EQ(cpuTime->getAttribute(L"timelineFormat", {}), mirrow2::variant_t(L"area"));
    EXPECT_EQ(cpuTime->getAttribute(L"owner", {}), mirrow2::variant_t(L"tests"));
    EXPECT_TRUE(cpuTime->getAttribute(L"timelineIconType", {}).is_empty());
    EXPECT_EQ(cpuTime->getAttribute(L"timelineformat", 7), mirrow2::variant_t(7));
    EXPECT_EQ(cpuTime->getAttributeNames(),
              (Names{L"timelineFormat", L"timelineGraphColor", L"timelineFilterColor", L"owner"}));
    EXPECT_EQ(cpuTime->getDisplayName(), L"CPU time");
    EXPECT_EQ(resolve({L"threads"})->getDisplayName(), L"%Threads");

    EXPECT_EQ(cpuTime->getLowerLimit(), std::optional<std::wstring>(L"0"));
    EXPECT_EQ(cpuTime->getUpperLimit(), std::optional<std::wstring>(L"100"));
    const QueryPtr count = resolve({L"sampleCount"});
    EXPECT_FALSE(count->getLowerLimit());
    EXPECT_EQ(count->getUpperLimit(), std::optional<std::wstring>(L"5e3"));
}

TEST_F(QueryResolveTest, AreEqualTellsIdentityFromContent)
{
    const QueryPtr pair = resolve({L"cpuTime", L"threads"});
    const QueryPtr samePair = resolve({L"cpuTime", L"threads"});   // a new object each time
    EXPECT_TRUE(IQuery::areEqual(resolve({L"cpuTime"}), resolve({L"cpuTime"}), false));
    EXPECT_TRUE(IQuery::areEqual(nullptr, nullptr, true));
    EXPECT_FALSE(IQuery::areEqual(pair, nullptr, true));
    EXPECT_FALSE(IQuery::areEqual(pair, samePair, false));
    EXPECT_TRUE(IQuery::areEqual(pair, samePair, true));
    EXPECT_FALSE(IQuery::areEqual(pair, resolve({L"threads", L"cpuTime"}), true));

    // One edit deep in a restriction, an attribute, a limit or an expression tells a reloaded
    // catalog's query apart; the unedited catalog gives equal, distinct queries. A derived
    // query compares by the nodes it makes, so a change in an operand's restriction shows.
    struct Edit {
        std::string from, to;
        bool cpuTimeEqual, derivedEqual;
    };
    const Edit edits[] = {{"", "", true, true},
                          {">app<", ">App<", false, false},
                          {"\"tests\"", "\"other\"", false, true},
                          {"lower=\"0\"", "lower=\"1\"", false, true},
                          {"/ 100", "/ 10", true, false}};
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.to);
        std::string text = everyKindCatalog;
        text.replace(text.find(edit.from), edit.from.size(), edit.to);
        const auto edited = loadCatalogText(text, m_messages);
        const std::pair<const wchar_t*, bool> expected[] = {
            {L"cpuTime", edit.cpuTimeEqual}, {L"busyMinusActive", edit.derivedEqual}, {L"threads", true}};
        for (const auto& [name, equal] : expected) {
            EXPECT_FALSE(IQuery::areEqual(m_library->findQuery(name), edited->findQuery(name), false));
            EXPECT_EQ(IQuery::areEqual(m_library->findQuery(name), edited->findQuery(name), true), equal) << name;
        }
    }
}

// Workers read queries while the user-interface thread resolves and releases them: the counts
// must stay right, and queries must outlive the library that made them.
TEST_F(QueryResolveTest, QueriesAreSharedAcrossThreadsAndOutliveTheirLibrary)
{
    const QueryPtr derived = resolve({L"busyPerSample"});
    const auto work = [derived, library = m_library] {
        for (int i = 0; i < 300; ++i) {
            const QueryPtr pair = library->resolve(elementNaming(L"drawBy", {L"cpuTime", L"threads"}), nullptr);
            EXPECT_EQ(pair->getDefaultQuery(), library->findQuery(L"cpuTime"));
            EXPECT_EQ(IDerivedQuery::cast(QueryPtr(derived).get())->createRpnNodes().size(), 5u);
        }
    };
    std::thread first(work);
    std::thread second(work);
    const QueryPtr tooltip = resolve({L"threadTooltip"});
    m_library.reset();
    first.join();
    second.join();
    EXPECT_EQ(IVectorQuery::cast(tooltip.get())->getElements().back()->getName(), L"markers");
}

} // namespace
} // namespace sarvikhelpers_1_0::test
