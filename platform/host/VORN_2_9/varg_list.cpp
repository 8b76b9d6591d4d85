#include <VORN_2_9/varg_list.h>

#include <algorithm>

namespace VORN_2_9::generic {

varg_list& varg_list::add(const std::wstring& value)
{
    return set(std::to_wstring(++m_positional), value);
}

varg_list& varg_list::add(const mirrow2::variant_t& value) { return add(value.to_text()); }

varg_list& varg_list::set(const std::wstring& name, const std::wstring& value)
{
    const auto it = std::find_if(m_args.begin(), m_args.end(),
                                 [&name](const auto& arg) { return arg.first == name; });
    if (it != m_args.end())
        it->second = value;
    else
        m_args.emplace_back(name, value);
    return *this;
}

const std::wstring* varg_list::find(const std::wstring& name) const
{
    const auto it = std::find_if(m_args.begin(), m_args.end(),
                                 [&name](const auto& arg) { return arg.first == name; });
    return it == m_args.end() ? nullptr : &it->second;
}

std::wstring varg_list::format(const std::wstring& text) const
{
    std::vector<const std::pair<std::wstring, std::wstring>*> byLength;
    for (const auto& arg : m_args)
        byLength.push_back(&arg);
    std::stable_sort(byLength.begin(), byLength.end(),
                     [](const auto* a, const auto* b) { return a->first.size() > b->first.size(); });

    std::wstring result;
    result.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t percent = text.find(L'%', pos);
        if (percent == std::wstring::npos) {
            result.append(text, pos, std::wstring::npos);
            break;
        }
        result.append(text, pos, percent - pos);
        pos = percent + 1;
        const auto match = std::find_if(byLength.begin(), byLength.end(), [&](const auto* arg) {
            return !arg->first.empty() && text.compare(pos, arg->first.size(), arg->first) == 0;
        });
        if (match == byLength.end()) {
            result += L'%';
        } else {
            // Substituted text is not scanned again, so a value containing "%1" stays literal.
            result += (*match)->second;
            pos += (*match)->first.size();
        }
    }
    return result;
}

} // namespace VORN_2_9::generic
