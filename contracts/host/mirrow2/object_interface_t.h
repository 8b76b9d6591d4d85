#pragma once
#include <host_export.h>

namespace mirrow2 {

// The root of every reference-counted object handed between the host and its panes.
// Counting is const so that shared pointers to const objects can hold references too;
// objects are only ever destroyed through release().
class HOST_API object_interface_t {
public:
    virtual ~object_interface_t();
    virtual void add_ref() const = 0;
    virtual void release() const = 0;
};

} // namespace mirrow2
