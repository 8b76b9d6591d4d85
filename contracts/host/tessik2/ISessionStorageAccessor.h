#pragma once
#include <host_export.h>
#include <mirrow2/object_interface_t.h>
#include <mirrow2/sptr_t.h>
#include <mirrow2/variant_bag_t.h>

#include <string>

namespace tessik2 {

// One named section of the session storage. Reads never throw: a problem is reported
// through the storage's messenger and the fallback is returned.
class HOST_API ISessionSection : public mirrow2::object_interface_t {
public:
    ~ISessionSection() override;
    // The first stored tree of that name, or fallback when there is none.
    virtual mirrow2::variant_bag_t get_variant_bag(const std::wstring& name,
                                                   const mirrow2::variant_bag_t& fallback) const = 0;
    // The stored node of that name as an object the caller may keep; empty when absent.
    virtual mirrow2::sptr_t<mirrow2::object_interface_t> get_object(const std::wstring& name) const = 0;
};

// The session storage a pane reads its saved descriptions from. Thread-safe.
class HOST_API ISessionStorageAccessor : public mirrow2::object_interface_t {
public:
    ~ISessionStorageAccessor() override;
    // Never empty: a section that cannot be read answers every lookup with its fallback.
    virtual mirrow2::sptr_t<ISessionSection> get_section(const std::wstring& name) = 0;
};

// The stored node behind get_object: a tree that stays valid while the caller holds it.
class HOST_API ISessionNode : public mirrow2::object_interface_t {
public:
    ~ISessionNode() override;
    virtual const mirrow2::variant_bag_t& bag() const = 0;
};

} // namespace tessik2
