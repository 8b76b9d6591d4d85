#include "ImportFixture.h"

#include "store/ResultReader.h"
#include "ScratchDirectory.h"

#include <algorithm>
#include <fstream>

namespace velmora_import_test {

namespace fs = std::filesystem;
namespace store = dd_sarvik_2_2::store;

fs::path ImportFixture::scratch()
{
    static const fs::path directory = sharedScratchDirectory("velmora_import_test");
    return directory;
}

bool ImportFixture::importFile(const fs::path& file)
{
    static int count = 0;
    m_output = scratch() / ("result_" + std::to_string(++count)) / "result";
    fs::create_directories(m_output.parent_path());
    velmora_import::TraceImporter importer;
    const bool imported = importer.importTo(file, m_output, m_error);
    m_notes = importer.notes();
    m_records = {};
    return imported && store::ResultReader().read(m_output, m_records).ok();
}

bool ImportFixture::import(const std::string& bytes, const std::string& extension)
{
    static int count = 0;
    m_trace = scratch() / ("trace_" + std::to_string(++count) + extension);
    std::ofstream(m_trace, std::ios::binary) << bytes;
    return importFile(m_trace);
}

void ImportFixture::expectRefused(const std::string& bytes, const std::string& message)
{
    EXPECT_FALSE(import(bytes)) << bytes.substr(0, 200);
    EXPECT_NE(m_error.find(message), std::string::npos) << m_error;
    EXPECT_EQ(m_error.rfind(m_trace.string(), 0), 0u) << "the file is named first: " << m_error;
    EXPECT_FALSE(fs::exists(m_output));
    EXPECT_TRUE(fs::is_empty(m_output.parent_path())) << "nothing left behind";
}

const store::AttributeTableRecord& ImportFixture::attributes(const wchar_t* name) const
{
    const auto& tables = m_records.attributeTables;
    const auto found = std::find_if(tables.begin(), tables.end(), [name](const auto& t) { return t.name == name; });
    EXPECT_NE(found, tables.end()) << fs::path(name).string();
    return *found;
}

const store::BandTableRecord& ImportFixture::band(const wchar_t* name) const
{
    const auto& tables = m_records.bandTables;
    const auto found = std::find_if(tables.begin(), tables.end(), [name](const auto& t) { return t.name == name; });
    EXPECT_NE(found, tables.end()) << fs::path(name).string();
    return *found;
}

std::wstring ImportFixture::text(const wchar_t* table, std::size_t instance, std::size_t column) const
{
    return std::get<std::wstring>(attributes(table).instances.at(instance).at(column));
}

std::vector<bool> ImportFixture::threadRows() const
{
    std::vector<bool> threads;
    for (const auto& instance : attributes(L"dd_thread").instances)
        threads.push_back(!std::holds_alternative<std::monostate>(instance.at(3)));
    return threads;
}

} // namespace velmora_import_test
