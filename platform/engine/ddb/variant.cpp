#include <ddb_2_2/variant.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <tuple>

namespace ddb_2_2 {

variant variant::of_type(std::uint8_t tag)
{
    switch (tag) {
    case type_bool: return variant(false);
    case type_int32: return variant(std::int32_t(0));
    case type_uint32: return variant(std::uint32_t(0));
    case type_int64: return variant(std::int64_t(0));
    case type_uint64: return variant(std::uint64_t(0));
    case type_double: return variant(0.0);
    case type_narrow_string:
    case type_string: return text(string(), static_cast<type_t>(tag));
    case type_byte_block: return variant(byte_block());
    default: break;
    }
    variant v;
    if (tag <= type_last)
        v.m_type = tag;
    return v;
}

variant variant::text(string value, type_t tag)
{
    variant v(std::move(value));
    if (tag == type_narrow_string)
        v.m_type = type_narrow_string;
    return v;
}

const byte_block& variant::get_byte_block() const
{
    static const byte_block none;
    const byte_block* block = std::get_if<byte_block>(&m_value);
    return block ? *block : none;
}

namespace {

struct NumberVisitor {
    double& out;
    bool operator()(std::monostate) const { return false; }
    bool operator()(const byte_block&) const { return false; }
    bool operator()(const string& s) const
    {
        if (s.empty())
            return false;
        wchar_t* end = nullptr;
        const double value = std::wcstod(s.c_str(), &end);
        if (end != s.c_str() + s.length())
            return false;
        out = value;
        return true;
    }
    template <class N>
    bool operator()(N number) const
    {
        out = static_cast<double>(number);
        return true;
    }
};

struct TextVisitor {
    string operator()(std::monostate) const { return string(); }
    string operator()(const byte_block&) const { return string(); }
    string operator()(const string& s) const { return s; }
    string operator()(bool b) const { return string(b ? L"true" : L"false"); }
    string operator()(double d) const
    {
        wchar_t text[64];
        std::swprintf(text, 64, L"%.17g", d);
        return string(text);
    }
    template <class N>
    string operator()(N number) const { return string(std::to_wstring(number)); }
};

}  // namespace

bool variant::to_double(double& out) const { return std::visit(NumberVisitor{out}, m_value); }

string variant::to_string() const { return std::visit(TextVisitor{}, m_value); }

bool operator==(const variant& a, const variant& b)
{
    return a.m_type == b.m_type && a.m_value == b.m_value;
}

bool operator<(const variant& a, const variant& b)
{
    return std::tie(a.m_type, a.m_value) < std::tie(b.m_type, b.m_value);
}

}  // namespace ddb_2_2
