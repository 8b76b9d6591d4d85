#pragma once
#include <atomic>

namespace mirrow2 {

// A thread-safe reference count. A new object starts at zero: the first shared
// pointer that takes it adds the first reference.
class simple_ref_count_impl_t {
public:
    void add_ref() noexcept { m_count.fetch_add(1, std::memory_order_relaxed); }
    // True when this call dropped the last reference; the caller then destroys the object.
    bool release() noexcept { return m_count.fetch_sub(1, std::memory_order_acq_rel) == 1; }
    long count() const noexcept { return m_count.load(std::memory_order_acquire); }

private:
    std::atomic<long> m_count{0};
};

// Implements add_ref/release of Base with the count Impl and deletes the object when the
// last reference goes. Copying an object never copies its count: a copy starts unshared.
template <class Base, class Impl>
class ref_counter_t : public Base {
public:
    void add_ref() const override { m_refs.add_ref(); }
    void release() const override
    {
        if (m_refs.release())
            delete this;
    }

protected:
    ref_counter_t() = default;
    ref_counter_t(const ref_counter_t& other) : Base(other) {}
    ref_counter_t& operator=(const ref_counter_t&) { return *this; }

private:
    mutable Impl m_refs;
};

} // namespace mirrow2
