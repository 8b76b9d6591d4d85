#pragma once
#include <sarvikhelpers_1_0/IQuery.h>

namespace brannow2 {
class IMessenger;
}
namespace mirrow2 {
class variant_bag_t;
}

namespace sarvikhelpers_1_0 {

// The queries of one catalog by name. A viewpoint element (rowBy, drawBy, tooltipBy) names
// its query with queryRef children whose text is a query name; resolve() turns the element
// into the query it stands for. Immutable once loaded, so it may be used from any thread.
class SARVIK_API IQueryLibrary : public mirrow2::object_interface_t {
public:
    // One queryRef: that query. Several: a vector of them, in element order. No queryRef,
    // an empty name or an unknown name: null and one message through messenger (may be null).
    virtual mirrow2::sptr_t<const IQuery> resolve(const mirrow2::variant_bag_t& element,
                                                  brannow2::IMessenger* messenger) const = 0;
    virtual mirrow2::sptr_t<const IQuery> findQuery(const std::wstring& name) const = 0;
    // Sorted by name.
    virtual std::vector<std::wstring> getQueryNames() const = 0;
};

} // namespace sarvikhelpers_1_0
