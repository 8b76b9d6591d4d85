#include "CatalogFile.h"

#include <mirrow2/variant_bag_t.h>
#include <sarvikhelpers_1_0/ICountQuery.h>
#include <sarvikhelpers_1_0/IDataQuery.h>
#include <sarvikhelpers_1_0/IDerivedQuery.h>
#include <sarvikhelpers_1_0/IInfoQuery.h>
#include <sarvikhelpers_1_0/IInstanceCountQuery.h>
#include <sarvikhelpers_1_0/ITimeQuery.h>
#include <sarvikhelpers_1_0/IVectorQuery.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace sarvikhelpers_1_0::test {
namespace {

using QueryPtr = mirrow2::sptr_t<const IQuery>;

class QueryResolveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_library = loadCatalogText(everyKindCatalog, m_messages);
        ASSERT_EQ(m_messages.count(), 0u) << allMessages(m_messages);
    }

    QueryPtr resolve(std::initializer_list<std::wstring> names, const std::wstring& element = L"drawBy")
    {
        return m_library->resolve(elementNaming(element, names), &m_messages);
    }

    brannow2::CollectingMessenger m_messages;
    mirrow2::sptr_t<const IQueryLibrary> m_library;
};

TEST_F(QueryResolveTest, EveryKindResolvesAndCastsOnlyToItsOwnKind)
{
    const std::pair<const wchar_t*, QueryKind> queries[] = {
        {L"threads", QueryKind::info},        {L"samples", QueryKind::data},
        {L"cpuTime", QueryKind::time},        {L"sampleCount", QueryKind::count},
        {L"activeSamples", QueryKind::instanceCount}, {L"busyPerSample", QueryKind::derived},
        {L"threadTooltip", QueryKind::vector},
    };
    for (const auto& [name, kind] : queries) {
        SCOPED_TRACE(name);
        const QueryPtr query = resolve({name});
        ASSERT_TRUE(query);
        EXPECT_EQ(query->getName(), name);
        EXPECT_EQ(query->getKind(), kind);
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
    EXPECT_EQ(m_messages.count(), 0u) << allMessages(m_messages);
}

TEST_F(QueryResolveTest, TableQueriesGiveTheirNames)
{
    const IInfoQuery* threads = IInfoQuery::cast(resolve({L"threads"}, L"rowBy").get());
    ASSERT_TRUE(threads);
    EXPECT_EQ(threads->getAttributeTable(), L"dd_thread");
    EXPECT_EQ(threads->getInstanceTable(), L"dd_band");
    EXPECT_EQ(threads->getAttributeName(), L"name");

    // An info query without an attribute name gives an empty one, not the neighbour's.
    const IInfoQuery* markers = IInfoQuery::cast(m_library->findQuery(L"markers").get());
    ASSERT_TRUE(markers);
    EXPECT_EQ(markers->getInstanceTable(), L"marker_instant");
    EXPECT_EQ(markers->getAttributeName(), L"");

    const ICountQuery* count = ICountQuery::cast(m_library->findQuery(L"sampleCount").get());
    ASSERT_TRUE(count);
    EXPECT_EQ(count->getNames(), (std::vector<std::wstring>{L"function", L"dd_sample"}));
    EXPECT_TRUE(m_library->findQuery(L"busyPerSample")->getNames().empty());
}

TEST_F(QueryResolveTest, SeveralQueryRefsStandForTheirQueriesInElementOrder)
{
    const QueryPtr single = resolve({L"cpuTime"});
    EXPECT_EQ(single->getQueryCount(), 1u);
    EXPECT_EQ(single->getDefaultQuery(), single);

    const QueryPtr combined = resolve({L"sampleCount", L"threads", L"cpuTime"});
    ASSERT_TRUE(combined);
    EXPECT_EQ(combined->getQueryCount(), 3u);
    EXPECT_EQ(combined->getDefaultQuery()->getName(), L"sampleCount");
    const IVectorQuery* vector = IVectorQuery::cast(combined.get());
    ASSERT_TRUE(vector);
    ASSERT_EQ(vector->getElements().size(), 3u);
    EXPECT_EQ(vector->getElements()[1], m_library->findQuery(L"threads"));
    EXPECT_EQ(vector->getElements()[2], m_library->findQuery(L"cpuTime"));
    EXPECT_EQ(combined->getValues(),
              (std::vector<mirrow2::variant_t>{L"sampleCount", L"threads", L"cpuTime"}));
    // Not an info query, even though its default query is one.
    EXPECT_EQ(IInfoQuery::cast(resolve({L"threads", L"markers"}, L"rowBy").get()), nullptr);
}

TEST_F(QueryResolveTest, CatalogVectorListsItsElementsInOrder)
{
    const QueryPtr tooltip = resolve({L"threadTooltip"}, L"tooltipBy");
    const IVectorQuery* vector = IVectorQuery::cast(tooltip.get());
    ASSERT_TRUE(vector);
    std::vector<std::wstring> names;
    for (const QueryPtr& element : vector->getElements())
        names.push_back(element->getName());
    EXPECT_EQ(names, (std::vector<std::wstring>{L"threads", L"samples", L"markers"}));
    EXPECT_EQ(tooltip->getQueryCount(), 3u);
    EXPECT_EQ(tooltip->getDefaultQuery(), m_library->findQuery(L"threads"));
}

TEST_F(QueryResolveTest, UnknownNamesAndMissingQueryRefsGiveNullAndOneMessage)
{
    mirrow2::variant_bag_t withoutRef(L"rowBy");
    withoutRef.add_value(L"displayName", L"Rows");
    withoutRef.add_bag(mirrow2::variant_bag_t(L"queryReference"));
    mirrow2::variant_bag_t emptyRef(L"tooltipBy");
    emptyRef.add_bag(mirrow2::variant_bag_t(L"queryRef"));

    const std::pair<mirrow2::variant_bag_t, const wchar_t*> cases[] = {
        {elementNaming(L"drawBy", {L"cpuTime", L"noSuchQuery"}), L"unknown query 'noSuchQuery'"},
        {elementNaming(L"drawBy", {L"CPUTIME"}), L"unknown query 'CPUTIME'"},
        {withoutRef, L"<rowBy> names no query"},
        {emptyRef, L"<tooltipBy> has a <queryRef> without a query name"},
    };
    for (const auto& [element, expected] : cases) {
        SCOPED_TRACE(expected);
        m_messages.clear();
        EXPECT_FALSE(m_library->resolve(element, &m_messages));
        ASSERT_EQ(m_messages.count(), 1u) << allMessages(m_messages);
        EXPECT_NE(m_messages.messages()[0].m_text.find(expected), std::wstring::npos) << allMessages(m_messages);
        EXPECT_EQ(m_messages.messages()[0].m_kind, brannow2::IMessenger::Error);
    }
    EXPECT_FALSE(m_library->resolve(elementNaming(L"drawBy", {}), nullptr));
}

TEST_F(QueryResolveTest, RestrictionChainIsFollowedToItsEnd)
{
    std::vector<std::wstring> chain;
    std::vector<std::wstring> firstValues;
    for (QueryPtr link = resolve({L"cpuTime"})->getRestriction(); link; link = link->getRestriction()) {
        chain.push_back(link->getName());
        firstValues.push_back(link->getValues().empty() ? L"-" : link->getValues().front().get_text());
    }
    EXPECT_EQ(chain, (std::vector<std::wstring>{L"inMain", L"inApp", L"samples"}));
    EXPECT_EQ(firstValues, (std::vector<std::wstring>{L"main", L"app", L"-"}));
    EXPECT_EQ(m_library->findQuery(L"inApp")->getValues().size(), 2u);
}

TEST_F(QueryResolveTest, AttributesAndLimitsByNameWithDefaults)
{
    const QueryPtr cpuTime = resolve({L"cpuTime"});
    EXPECT_EQ(cpuTime->getAttribute(L"timelineFormat", {}), mirrow2::variant_t(L"area"));
    EXPECT_EQ(cpuTime->getAttribute(L"timelineGraphColor", {}), mirrow2::variant_t(L"0xFF2060C0"));
    EXPECT_EQ(cpuTime->getAttribute(L"owner", {}), mirrow2::variant_t(L"tests"));
    EXPECT_TRUE(cpuTime->getAttribute(L"timelineIconType", {}).is_empty());
    EXPECT_EQ(cpuTime->getAttribute(L"timelineformat", 7), mirrow2::variant_t(7));
    EXPECT_EQ(cpuTime->getAttributeNames(), (std::vector<std::wstring>{L"timelineFormat", L"timelineGraphColor",
                                                                        L"timelineFilterColor", L"owner"}));
    EXPECT_EQ(cpuTime->getDisplayName(), L"CPU time");
    EXPECT_EQ(m_library->findQuery(L"threads")->getDisplayName(), L"%Threads");
    EXPECT_EQ(m_library->findQuery(L"samples")->getDisplayName(), L"");

    EXPECT_EQ(cpuTime->getLowerLimit(), std::optional<std::wstring>(L"0"));
    EXPECT_EQ(cpuTime->getUpperLimit(), std::optional<std::wstring>(L"100"));
    const QueryPtr count = m_library->findQuery(L"sampleCount");
    EXPECT_FALSE(count->getLowerLimit());
    EXPECT_EQ(count->getUpperLimit(), std::optional<std::wstring>(L"5e3"));
    EXPECT_FALSE(m_library->findQuery(L"threads")->getUpperLimit());
}

TEST_F(QueryResolveTest, AreEqualTellsIdentityFromContent)
{
    const QueryPtr cpuTime = resolve({L"cpuTime"});
    EXPECT_TRUE(IQuery::areEqual(cpuTime, resolve({L"cpuTime"}), false));
    EXPECT_TRUE(IQuery::areEqual(nullptr, nullptr, true));
    EXPECT_FALSE(IQuery::areEqual(cpuTime, nullptr, true));
    EXPECT_FALSE(IQuery::areEqual(nullptr, cpuTime, true));

    // Each resolve of several queryRefs makes a new object with the same content.
    const QueryPtr pair = resolve({L"cpuTime", L"threads"});
    const QueryPtr samePair = resolve({L"cpuTime", L"threads"});
    EXPECT_FALSE(IQuery::areEqual(pair, samePair, false));
    EXPECT_TRUE(IQuery::areEqual(pair, samePair, true));
    EXPECT_FALSE(IQuery::areEqual(pair, resolve({L"threads", L"cpuTime"}), true));
    EXPECT_FALSE(IQuery::areEqual(cpuTime, resolve({L"sampleCount"}), true));

    // The same catalog loaded again gives equal, distinct queries.
    const auto reloaded = loadCatalogText(everyKindCatalog, m_messages);
    for (const std::wstring& name : m_library->getQueryNames()) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(IQuery::areEqual(m_library->findQuery(name), reloaded->findQuery(name), false));
        EXPECT_TRUE(IQuery::areEqual(m_library->findQuery(name), reloaded->findQuery(name), true));
    }
}

