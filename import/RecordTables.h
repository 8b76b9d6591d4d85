#pragma once
// Small makers of the result records every reader fills: an empty attribute or band table with
// its name and columns, text in the records' wide form, and text columns made of interned keys.
#include "TextInternTable.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>
#include <ddb_2_2/string.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora_import {

class RecordTables {
public:
    // The column of the "marker" table that holds an event's top call-stack frames, leaf first,
    // one "symbol (module)" a line (a frame without a module is its symbol alone); empty when
    // the event has no stack. Name and category stay columns of their own.
    static constexpr const wchar_t* MARKER_STACK = L"stack";
    // Frames of a stack that a marker keeps: enough to tell where a sample was, few enough for
    // a tooltip.
    static constexpr int STACK_FRAMES = 5;

    static dd_sarvik_2_2::store::AttributeTableRecord attributeTable(
        const wchar_t* name, std::vector<dd_sarvik_2_2::store::AttributeColumn> columns)
    {
        dd_sarvik_2_2::store::AttributeTableRecord table;
        table.name = name;
        table.columns = std::move(columns);
        return table;
    }

    static dd_sarvik_2_2::store::BandTableRecord bandTable(const wchar_t* name,
                                                           dd_sarvik_2_2::store::BandTableKind kind,
                                                           const wchar_t* attributes, const wchar_t* key)
    {
        dd_sarvik_2_2::store::BandTableRecord table;
        table.name = name;
        table.kind = kind;
        table.attributeTable = attributes;
        table.keyName = key;
        return table;
    }

    // Malformed UTF-8 becomes U+FFFD rather than losing the whole text. Most names are ASCII,
    // whose bytes are their code points.
    static std::wstring wide(std::string_view text)
    {
        if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            return std::wstring(text.begin(), text.end());
        return ddb_2_2::string::from_utf8(std::string(text)).str();
    }

    // One text column per part of the keys of `texts` (joined by TextInternTable::join), an
    // instance per key: parts copied once into a few large strings, where an instance record
    // and a wide string per part cost an allocation each. A key with fewer parts has empty texts
    // for the rest; parts past `columns` are left out.
    static std::vector<dd_sarvik_2_2::store::TextColumnRecord> textColumns(const TextInternTable& texts,
                                                                          std::size_t columns)
    {
        std::vector<dd_sarvik_2_2::store::TextColumnRecord> made(columns);
        for (auto& column : made)
            column.ends.reserve(texts.size());
        for (std::size_t index = 0; index < texts.size(); ++index) {
            TextInternTable::forEachPart(texts.key(index), [&made](std::size_t part, std::string_view text) {
                if (part < made.size())
                    made[part].utf8.append(text);
            });
            for (auto& column : made)
                column.ends.push_back(column.utf8.size());
        }
        return made;
    }

    // One instance of an attribute table, its values moved in (a braced list would copy each).
    template <class... Values>
    static std::vector<dd_sarvik_2_2::store::StoredValue> instance(Values&&... values)
    {
        std::vector<dd_sarvik_2_2::store::StoredValue> instance;
        instance.reserve(sizeof...(values));
        (instance.emplace_back(std::forward<Values>(values)), ...);
        return instance;
    }
};

} // namespace velmora_import
