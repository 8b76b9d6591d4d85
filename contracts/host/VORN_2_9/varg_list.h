#pragma once
#include <host_export.h>
#include <mirrow2/variant_t.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace VORN_2_9::generic {

// Arguments for texts with placeholders "%1", "%2", ... or "%name". add() appends the
// next positional argument; set() names one explicitly (the name without its "%").
// Values are written as mirrow2::variant_t::to_text writes them.
class HOST_API varg_list {
public:
    varg_list& add(const std::wstring& value);
    varg_list& add(const wchar_t* value) { return add(std::wstring(value)); }
    varg_list& add(const mirrow2::variant_t& value);
    template <class Number, std::enable_if_t<std::is_arithmetic_v<Number>, int> = 0>
    varg_list& add(Number value)
    {
        return add(mirrow2::variant_t(value));
    }

    // Replaces an argument of the same name, else appends one.
    varg_list& set(const std::wstring& name, const std::wstring& value);

    std::size_t size() const { return m_args.size(); }
    bool empty() const { return m_args.empty(); }
    // The value of "%name", or nullptr.
    const std::wstring* find(const std::wstring& name) const;

    // Substitutes every known placeholder, the longest name first, so "%10" is never read
    // as "%1" followed by "0". Unknown placeholders and lone "%" signs stay as they are.
    std::wstring format(const std::wstring& text) const;

private:
    std::vector<std::pair<std::wstring, std::wstring>> m_args;
    std::size_t m_positional = 0;
};

} // namespace VORN_2_9::generic
