#include "ItemDescription.h"

#include <tarquel_1_0/QuantityText.h>

#include <wx/tokenzr.h>

#include <algorithm>

namespace velmora_viewer {

namespace {

using Facts = ItemDescription::Facts;
using tarquel_1_0::durationText;

// A start is read against its neighbours: more digits than a length needs.
constexpr int TIME_DIGITS = 6;

wxString timeText(std::uint64_t time)
{
    return durationText(static_cast<double>(time), TIME_DIGITS);
}

const std::wstring* factOf(const Facts& facts, const wchar_t* attribute)
{
    const auto found = std::find_if(facts.begin(), facts.end(), [attribute](const auto& f) { return f.attribute == attribute; });
    return found == facts.end() ? nullptr : &found->value;
}

// "object" -> "Object"; the few stored names users know by another word get that word.
wxString labelOf(const std::wstring& attribute)
{
    if (attribute == L"args")
        return "Arguments";
    if (attribute == L"stack")
        return "Call stack";
    if (attribute == L"signal_cs")
        return "Signalled from";
    if (attribute == L"wait_cs")
        return "Waited at";
    wxString label(attribute);
    label.Replace("_", " ");
    return label.Left(1).Upper() + label.Mid(1);
}

class Builder {
public:
    explicit Builder(std::vector<ItemDescription::Line>& lines) : m_lines(lines) {}

    void add(const wxString& text, ItemDescription::Target target = {}) { m_lines.push_back({text, target}); }

    // One line, or a heading with the value's lines indented under it.
    void addValue(const wxString& label, const std::wstring& value)
    {
        const wxArrayString parts = wxStringTokenize(wxString(value), "\n", wxTOKEN_RET_EMPTY);
        if (parts.size() <= 1) {
            add(label + ": " + wxString(value));
            return;
        }
        add(label + ":");
        for (const wxString& part : parts)
            add("    " + part);
    }

    void addThread(const wxString& label, int row, const Facts& facts, const std::function<wxString(int)>& rowName,
                   ItemDescription::Target target = {})
    {
        wxString text = label + ": " + rowName(row);
        if (const std::wstring* tid = factOf(facts, L"tid"))
            text += " (tid " + wxString(*tid) + ")";
        add(text, target);
        if (const std::wstring* process = factOf(facts, L"process"))
            add("Process: " + wxString(*process));
    }

private:
    std::vector<ItemDescription::Line>& m_lines;
};

wxString titleOf(const PickedItem& item, const Facts& facts)
{
    if (const std::wstring* name = factOf(facts, L"name"))
        return *name;
    if (item.kind == PickedItem::Kind::state)
        return item.running ? "Running" : "Waiting";
    if (const std::wstring* object = factOf(facts, L"object"))
        return *object;
    return item.layerName;
}

} // namespace

std::vector<ItemDescription::Line> ItemDescription::describe(const PickedItem& item, const Read& read,
                                                             const std::function<wxString(int row)>& rowName)
{
    std::vector<Line> lines;
    if (!item.valid())
        return lines;
    Builder out(lines);
    const wxString title = titleOf(item, read.instance);
    out.add(title);
    if (title != item.layerName)
        out.add("In: " + item.layerName);
    if (const std::wstring* category = factOf(read.instance, L"category"))
        out.addValue("Category", *category);

    if (item.kind == PickedItem::Kind::transition) {
        out.addThread("From", item.fromRow, read.fromRow, rowName, {item.fromRow, item.start});
        out.add("    at " + timeText(item.start), {item.fromRow, item.start});
        out.addThread("To", item.row, read.row, rowName, {item.row, item.end});
        out.add("    at " + timeText(item.end), {item.row, item.end});
        out.add("Waited: " + durationText(static_cast<double>(item.end - item.start)));
    } else {
        if (item.kind == PickedItem::Kind::globalMarker)
            out.add("Thread: none (a global item, on the ruler)");
        else if (item.kind != PickedItem::Kind::counterSample)
            out.addThread("Thread", item.row, read.row, rowName);
        out.add("Start: " + timeText(item.start));
        if (item.end > item.start)
            out.add("Duration: " + durationText(static_cast<double>(item.end - item.start)));
    }
    // A sample's tooltip names its series and value; the layer's name is the title already.
    for (const wxString& part : wxStringTokenize(item.value, "\n"))
        if (part != title)
            out.add(part);

    for (const auto& fact : read.instance)
        if (fact.attribute != L"name" && fact.attribute != L"category" && fact.value != title.ToStdWstring())
            out.addValue(labelOf(fact.attribute), fact.value);
    return lines;
}

} // namespace velmora_viewer
