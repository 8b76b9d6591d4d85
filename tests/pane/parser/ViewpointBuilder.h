#pragma once
// Builds viewpoint documents as variant bags, the way the session storage hands them over.
#include <mirrow2/variant_bag_t.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace velmora_1_0::parser_test {

class Element {
public:
    explicit Element(std::wstring name) : m_bag(std::move(name)) {}

    Element& text(const std::wstring& value) { return attr(L"", value); }
    Element& attr(std::wstring name, mirrow2::variant_t value)
    {
        m_bag.add_value(std::move(name), std::move(value));
        return *this;
    }
    Element& add(const Element& child)
    {
        m_bag.add_bag(child.m_bag);
        return *this;
    }
    const mirrow2::variant_bag_t& bag() const { return m_bag; }

private:
    mirrow2::variant_bag_t m_bag;
};

// An element naming its queries with queryRef children (rowBy, drawBy, tooltipBy).
inline Element queryElement(const std::wstring& name, std::initializer_list<const wchar_t*> queries)
{
    Element element(name);
    for (const wchar_t* query : queries)
        element.add(Element(L"queryRef").text(query));
    return element;
}

// A layer drawn by one query, with an optional tooltip vector.
inline Element layer(const wchar_t* drawBy, std::initializer_list<const wchar_t*> tooltip = {})
{
    Element element(L"layer");
    element.add(queryElement(L"drawBy", {drawBy}));
    if (tooltip.size() > 0)
        element.add(queryElement(L"tooltipBy", tooltip));
    return element;
}

// An area with one row set over threads holding the given layers.
inline Element threadArea(const std::vector<Element>& layers)
{
    Element rowSet(L"rowSet");
    rowSet.add(queryElement(L"rowBy", {L"threads"}));
    for (const Element& child : layers)
        rowSet.add(child);
    return Element(L"area").add(rowSet);
}

} // namespace velmora_1_0::parser_test
