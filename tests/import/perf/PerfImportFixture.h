#pragma once
// Imports perf input for the tests and looks into the records as the store's own reader gives
// them back: by reader, written by the store's writer, or end to end through TraceImporter.
#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace velmora_import {

class PerfImportFixture : public ::testing::Test {
protected:
    // A fresh path in the test's scratch directory.
    static std::filesystem::path scratch(const std::string& name);
    // Writes `text` to a file and imports it with its reader; false with m_error.
    bool importText(const std::string& text);
    // Imports `file` end to end and reads the result back; false with m_error.
    bool importFile(const std::filesystem::path& file);

    const dd_sarvik_2_2::store::AttributeTableRecord& attributes(const wchar_t* name) const;
    const dd_sarvik_2_2::store::BandTableRecord& band(const wchar_t* name) const;
    const std::vector<dd_sarvik_2_2::store::SampleRecord>& samples() const;
    std::wstring text(const wchar_t* table, std::size_t instance, std::size_t column = 0) const;
    // The row named `name` in "dd_thread"; -1 when there is none.
    int rowNamed(const std::wstring& name) const;
    // Objects of a band table on `row` (and from `source`, when not -1).
    std::vector<dd_sarvik_2_2::store::BandObjectRecord> objectsOn(const wchar_t* table, int row, int source = -2) const;
    bool hasNote(const std::string& part) const;
    // Reads the result at `directory` into m_records; false with m_error.
    bool readBack(const std::filesystem::path& directory);

    dd_sarvik_2_2::store::ResultRecords m_records;
    std::vector<std::string> m_notes;
    std::string m_error;
};

} // namespace velmora_import
