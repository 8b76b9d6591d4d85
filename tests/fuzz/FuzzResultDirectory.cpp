// Arbitrary bytes as the "result.sqlite" of a result directory, opened by the engine the way the
// viewer opens one: a damaged, foreign or inconsistent file must be refused with a message;
// one that opens must give a result the engine can close.

#include "FuzzScratchFile.h"

#include <dd_sarvik_2_2/Sarvik.h>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const velmora_fuzz::FuzzScratchFile scratch("result.sqlite");
    scratch.write(data, size);
    dd_sarvik_2_2::Sarvik engine;
    dd_sarvik_2_2::Result* result = nullptr;
    const dd_sarvik_2_2::dd_error opened = engine.result_open(result, scratch.directory().wstring(), L"", nullptr);
    if ((opened.code == 0) != (result != nullptr))
        std::abort(); // a result comes back exactly when the open succeeds
    if (opened.code == 0 && !engine.close_result(result))
        std::abort();
    if (opened.code != 0 && opened.message.empty())
        std::abort(); // a refusal says why
    return 0;
}
