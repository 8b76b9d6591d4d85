#pragma once
// Imports a trace file into a result directory the engine opens: TraceFormat tells the file's
// kind by its content, that kind's RecordReader turns it into result records, and the result
// store's writer writes them. The directory appears only when complete (StagedDirectory).
//
//   TraceImporter importer(progress);
//   if (!importer.importTo(trace, directory, error)) ...; importer.notes() tells what was skipped.
#include "RecordReader.h"

#include <filesystem>
#include <string>
#include <vector>

namespace velmora_import {

class TraceImporter {
public:
    // Called now and then with the share of the file read, for files big enough to take a
    // while; false stops the import (it then fails as canceled). May run on any thread.
    using Progress = RecordReader::Progress;

    // The attribute table of a result that holds the import's notes, one text per instance.
    static constexpr const wchar_t* NOTES_TABLE = L"import_note";
    static constexpr const wchar_t* NOTES_COLUMN = L"text";

    explicit TraceImporter(Progress progress = {});

    // False with `error` (naming the file, and line and column for malformed input); nothing is
    // then left at `directory`.
    bool importTo(const std::filesystem::path& trace, const std::filesystem::path& directory, std::string& error);
    // The same into `staging`, a fresh directory the caller puts in place itself.
    bool importInto(const std::filesystem::path& trace, const std::filesystem::path& staging, std::string& error);
    const std::vector<std::string>& notes() const { return m_notes; }

    // A Progress that prints "velmora-viewer: importing NAME: N%" lines on standard error, one
    // per ten percent.
    static Progress printer(const std::filesystem::path& trace);
    // Prints the notes as "velmora-viewer: NOTE" lines on standard error.
    void printNotes() const;

private:
    Progress m_progress;
    std::vector<std::string> m_notes;
};

} // namespace velmora_import
