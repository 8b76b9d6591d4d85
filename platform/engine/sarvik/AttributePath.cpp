#include "sarvik/AttributePath.h"

namespace dd_sarvik_2_2 {

namespace {
std::vector<std::wstring> splitPath(const std::wstring& path)
{
    std::vector<std::wstring> parts;
    std::size_t begin = 0;
    while (begin <= path.size()) {
        const std::size_t dot = path.find(L'.', begin);
        const std::size_t end = dot == std::wstring::npos ? path.size() : dot;
        if (end > begin)
            parts.push_back(path.substr(begin, end - begin));
        begin = end + 1;
    }
    return parts;
}

}  // namespace

std::optional<AttributePath> AttributePath::resolve(const ddb_2_2::database& db, const std::wstring& path)
{
    const std::vector<std::wstring> parts = splitPath(path);
    if (parts.empty())
        return std::nullopt;
    AttributePath resolved;
    auto table = AttributeTableData::find(db, parts.front());
    if (!table)
        return std::nullopt;
    resolved.m_nestedTable = parts.front();
    for (std::size_t i = 1; i < parts.size(); ++i) {
        if (!table)
            return std::nullopt;   // the previous column referenced nothing
        const int column = table->columnOf(parts[i]);
        if (column < 0)
            return std::nullopt;
        resolved.m_tables.push_back(table);
        resolved.m_columns.push_back(column);
        const std::wstring& referenced = table->column(column).referencedTable;
        if (!referenced.empty()) {
            resolved.m_nestedTable = referenced;
            table = AttributeTableData::find(db, referenced);
            if (!table && i + 1 < parts.size())
                return std::nullopt;
        } else {
            table = nullptr;
        }
    }
    if (resolved.m_tables.empty())
        resolved.m_tables.push_back(table);
    return resolved;
}

store::StoredValue AttributePath::value(std::size_t instance) const
{
    if (m_columns.empty()) {
        if (instance < m_tables.front()->size())
            return static_cast<std::int64_t>(instance);
        return {};
    }
    std::size_t current = instance;
    for (std::size_t step = 0; step < m_columns.size(); ++step) {
        const store::StoredValue& v = m_tables[step]->value(current, m_columns[step]);
        if (step + 1 == m_columns.size())
            return v;
        const auto* next = std::get_if<std::int64_t>(&v);
        if (!next || *next < 0)
            return {};
        current = static_cast<std::size_t>(*next);
    }
    return {};
}

ddb_2_2::variant AttributePath::toVariant(const store::StoredValue& value)
{
    if (const auto* i = std::get_if<std::int64_t>(&value))
        return ddb_2_2::variant(*i);
    if (const auto* d = std::get_if<double>(&value))
        return ddb_2_2::variant(*d);
    if (const auto* s = std::get_if<std::wstring>(&value))
        return ddb_2_2::variant(ddb_2_2::string(*s));
    return {};
}

}  // namespace dd_sarvik_2_2