TEST_F(QueryResolveTest, AreEqualLooksIntoRestrictionsAttributesAndExpressions)
{
    const std::pair<std::string, std::string> edits[] = {
        {"<value>app</value>", "<value>App</value>"},                // a restriction's value, two links down
        {"owner=\"tests\"", "owner=\"other\""},                      // an attribute
        {"<limits lower=\"0\"", "<limits lower=\"1\""},              // a limit
        {"sampleCount / 100 *", "sampleCount / 10 *"},               // an expression
    };
    const wchar_t* const affected[] = {L"cpuTime", L"cpuTime", L"cpuTime", L"busyPerSample"};
    for (std::size_t i = 0; i < std::size(edits); ++i) {
        SCOPED_TRACE(edits[i].second);
        std::string text = everyKindCatalog;
        const std::size_t at = text.find(edits[i].first);
        ASSERT_NE(at, std::string::npos);
        text.replace(at, edits[i].first.size(), edits[i].second);
        const auto edited = loadCatalogText(text, m_messages);
        EXPECT_FALSE(IQuery::areEqual(m_library->findQuery(affected[i]), edited->findQuery(affected[i]), true));
        EXPECT_TRUE(IQuery::areEqual(m_library->findQuery(L"markers"), edited->findQuery(L"markers"), true));
    }
}

