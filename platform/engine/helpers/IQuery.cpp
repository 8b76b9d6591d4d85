#include <sarvikhelpers_1_0/IDerivedQuery.h>
#include <sarvikhelpers_1_0/IQuery.h>
#include <sarvikhelpers_1_0/IVectorQuery.h>

#include <algorithm>

namespace sarvikhelpers_1_0 {
namespace {

bool sameAttributes(const IQuery& first, const IQuery& second)
{
    const std::vector<std::wstring> names = first.getAttributeNames();
    if (names != second.getAttributeNames())
        return false;
    return std::all_of(names.begin(), names.end(), [&](const std::wstring& name) {
        return first.getAttribute(name, {}) == second.getAttribute(name, {});
    });
}

bool sameKindParts(const IQuery& first, const IQuery& second)
{
    if (const IVectorQuery* vector = IVectorQuery::cast(&first)) {
        const auto& elements = vector->getElements();
        const auto& others = IVectorQuery::cast(&second)->getElements();
        return std::equal(elements.begin(), elements.end(), others.begin(), others.end(),
                          [](const auto& element, const auto& other) { return IQuery::areEqual(element, other, true); });
    }
    if (const IDerivedQuery* derived = IDerivedQuery::cast(&first))
        return derived->createRpnNodes() == IDerivedQuery::cast(&second)->createRpnNodes();
    return true;
}

} // namespace

bool IQuery::areEqual(const mirrow2::sptr_t<const IQuery>& first, const mirrow2::sptr_t<const IQuery>& second,
                      bool compareContent)
{
    if (first == second)
        return true;
    if (!first || !second || !compareContent)
        return false;
    const IQuery& a = *first;
    const IQuery& b = *second;
    return a.getKind() == b.getKind() && a.getName() == b.getName() && a.getNames() == b.getNames()
           && a.getDisplayName() == b.getDisplayName() && a.getLowerLimit() == b.getLowerLimit()
           && a.getUpperLimit() == b.getUpperLimit() && a.getValues() == b.getValues() && sameAttributes(a, b)
           && areEqual(a.getRestriction(), b.getRestriction(), true) && sameKindParts(a, b);
}

} // namespace sarvikhelpers_1_0
