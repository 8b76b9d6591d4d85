#include "ViewerSession.h"

#include "pane/TimelinePane.h"

#include "TraceImporter.h"

#include <dd_sarvik_2_2/Result.h>
#include <dd_sarvik_2_2/dd_attribute_table.h>
#include <dd_sarvik_2_2/dd_attribute_table_data_retriever.h>
#include <sarvikhelpers_1_0/QueryLibraryLoader.h>
#include <tessik2/XmlSessionStorage.h>

#include <pugixml.hpp>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <system_error>

namespace velmora_viewer {

namespace fs = std::filesystem;

namespace {

// Offset of the first byte that does not belong to a well-formed UTF-8 sequence, or npos.
std::size_t firstInvalidUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3
                                                : (lead >> 3) == 0x1E ? 4 : 0;
        if (length == 0 || (length == 2 && lead < 0xC2) || i + length > text.size())
            return i;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return i;
        const unsigned char second = static_cast<unsigned char>(text[i + 1 < text.size() ? i + 1 : i]);
        if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90)
            || lead > 0xF4 || (lead == 0xF4 && second >= 0x90))
            return i; // overlong forms, surrogates and code points past U+10FFFF
        i += length;
    }
    return std::string::npos;
}

std::string declaredEncoding(const pugi::xml_document& document)
{
    const pugi::xml_node declaration = document.first_child();
    if (declaration.type() != pugi::node_declaration)
        return {};
    std::string encoding = declaration.attribute("encoding").value();
    for (char& c : encoding)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return encoding;
}

} // namespace

ViewerSession::ViewerSession() = default;
ViewerSession::~ViewerSession() = default;

fs::path ViewerSession::dataDirectory()
{
    if (const char* dir = std::getenv("VELMORA_DATA_DIR"); dir && *dir)
        return dir;
    return VELMORA_DATA_DIR_DEFAULT;
}

bool ViewerSession::open(const fs::path& resultDirectory, const std::string& viewpoint, std::string& error,
                         dd_sarvik_2_2::dd_progress_impl* progress)
{
    if (!resolveViewpoint(viewpoint, error))
        return false;
    std::error_code code;
    if (!fs::is_directory(resultDirectory, code)) {
        error = "no result directory at " + resultDirectory.string();
        return false;
    }
    const dd_sarvik_2_2::dd_error opened = m_engine.result_open(m_result, resultDirectory.wstring(), L"", progress);
    if (opened.code != 0) {
        error = resultDirectory.string() + " is not a readable result: " + fs::path(opened.message).string();
        m_result = nullptr;
        return false;
    }
    m_resultDirectory = resultDirectory;
    readImportNotes();
    m_library = sarvikhelpers_1_0::loadQueryLibrary(dataDirectory() / "queries" / "catalog.xml", &m_messenger);
    return true;
}

void ViewerSession::readImportNotes()
{
    m_importNotes.clear();
    dd_sarvik_2_2::dd_attribute_table notes;
    if (!notes.initialize(velmora_import::TraceImporter::NOTES_TABLE, m_result->get_database()))
        return; // not an imported trace, or imported before notes were kept
    const dd_sarvik_2_2::dd_attribute_table_data_retriever texts(
        m_result->get_database(),
        std::wstring(velmora_import::TraceImporter::NOTES_TABLE) + L"." + velmora_import::TraceImporter::NOTES_COLUMN);
    dd_sarvik_2_2::dd_attribute_table::key_iterator key;
    for (notes.get_key_iterator(key); !key.at_end(); ++key)
        m_importNotes.push_back(texts.get_value(*key).to_string().to_utf8());
}

// A bare name is a bundled viewpoint; anything with a path or an .xml ending is a file. The
// storage reads section "<file stem>" from its folder; the tree is the document element.
bool ViewerSession::resolveViewpoint(const std::string& viewpoint, std::string& error)
{
    fs::path file(viewpoint);
    const bool bundled = !file.has_parent_path() && file.extension() != ".xml";
    if (bundled)
        file = bundledViewpoints() / (viewpoint + ".xml");
    std::error_code code;
    if (!fs::is_regular_file(file, code)) {
        error = bundled ? "unknown viewpoint \"" + viewpoint + "\" (no " + file.string() + ")"
                        : "no viewpoint file at " + file.string();
        return false;
    }
    std::ostringstream content;
    content << std::ifstream(file, std::ios::binary).rdbuf();
    const std::string text = content.str();
    pugi::xml_document document;
    const pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size(), pugi::parse_default | pugi::parse_declaration);
    if (!parsed) {
        error = "viewpoint " + file.string() + " is not well-formed XML: " + parsed.description() +
                " (at byte " + std::to_string(parsed.offset) + ")";
        return false;
    }
    // Without a declaration naming another encoding the text must be UTF-8; the parser would
    // otherwise pass damaged names on as they are.
    const std::string encoding = declaredEncoding(document);
    const std::size_t invalid = firstInvalidUtf8(text);
    if ((encoding.empty() || encoding == "utf-8") && invalid != std::string::npos) {
        error = "viewpoint " + file.string() + " is not UTF-8 text (at byte " + std::to_string(invalid) + ")";
        return false;
    }
    m_viewpointName = file.stem().string();
    m_viewpointDirectory = fs::absolute(file, code).parent_path();
    m_storagePath = file.stem().wstring() + L"." + fs::path(document.document_element().name()).wstring();
    return true;
}

void ViewerSession::start(velmora_1_0::TimelinePane& pane)
{
    pane.setStorage(tessik2::createXmlSessionStorage(m_viewpointDirectory.wstring(), &m_messenger), m_storagePath,
                    &m_messenger);
    pane.setQueryLibrary(m_library);
    pane.addResult(m_result);
}

} // namespace velmora_viewer
