#pragma once
// Tells the item serializers which memory buffer an archive reads or writes, when it is one:
// they then encode into it and decode from it in place instead of through a block of their own.
// The link rides on the archive as one of its helpers, since Boost's native archives do not
// hand out their stream; an archive without it is written or read through its stream as usual.

#include <typeinfo>

namespace velmora_1_0 {

template <class Buffer>
class InPlaceBuffer {
public:
    template <class Archive>
    static void attach(Archive& ar, Buffer& buffer)
    {
        ar.template get_helper<InPlaceBuffer>(key()).m_buffer = &buffer;
    }

    /// The buffer attached to `ar`; null for an archive over another stream.
    template <class Archive>
    static Buffer* of(Archive& ar)
    {
        return ar.template get_helper<InPlaceBuffer>(key()).m_buffer;
    }

private:
    // Helpers are told apart by this key alone, so each kind of buffer uses its own type's.
    static void* key() { return const_cast<std::type_info*>(&typeid(InPlaceBuffer)); }

    Buffer* m_buffer = nullptr;
};

}  // namespace velmora_1_0
