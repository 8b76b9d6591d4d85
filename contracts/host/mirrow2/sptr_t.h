#pragma once
#include <cstddef>
#include <functional>
#include <type_traits>
#include <utility>

namespace mirrow2 {

// Intrusive shared pointer over add_ref/release (see object_interface_t). Constructing
// from a raw pointer takes a reference, so an object created with zero references is
// owned by its first sptr_t. Works with const T because counting is const.
template <class T>
class sptr_t {
public:
    using element_type = T;

    constexpr sptr_t() noexcept = default;
    constexpr sptr_t(std::nullptr_t) noexcept {}
    sptr_t(T* object) : m_object(object) { acquire(); }
    sptr_t(const sptr_t& other) : m_object(other.m_object) { acquire(); }
    sptr_t(sptr_t&& other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    sptr_t(const sptr_t<U>& other) : m_object(other.get()) { acquire(); }
    template <class U, class = std::enable_if_t<std::is_convertible_v<U*, T*>>>
    sptr_t(sptr_t<U>&& other) noexcept : m_object(other.detach()) {}
    ~sptr_t() { dispose(); }

    sptr_t& operator=(sptr_t other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }

    // Takes over a reference the caller already holds (no add_ref).
    static sptr_t adopt(T* object) noexcept
    {
        sptr_t result;
        result.m_object = object;
        return result;
    }
    // Gives up the held reference without releasing it; the caller must release it.
    T* detach() noexcept { return std::exchange(m_object, nullptr); }

    void reset(T* object = nullptr) { sptr_t(object).swap(*this); }
    void swap(sptr_t& other) noexcept { std::swap(m_object, other.m_object); }

    T* get() const noexcept { return m_object; }
    T* operator->() const noexcept { return m_object; }
    T& operator*() const noexcept { return *m_object; }
    explicit operator bool() const noexcept { return m_object != nullptr; }

private:
    void acquire() const
    {
        if (m_object)
            m_object->add_ref();
    }
    void dispose()
    {
        if (m_object)
            std::exchange(m_object, nullptr)->release();
    }

    T* m_object = nullptr;
};

template <class T, class U>
bool operator==(const sptr_t<T>& a, const sptr_t<U>& b) noexcept { return a.get() == b.get(); }
template <class T, class U>
bool operator!=(const sptr_t<T>& a, const sptr_t<U>& b) noexcept { return a.get() != b.get(); }
template <class T, class U>
bool operator<(const sptr_t<T>& a, const sptr_t<U>& b) noexcept
{
    return std::less<const void*>()(a.get(), b.get());
}
template <class T>
bool operator==(const sptr_t<T>& a, std::nullptr_t) noexcept { return !a; }
template <class T>
bool operator==(std::nullptr_t, const sptr_t<T>& a) noexcept { return !a; }
template <class T>
bool operator!=(const sptr_t<T>& a, std::nullptr_t) noexcept { return static_cast<bool>(a); }
template <class T>
bool operator!=(std::nullptr_t, const sptr_t<T>& a) noexcept { return static_cast<bool>(a); }

// Creates an object and hands it to its first owner, so callers never hold a bare new.
template <class T, class... Args>
sptr_t<T> make_sptr(Args&&... args)
{
    return sptr_t<T>(new T(std::forward<Args>(args)...));
}

// Shares the object as a U when it is one, else gives an empty pointer.
template <class U, class T>
sptr_t<U> dynamic_sptr_cast(const sptr_t<T>& object)
{
    return sptr_t<U>(dynamic_cast<U*>(object.get()));
}

} // namespace mirrow2

namespace std {
template <class T>
struct hash<mirrow2::sptr_t<T>> {
    size_t operator()(const mirrow2::sptr_t<T>& object) const noexcept
    {
        return hash<T*>()(object.get());
    }
};
} // namespace std