TEST_F(QueryResolveTest, QueriesOutliveTheirLibrary)
{
    const QueryPtr cpuTime = resolve({L"cpuTime"});
    const QueryPtr tooltip = resolve({L"threadTooltip"});
    m_library.reset();
    EXPECT_EQ(cpuTime->getRestriction()->getRestriction()->getRestriction()->getName(), L"samples");
    EXPECT_EQ(IVectorQuery::cast(tooltip.get())->getElements().back()->getName(), L"markers");
}

// Providers read queries on their worker threads while the pane resolves and releases them on
// the user-interface thread: counts and shared objects must stay consistent under that race.
TEST_F(QueryResolveTest, ResolvingSharingAndReleasingFromSeveralThreads)
{
    const QueryPtr shared = resolve({L"busyPerSample"});
    std::atomic<int> started{0};
    std::atomic<int> failures{0};
    const auto work = [&, library = m_library] {
        ++started;
        while (started.load() < 3) {
        }
        for (int i = 0; i < 300; ++i) {
            const QueryPtr pair = library->resolve(elementNaming(L"drawBy", {L"cpuTime", L"threads"}), nullptr);
            QueryPtr copy = shared;
            if (!IQuery::areEqual(pair->getDefaultQuery(), library->findQuery(L"cpuTime"), false)
                || IDerivedQuery::cast(copy.get())->createRpnNodes().size() != 5)
                ++failures;
        }
    };
    std::thread first(work);
    std::thread second(work);
    ++started;
    m_library.reset();   // the workers' copies keep the library alive
    first.join();
    second.join();
    EXPECT_EQ(failures.load(), 0);
    EXPECT_EQ(shared->getRestriction(), nullptr);
}

} // namespace
} // namespace sarvikhelpers_1_0::test
