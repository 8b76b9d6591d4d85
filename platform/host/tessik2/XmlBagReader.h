#pragma once
#include <mirrow2/variant_bag_t.h>

#include <pugixml.hpp>

namespace tessik2 {

// Turns an XML element into a variant bag: the element's name, its direct text (trimmed,
// when not blank) as the first value named "", its attributes as text values in document
// order, and its child elements as child bags. Elements deeper than maxDepth are left out
// (and reported through truncated()) so a hostile file cannot exhaust the stack.
class XmlBagReader {
public:
    static constexpr int maxDepth = 256;

    mirrow2::variant_bag_t read(const pugi::xml_node& element);
    bool truncated() const { return m_truncated; }

private:
    mirrow2::variant_bag_t readElement(const pugi::xml_node& element, int depth);

    bool m_truncated = false;
};

} // namespace tessik2
