#include "CatalogFile.h"

#include <gtest/gtest.h>

namespace sarvikhelpers_1_0::test {
namespace {

TEST(QueryCatalogLoadTest, UnreadableOrMalformedCatalogGivesOneMessageAndAnEmptyLibrary)
{
    brannow2::CollectingMessenger messages;
    const auto missing = loadQueryLibrary(std::filesystem::path(::testing::TempDir()) / "no-such.xml", &messages);
    EXPECT_TRUE(missing->getQueryNames().empty());
    EXPECT_TRUE(mentions(messages, L"no-such.xml: cannot be read.")) << allMessages(messages);

    const std::pair<const char*, const wchar_t*> cases[] = {
        {"<queryCatalog>\n <query name=\"a\" kind=\"data\">\n  <names attributeTable=\"t\">\n </query>\n",
         L": line 4: "},
        {"", L"no query is loaded"},
        {"\xff\xfe<", L"no query is loaded"},
        {"<queries><query name=\"a\" kind=\"data\"/></queries>", L"the root element is <queries>, not <queryCatalog>"},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        messages.clear();
        EXPECT_TRUE(loadCatalogText(text, messages)->getQueryNames().empty());
        ASSERT_EQ(messages.count(), 1u) << allMessages(messages);
        EXPECT_EQ(messages.messages()[0].m_kind, brannow2::IMessenger::Error);
        EXPECT_TRUE(mentions(messages, expected)) << allMessages(messages);
    }
}

TEST(QueryCatalogLoadTest, FaultyQueriesAreLeftOutWithTheirDependentsAndTheRestLoads)
{
    brannow2::CollectingMessenger messages;
    const auto library = loadCatalogText(R"(<queryCatalog>
      <query name="good" kind="info"><names attributeTable="a" instanceTable="b" attributeName="c"/><value>v</value></query>
      <query name="badKind" kind="Info"><names attributeTable="a" instanceTable="b"/></query>
      <query kind="info"><names attributeTable="a" instanceTable="b"/></query>
      <query name="noTables" kind="time"><names attributeTable="a"/></query>
      <query name="valueOnCount" kind="count"><names attributeTable="a" instanceTable="b"/><value>1</value></query>
      <query name="typo" kind="data"><names attributeTable="a" instanceTable="b"/><restricton query="good"/></query>
      <query name="emptyVector" kind="vector"/>
      <query name="blankExpression" kind="derived"><expression>  </expression></query>
      <query name="unknownRestriction" kind="time"><names attributeTable="a" instanceTable="b"/><restriction query="nothing"/></query>
      <query name="restrictedByTime" kind="time"><names attributeTable="a" instanceTable="b"/><restriction query="good2"/></query>
      <query name="good2" kind="time"><names attributeTable="a" instanceTable="b"/></query>
      <query name="rows" kind="info"><names attributeTable="a" instanceTable="b" attributeName="n"/><names attributeTable="a" instanceTable="b"/></query>
      <query name="circleA" kind="data"><names attributeTable="a" instanceTable="b"/><restriction query="circleB"/></query>
      <query name="circleB" kind="data"><names attributeTable="a" instanceTable="b"/><restriction query="circleA"/></query>
      <query name="dependent" kind="vector"><element query="good"/><element query="noTables"/></query>
      <query name="good" kind="data"><names attributeTable="x" instanceTable="y"/></query>
      <unexpected/>
    </queryCatalog>)", messages);

    EXPECT_EQ(library->getQueryNames(), (std::vector<std::wstring>{L"good", L"good2"})) << allMessages(messages);
    EXPECT_EQ(library->findQuery(L"good")->getKind(), QueryKind::info);   // the first definition wins
    const std::wstring expected[] = {
        L"line 3: query 'badKind' is left out: its kind 'Info' is unknown.",
        L"line 4: query '' is left out: it has no name.",
        L"'noTables' is left out: it needs <names> with an attributeTable and an instanceTable.",
        L"'valueOnCount' is left out: <value> does not belong in a query of kind 'count'.",
        L"'typo' is left out: <restricton> does not belong in a query of kind 'data'.",
        L"'rows' is left out: it has more than one <names>.",
        L"'emptyVector' is left out: it needs at least one <element>.",
        L"'blankExpression' is left out: it needs an <expression>.",
        L"'unknownRestriction' is left out: it refers to 'nothing', which is not a query of this catalog.",
        L"'restrictedByTime' is left out: its restriction 'good2' is neither an info query",
        L"'circleB' is left out: its references run in a circle through 'circleA'.",
        L"'circleA' is left out: it refers to the query 'circleB', which is left out.",
        L"'dependent' is left out: it refers to 'noTables', which is not a query of this catalog.",
        L"query 'good' is defined more than once; the first definition is used.",
        L"line 18: unknown element <unexpected> is ignored.",
    };
    for (const std::wstring& text : expected)
        EXPECT_TRUE(mentions(messages, text)) << "missing: " << std::string(text.begin(), text.end());
    EXPECT_EQ(messages.count(), std::size(expected)) << allMessages(messages);
}

} // namespace
} // namespace sarvikhelpers_1_0::test
