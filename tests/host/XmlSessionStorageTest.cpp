#include <brannow2/CollectingMessenger.h>
#include <tessik2/XmlSessionStorage.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using mirrow2::variant_bag_t;
using mirrow2::variant_t;

const char* const viewpointXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<timeline version="2">
  <!-- a comment is not an element -->
  <viewpoint name="Threads">
    <showError>
      1
    </showError>
    <area name="first">
      <rowSet>
        <rowBy><queryRef>thread</queryRef></rowBy>
        <layer visible="0"><drawBy required="1"><queryRef>cpu</queryRef></drawBy></layer>
        <layer><drawBy><queryRef>wait</queryRef><queryRef>sync</queryRef></drawBy></layer>
      </rowSet>
    </area>
    <ruler><layer id="ruler"/></ruler>
    <area name="second" note="caf&#233; &amp; more"/>
  </viewpoint>
</timeline>
)";

class XmlSessionStorage : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir = fs::temp_directory_path() / ("velmora_host_" + std::to_string(std::random_device()()));
        fs::create_directories(m_dir);
        m_storage = tessik2::createXmlSessionStorage(m_dir.wstring(), &m_messenger);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    void write(const std::string& file, const std::string& content) const
    {
        std::ofstream(m_dir / file, std::ios::binary) << content;
    }
    variant_bag_t read(const std::wstring& section, const std::wstring& name) const
    {
        return m_storage->get_section(section)->get_variant_bag(name, variant_bag_t(L"fallback"));
    }
    bool reported(const std::wstring& part) const
    {
        for (const auto& message : m_messenger.messages())
            if (message.m_kind == brannow2::IMessenger::Warning && message.m_text.find(part) != std::wstring::npos)
                return true;
        return false;
    }

    fs::path m_dir;
    brannow2::CollectingMessenger m_messenger;
    mirrow2::sptr_t<tessik2::ISessionStorageAccessor> m_storage;
};

TEST_F(XmlSessionStorage, ReadsNestedElementsAttributesAndTextInDocumentOrder)
{
    write("timeline.xml", viewpointXml);
    const variant_bag_t viewpoint = read(L"timeline", L"viewpoint");
    EXPECT_EQ(m_messenger.count(), 0u);
    EXPECT_EQ(viewpoint.name(), L"viewpoint");
    EXPECT_EQ(viewpoint.get_value(L"name"), variant_t(L"Threads"));

    std::vector<std::wstring> children;
    for (const variant_bag_t& child : viewpoint.bags())
        children.push_back(child.name());
    EXPECT_EQ(children, (std::vector<std::wstring>{L"showError", L"area", L"ruler", L"area"}));
    EXPECT_EQ(viewpoint.bags()[0].first_value(), variant_t(L"1")) << "element text is trimmed";
    EXPECT_EQ(viewpoint.bags()[3].get_value(L"note"), variant_t(L"caf\u00e9 & more"));

    const variant_bag_t rowSet = viewpoint.get_bag(L"area").get_bag(L"rowSet");
    ASSERT_EQ(rowSet.bags().size(), 3u);
    EXPECT_EQ(rowSet.bags()[0].get_bag(L"queryRef").first_value(), variant_t(L"thread"));
    const variant_bag_t& firstLayer = rowSet.bags()[1];
    EXPECT_EQ(firstLayer.get_value(L"visible"), variant_t(L"0"));
    EXPECT_EQ(firstLayer.get_bag(L"drawBy").get_value(L"required"), variant_t(L"1"));
    const variant_bag_t secondDrawBy = rowSet.bags()[2].get_bag(L"drawBy");
    ASSERT_EQ(secondDrawBy.bags().size(), 2u);
    EXPECT_EQ(secondDrawBy.bags()[1].first_value(), variant_t(L"sync"));
    EXPECT_TRUE(viewpoint.get_bag(L"ruler").bags()[0].first_value() == variant_t(L"ruler"))
        << "without text, the first attribute is the first value";
}

TEST_F(XmlSessionStorage, FindsTheFirstElementInDocumentOrder)
{
    write("timeline.xml", viewpointXml);
    EXPECT_EQ(read(L"timeline", L"timeline").get_value(L"version"), variant_t(L"2"));
    EXPECT_EQ(read(L"timeline", L"layer").get_value(L"visible"), variant_t(L"0"))
        << "the area's layer comes before the ruler's";
    EXPECT_EQ(m_storage->get_section(L"timeline"), m_storage->get_section(L"timeline"));

    const auto object = m_storage->get_section(L"timeline")->get_object(L"viewpoint");
    const auto node = mirrow2::dynamic_sptr_cast<const tessik2::ISessionNode>(object);
    ASSERT_TRUE(node);
    EXPECT_EQ(node->bag(), read(L"timeline", L"viewpoint"));
    EXPECT_FALSE(m_storage->get_section(L"timeline")->get_object(L"nothing"));
}

TEST_F(XmlSessionStorage, ProblemsAreReportedAndGiveTheFallback)
{
    write("broken.xml", "<timeline>\n  <viewpoint>\n</timeline>\n");
    EXPECT_EQ(read(L"broken", L"viewpoint").name(), L"fallback");
    EXPECT_TRUE(reported(L"broken.xml\" is not well-formed XML (line 3"));

    EXPECT_EQ(read(L"absent", L"viewpoint").name(), L"fallback");
    EXPECT_TRUE(reported(L"absent.xml\" does not exist"));
    const std::size_t afterOpening = m_messenger.count();
    EXPECT_EQ(read(L"absent", L"viewpoint").name(), L"fallback");
    EXPECT_EQ(m_messenger.count(), afterOpening) << "an unreadable file is reported once";

    write("timeline.xml", viewpointXml);
    EXPECT_EQ(read(L"timeline", L"missing").name(), L"fallback");
    EXPECT_TRUE(reported(L"no element <missing>"));

    write("escape.xml", viewpointXml);
    EXPECT_EQ(read(L"../escape", L"viewpoint").name(), L"fallback");
    EXPECT_TRUE(reported(L"not a valid section name"));

    // Without a messenger the same problems stay quiet and harmless.
    const auto silent = tessik2::createXmlSessionStorage(m_dir.wstring(), nullptr);
    EXPECT_TRUE(silent->get_section(L"broken")->get_variant_bag(L"viewpoint", {}).empty());
    EXPECT_FALSE(silent->get_section(L"absent")->get_object(L"viewpoint"));
}

TEST_F(XmlSessionStorage, DeepNestingIsCutInsteadOfCrashing)
{
    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "<n>";
    for (int i = 0; i < 5000; ++i)
        deep += "</n>";
    write("deep.xml", deep);
    const variant_bag_t bag = read(L"deep", L"n");
    EXPECT_EQ(bag.name(), L"n");
    EXPECT_TRUE(reported(L"nested deeper than"));
}

TEST_F(XmlSessionStorage, ConcurrentReadersShareOneSection)
{
    write("timeline.xml", viewpointXml);
    const variant_bag_t expected = read(L"timeline", L"viewpoint");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            for (int i = 0; i < 50; ++i)
                EXPECT_EQ(read(L"timeline", L"viewpoint"), expected);
        });
    }
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(m_messenger.count(), 0u);
}

} // namespace
