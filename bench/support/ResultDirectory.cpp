#include "support/ResultDirectory.h"

#include <dd_sarvik_2_2/store/ResultRecords.h>

#include <dd_sarvik_2_2/Sarvik.h>
#include <dd_sarvik_2_2/store/ResultWriter.h>

namespace bench_support {

ResultDirectory::ResultDirectory(const dd_sarvik_2_2::store::ResultRecords& records)
    : m_directory("velmora-bench-result"),
      m_written(dd_sarvik_2_2::store::ResultWriter().write(m_directory.path(), records).ok())
{
}

dd_sarvik_2_2::Result* ResultDirectory::open(dd_sarvik_2_2::Sarvik& engine) const
{
    dd_sarvik_2_2::Result* result = nullptr;
    const dd_sarvik_2_2::dd_error error =
        engine.result_open(result, ddb_2_2::string::from_utf8(path().string()), L"", nullptr);
    return error.code == 0 ? result : nullptr;
}

} // namespace bench_support
