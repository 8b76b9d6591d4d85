#include "CatalogFile.h"

#include <gtest/gtest.h>

#include <fstream>

namespace sarvikhelpers_1_0::test {

const char* const everyKindCatalog = R"(<?xml version="1.0" encoding="UTF-8"?>
<queryCatalog>
  <query name="threads" kind="info" displayName="%Threads">
    <names attributeTable="dd_thread" instanceTable="dd_band" attributeName="name"/></query>
  <query name="inMain" kind="info">
    <names attributeTable="function" instanceTable="dd_sample" attributeName="name"/>
    <value>main</value><restriction query="inApp"/></query>
  <query name="inApp" kind="info">
    <names attributeTable="function" instanceTable="dd_sample" attributeName="module"/>
    <value>app</value><value>lib</value><restriction query="samples"/></query>
  <query name="samples" kind="data"><names attributeTable="function" instanceTable="dd_sample"/></query>
  <query name="cpuTime" kind="time" displayName="CPU time">
    <names attributeTable="function" instanceTable="dd_sample"/>
    <limits lower="0" upper="100"/><restriction query="inMain"/>
    <display timelineFormat="area" timelineGraphColor="0xFF2060C0" timelineFilterColor="10,20,30" owner="tests"/>
  </query>
  <query name="sampleCount" kind="count">
    <names attributeTable="function" instanceTable="dd_sample"/><limits upper="5e3"/></query>
  <query name="activeSamples" kind="instanceCount"><names attributeTable="function" instanceTable="dd_sample"/></query>
  <query name="busyPerSample" kind="derived"><expression> cpuTime sampleCount / 100 * </expression></query>
  <query name="busyMinusActive" kind="derived"><expression>busyPerSample activeSamples -</expression></query>
  <query name="markers" kind="info"><names attributeTable="dd_thread" instanceTable="marker_instant"/></query>
  <query name="threadTooltip" kind="vector">
    <element query="threads"/><element query="samples"/><element query="markers"/></query>
</queryCatalog>
)";

mirrow2::sptr_t<const IQueryLibrary> loadCatalogText(const std::string& xml, brannow2::CollectingMessenger& messenger)
{
    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::filesystem::path file = std::filesystem::path(::testing::TempDir())
                                       / (std::string(info->test_suite_name()) + "_" + info->name() + ".xml");
    std::ofstream(file, std::ios::binary) << xml;
    mirrow2::sptr_t<const IQueryLibrary> library = loadQueryLibrary(file, &messenger);
    std::filesystem::remove(file);
    return library;
}

std::wstring allMessages(const brannow2::CollectingMessenger& messenger)
{
    std::wstring text;
    for (const auto& message : messenger.messages())
        text += message.m_text + L"\n";
    return text;
}

bool mentions(const brannow2::CollectingMessenger& messenger, const std::wstring& text)
{
    return allMessages(messenger).find(text) != std::wstring::npos;
}

mirrow2::variant_bag_t elementNaming(const std::wstring& element, std::initializer_list<std::wstring> names)
{
    mirrow2::variant_bag_t bag(element);
    for (const std::wstring& name : names) {
        mirrow2::variant_bag_t reference(L"queryRef");
        reference.add_value(L"", name);
        bag.add_bag(reference);
    }
    return bag;
}

} // namespace sarvikhelpers_1_0::test
