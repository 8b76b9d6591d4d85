#include "CatalogFile.h"

#include <gtest/gtest.h>

namespace sarvikhelpers_1_0::test {
namespace {

bool mentions(const brannow2::CollectingMessenger& messenger, const std::wstring& text)
{
    for (const auto& message : messenger.messages())
        if (message.m_text.find(text) != std::wstring::npos)
            return true;
    return false;
}

TEST(QueryCatalogLoadTest, MalformedXmlGivesOneMessageWithItsLineAndAnEmptyLibrary)
{
    brannow2::CollectingMessenger messages;
    const auto library = loadCatalogText("<queryCatalog>\n  <query name=\"a\" kind=\"info\">\n"
                                         "    <names attributeTable=\"t\" instanceTable=\"u\">\n  </query>\n",
                                         messages);
    ASSERT_TRUE(library);
    EXPECT_TRUE(library->getQueryNames().empty());
    ASSERT_EQ(messages.count(), 1u) << allMessages(messages);
    EXPECT_EQ(messages.messages()[0].m_kind, brannow2::IMessenger::Error);
    EXPECT_NE(messages.messages()[0].m_text.find(L"line 4"), std::wstring::npos) << allMessages(messages);
    EXPECT_NE(messages.messages()[0].m_text.find(L"no query is loaded"), std::wstring::npos);
}

TEST(QueryCatalogLoadTest, MissingFileEmptyFileAndWrongRootGiveAnEmptyLibrary)
{
    brannow2::CollectingMessenger messages;
    const auto missing = loadQueryLibrary(std::filesystem::path(::testing::TempDir()) / "no-such-catalog.xml", &messages);
    EXPECT_TRUE(missing->getQueryNames().empty());
    EXPECT_TRUE(mentions(messages, L"no-such-catalog.xml: cannot be read"));

    for (const char* text : {"", "<queries><query name=\"a\" kind=\"data\"/></queries>", "\xff\xfe<"}) {
        SCOPED_TRACE(text);
        messages.clear();
        EXPECT_TRUE(loadCatalogText(text, messages)->getQueryNames().empty());
        EXPECT_EQ(messages.count(), 1u) << allMessages(messages);
    }
    EXPECT_FALSE(missing->resolve(elementNaming(L"drawBy", {L"a"}), nullptr));
}

TEST(QueryCatalogLoadTest, FaultyQueriesAreLeftOutWithTheirDependentsAndTheRestLoads)
{
    brannow2::CollectingMessenger messages;
    const auto library = loadCatalogText(R"(<queryCatalog>
      <query name="good" kind="info"><names attributeTable="a" instanceTable="b" attributeName="c"/><value>v</value></query>
      <query name="noKind"><names attributeTable="a" instanceTable="b"/></query>
      <query name="badKind" kind="Info"><names attributeTable="a" instanceTable="b"/></query>
      <query kind="info"><names attributeTable="a" instanceTable="b"/></query>
      <query name="noTables" kind="time"><names attributeTable="a"/></query>
      <query name="attributeOnTime" kind="time"><names attributeTable="a" instanceTable="b" attributeName="c"/></query>
      <query name="valueOnCount" kind="count"><names attributeTable="a" instanceTable="b"/><value>1</value></query>
      <query name="twoNames" kind="data"><names attributeTable="a" instanceTable="b"/><names attributeTable="a" instanceTable="b"/></query>
      <query name="typo" kind="data"><names attributeTable="a" instanceTable="b"/><restricton query="good"/></query>
      <query name="emptyVector" kind="vector"/>
      <query name="blankExpression" kind="derived"><expression>  </expression></query>
      <query name="unknownRestriction" kind="time"><names attributeTable="a" instanceTable="b"/><restriction query="nothing"/></query>
      <query name="restrictedByTime" kind="time"><names attributeTable="a" instanceTable="b"/><restriction query="good2"/></query>
      <query name="good2" kind="time"><names attributeTable="a" instanceTable="b"/></query>
      <query name="restrictedByPlainInfo" kind="count"><names attributeTable="a" instanceTable="b"/><restriction query="rows"/></query>
      <query name="rows" kind="info"><names attributeTable="a" instanceTable="b" attributeName="n"/></query>
      <query name="circleA" kind="data"><names attributeTable="a" instanceTable="b"/><restriction query="circleB"/></query>
      <query name="circleB" kind="data"><names attributeTable="a" instanceTable="b"/><restriction query="circleA"/></query>
      <query name="dependent" kind="vector"><element query="good"/><element query="noTables"/></query>
      <query name="good" kind="data"><names attributeTable="x" instanceTable="y"/></query>
      <unexpected/>
    </queryCatalog>)", messages);

    EXPECT_EQ(library->getQueryNames(), (std::vector<std::wstring>{L"good", L"good2", L"rows"}))
        << allMessages(messages);
    EXPECT_EQ(library->findQuery(L"good")->getKind(), QueryKind::info);   // the first definition wins
    const std::wstring expected[] = {
        L"line 3: query 'noKind' is left out: its kind '' is unknown.",
        L"line 4: query 'badKind' is left out: its kind 'Info' is unknown.",
        L"line 5: query '' is left out: it has no name.",
        L"query 'noTables' is left out: it needs <names> with an attributeTable and an instanceTable.",
        L"query 'attributeOnTime' is left out: only info queries name an attribute.",
        L"query 'valueOnCount' is left out: <value> does not belong in a query of kind 'count'.",
        L"query 'twoNames' is left out: it has more than one <names>.",
        L"query 'typo' is left out: <restricton> does not belong in a query of kind 'data'.",
        L"query 'emptyVector' is left out: it needs at least one <element>.",
        L"query 'blankExpression' is left out: it needs an <expression>.",
        L"query 'unknownRestriction' is left out: it refers to 'nothing', which is not a query of this catalog.",
        L"query 'restrictedByTime' is left out: its restriction 'good2' is neither an info query",
        L"query 'restrictedByPlainInfo' is left out: its restriction 'rows' is neither",
        L"its references run in a circle through 'circleA'.",
        L"query 'circleA' is left out: it refers to the query 'circleB', which is left out.",
        L"query 'dependent' is left out: it refers to 'noTables', which is not a query of this catalog.",
        L"query 'good' is defined more than once; the first definition is used.",
        L"line 22: unknown element <unexpected> is ignored.",
    };
    for (const std::wstring& text : expected)
        EXPECT_TRUE(mentions(messages, text)) << "missing: " << std::string(text.begin(), text.end()) << "\n"
                                              << allMessages(messages);
    EXPECT_EQ(messages.count(), std::size(expected)) << allMessages(messages);
}

} // namespace
} // namespace sarvikhelpers_1_0::test
