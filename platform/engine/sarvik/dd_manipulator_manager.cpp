#include <dd_sarvik_2_2/dd_manipulator_manager.h>

namespace dd_sarvik_2_2 {

using u128 = unsigned __int128;

void dd_manipulator_manager::clear()
{
    *this = dd_manipulator_manager();
}

void dd_manipulator_manager::set_time_base(std::uint64_t timeOrigin, std::uint64_t tickFrequency)
{
    m_timeOrigin = timeOrigin;
    m_tickFrequency = tickFrequency == 0 ? 1 : tickFrequency;
}

std::uint64_t dd_manipulator_manager::ticks_to_nanoseconds(std::uint64_t ticks) const
{
    if (ticks <= m_timeOrigin)
        return 0;
    return static_cast<std::uint64_t>(static_cast<u128>(ticks - m_timeOrigin) * 1000000000u / m_tickFrequency);
}

std::uint64_t dd_manipulator_manager::nanoseconds_to_ticks(std::uint64_t nanoseconds) const
{
    return m_timeOrigin + static_cast<std::uint64_t>(static_cast<u128>(nanoseconds) * m_tickFrequency / 1000000000u);
}

void dd_manipulator_manager::set_display_name(const ddb_2_2::string& attributePath, const ddb_2_2::string& name)
{
    m_displayNames[attributePath] = name;
}

ddb_2_2::string dd_manipulator_manager::get_display_name(const ddb_2_2::string& attributePath) const
{
    const auto it = m_displayNames.find(attributePath);
    return it == m_displayNames.end() ? attributePath : it->second;
}

}  // namespace dd_sarvik_2_2
