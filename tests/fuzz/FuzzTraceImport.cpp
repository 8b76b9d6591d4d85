// Arbitrary bytes as a JSON trace file, imported through the importer's public entry point into
// a result directory: malformed or hostile input must fail with a message and leave nothing
// behind; input that imports must give a result the engine opens.

#include "FuzzScratchFile.h"

#include "TraceImporter.h"

#include <dd_sarvik_2_2/Sarvik.h>

#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const velmora_fuzz::FuzzScratchFile scratch("trace.json");
    const std::filesystem::path& trace = scratch.write(data, size);
    const std::filesystem::path output = scratch.directory() / "result";
    std::error_code ignored;
    std::filesystem::remove_all(output, ignored);

    velmora_import::TraceImporter importer;
    std::string error;
    if (!importer.importTo(trace, output, error)) {
        if (error.empty() || std::filesystem::exists(output))
            std::abort(); // a failed import says why and leaves no directory
        return 0;
    }
    dd_sarvik_2_2::Sarvik engine;
    dd_sarvik_2_2::Result* result = nullptr;
    if (engine.result_open(result, output.wstring(), L"", nullptr).code != 0)
        std::abort(); // what the importer writes, the engine reads
    engine.close_result(result);
    return 0;
}
