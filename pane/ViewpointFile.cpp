#include "pane/ViewpointFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>
#include <unistd.h>

namespace velmora_1_0 {

namespace {

std::string utf8(const std::wstring& text)
{
    // The buffer may point into the string's own storage: the string must outlive it.
    const wxString converted(text);
    const wxScopedCharBuffer bytes = converted.utf8_str();
    return std::string(bytes.data(), bytes.length());
}

std::string escaped(const std::wstring& text)
{
    std::string out;
    for (const char c : utf8(text)) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\n': out += "&#10;"; break;
        case '\t': out += "&#9;"; break;
        default: out += c; break;
        }
    }
    return out;
}

void writeElement(std::string& out, const mirrow2::variant_bag_t& element, int depth)
{
    const std::string indent(static_cast<std::size_t>(depth) * 2, ' ');
    const std::string name = utf8(element.name());
    out += indent + "<" + name;
    std::wstring text;
    for (const auto& value : element.values()) {
        if (value.first.empty())
            text = value.second.to_text();
        else
            out += " " + utf8(value.first) + "=\"" + escaped(value.second.to_text()) + "\"";
    }
    if (element.bags().empty()) {
        out += text.empty() ? "/>\n" : ">" + escaped(text) + "</" + name + ">\n";
        return;
    }
    out += ">" + escaped(text) + "\n";
    for (const mirrow2::variant_bag_t& child : element.bags())
        writeElement(out, child, depth + 1);
    out += indent + "</" + name + ">\n";
}

wxString failure(const std::filesystem::path& file, int code)
{
    return wxString::Format("Cannot write the viewpoint to %s: %s", file.string(),
                            std::generic_category().message(code));
}

} // namespace

std::string ViewpointFile::text(const mirrow2::variant_bag_t& document)
{
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    writeElement(out, document, 0);
    return out;
}

bool ViewpointFile::write(const mirrow2::variant_bag_t& document, const std::filesystem::path& file, wxString& error)
{
    const std::string content = text(document);
    std::filesystem::path temporary = file;
    temporary += ".saving";
    std::FILE* stream = std::fopen(temporary.c_str(), "wb");
    if (!stream) {
        error = failure(file, errno);
        return false;
    }
    // On disk before the rename, so that a crash leaves the old file or the whole new one.
    const bool written = std::fwrite(content.data(), 1, content.size(), stream) == content.size() &&
                         std::fflush(stream) == 0 && ::fsync(fileno(stream)) == 0;
    const int code = errno;
    const bool closed = std::fclose(stream) == 0;
    std::error_code renamed;
    if (written && closed)
        std::filesystem::rename(temporary, file, renamed);
    if (!written || !closed || renamed) {
        error = failure(file, !written ? code : renamed ? renamed.value() : errno);
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace velmora_1_0
