#include <pendrel_2_0/CommonMessage.h>

#include <unordered_map>

namespace pendrel_2_0 {

std::wstring getCommonMessage(const std::wstring& key)
{
    static const std::unordered_map<std::wstring, std::wstring> labels = {
        {L"%UpdateHighlighting", L"Update Highlighting"},
        {L"%Copy", L"Copy"},
        {L"%SelectAll", L"Select All"},
        {L"%ApplyFilter", L"Filter In by Selection"},
        {L"%RemoveFilters", L"Remove All Filters"},
        {L"%Help", L"Help"},
        {L"%Close", L"Close"},
        {L"%OK", L"OK"},
        {L"%Cancel", L"Cancel"},
    };
    const auto it = labels.find(key);
    return it == labels.end() ? key : it->second;
}

} // namespace pendrel_2_0
