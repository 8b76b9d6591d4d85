#pragma once
// Imports a trace into a fresh scratch directory and reads the written result back through the
// result store's own reader, with lookups of its tables by name.
#include "TraceImporter.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velmora_import_test {

class ImportFixture : public ::testing::Test {
protected:
    // Imports `file`; false with m_error on failure.
    bool importFile(const std::filesystem::path& file);
    // Writes `bytes` to a scratch trace file and imports it.
    bool import(const std::string& bytes, const std::string& extension = ".json");
    // The import fails with `message`, names the file first and leaves nothing behind.
    void expectRefused(const std::string& bytes, const std::string& message);

    const dd_sarvik_2_2::store::AttributeTableRecord& attributes(const wchar_t* name) const;
    const dd_sarvik_2_2::store::BandTableRecord& band(const wchar_t* name) const;
    std::wstring text(const wchar_t* table, std::size_t instance, std::size_t column = 0) const;
    // Rows that are threads (they have a tid).
    std::vector<bool> threadRows() const;

    static std::filesystem::path scratch();

    std::filesystem::path m_trace;
    std::filesystem::path m_output;
    std::string m_error;
    std::vector<std::string> m_notes;
    dd_sarvik_2_2::store::ResultRecords m_records;
};

} // namespace velmora_import_test
