#include "XmlBagReader.h"

#include <VORN_2_9/strings.h>

namespace tessik2 {

mirrow2::variant_bag_t XmlBagReader::read(const pugi::xml_node& element)
{
    m_truncated = false;
    return readElement(element, 1);
}

mirrow2::variant_bag_t XmlBagReader::readElement(const pugi::xml_node& element, int depth)
{
    mirrow2::variant_bag_t bag(pugi::as_wide(element.name()));

    std::wstring text;
    for (const pugi::xml_node& child : element.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
            text += pugi::as_wide(child.value());
    }
    text = VORN_2_9::strings::trim(text);
    if (!text.empty())
        bag.add_value(L"", std::move(text));

    for (const pugi::xml_attribute& attribute : element.attributes())
        bag.add_value(pugi::as_wide(attribute.name()), pugi::as_wide(attribute.value()));

    for (const pugi::xml_node& child : element.children()) {
        if (child.type() != pugi::node_element)
            continue;
        if (depth >= maxDepth) {
            m_truncated = true;
            break;
        }
        bag.add_bag(readElement(child, depth + 1));
    }
    return bag;
}

} // namespace tessik2
