#include "XmlSessionSection.h"

#include "SessionNode.h"
#include "XmlBagReader.h"

#include <brannow2/IMessenger.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tessik2 {

XmlSessionSection::XmlSessionSection(std::wstring filePath, brannow2::IMessenger* messenger)
    : m_filePath(std::move(filePath)), m_messenger(messenger)
{
    m_loaded = load();
}

XmlSessionSection::XmlSessionSection(brannow2::IMessenger* messenger) : m_messenger(messenger) {}

bool XmlSessionSection::load()
{
    const std::filesystem::path path(pugi::as_utf8(m_filePath));
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        warn(L"Session storage: the file \"" + m_filePath + L"\" does not exist.");
        return false;
    }
    std::ifstream file(path, std::ios::binary);
    const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (!file && !file.eof()) {
        warn(L"Session storage: the file \"" + m_filePath + L"\" cannot be read.");
        return false;
    }
    const pugi::xml_parse_result result = m_document.load_buffer(content.data(), content.size());
    if (!result) {
        const auto end = content.begin() + std::clamp<std::ptrdiff_t>(result.offset, 0, content.size());
        const auto line = std::count(content.begin(), end, '\n') + 1;
        const auto lineStart = std::find(std::make_reverse_iterator(end), content.rend(), '\n').base();
        const auto column = std::distance(lineStart, end) + 1;
        warn(L"Session storage: \"" + m_filePath + L"\" is not well-formed XML (line " +
             std::to_wstring(line) + L", column " + std::to_wstring(column) + L"): " +
             pugi::as_wide(result.description()) + L".");
        m_document.reset();
        return false;
    }
    return true;
}

mirrow2::variant_bag_t XmlSessionSection::get_variant_bag(const std::wstring& name,
                                                          const mirrow2::variant_bag_t& fallback) const
{
    if (!m_loaded)
        return fallback;
    const pugi::xml_node element = findElement(name);
    if (!element) {
        warn(L"Session storage: no element <" + name + L"> in \"" + m_filePath + L"\".");
        return fallback;
    }
    return readBag(element);
}

mirrow2::sptr_t<mirrow2::object_interface_t> XmlSessionSection::get_object(const std::wstring& name) const
{
    const pugi::xml_node element = m_loaded ? findElement(name) : pugi::xml_node();
    if (!element)
        return {};
    return mirrow2::make_sptr<SessionNode>(readBag(element));
}

pugi::xml_node XmlSessionSection::findElement(const std::wstring& name) const
{
    const std::string utf8Name = pugi::as_utf8(name);
    return m_document.find_node([&utf8Name](const pugi::xml_node& node) {
        return node.type() == pugi::node_element && utf8Name == node.name();
    });
}

mirrow2::variant_bag_t XmlSessionSection::readBag(const pugi::xml_node& element) const
{
    XmlBagReader reader;
    mirrow2::variant_bag_t bag = reader.read(element);
    if (reader.truncated())
        warn(L"Session storage: elements nested deeper than " + std::to_wstring(XmlBagReader::maxDepth) +
             L" levels in \"" + m_filePath + L"\" were left out.");
    return bag;
}

void XmlSessionSection::warn(const std::wstring& text) const
{
    if (m_messenger)
        m_messenger->message(brannow2::IMessenger::Warning, text);
}

} // namespace tessik2
