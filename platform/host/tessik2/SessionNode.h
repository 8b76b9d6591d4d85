#pragma once
#include <mirrow2/ref_counter_t.h>
#include <tessik2/ISessionStorageAccessor.h>

namespace tessik2 {

// A stored tree handed out by get_object; it owns a copy, so it outlives its section.
class SessionNode : public mirrow2::ref_counter_t<ISessionNode, mirrow2::simple_ref_count_impl_t> {
public:
    explicit SessionNode(mirrow2::variant_bag_t bag) : m_bag(std::move(bag)) {}

    const mirrow2::variant_bag_t& bag() const override { return m_bag; }

private:
    mirrow2::variant_bag_t m_bag;
};

} // namespace tessik2
