#include "GeneratedResult.h"

#include <dd_sarvik_2_2/store/ResultGenerator.h>

namespace viewer_bench {

GeneratedResult::GeneratedResult(const std::string& name, const dd_sarvik_2_2::store::GeneratorOptions& options)
    : m_folder("velmora_bench_" + name), m_written(dd_sarvik_2_2::store::ResultGenerator(options).writeTo(m_folder.path()).ok())
{
}

const GeneratedResult& GeneratedResult::large()
{
    static const GeneratedResult result("large", [] {
        dd_sarvik_2_2::store::GeneratorOptions options;
        options.threads = 100;
        options.samples = 10000000;
        options.markers = 1000000;
        options.transitions = 200000;
        return options;
    }());
    return result;
}

const GeneratedResult& GeneratedResult::manyTransitions()
{
    static const GeneratedResult result("transitions", [] {
        dd_sarvik_2_2::store::GeneratorOptions options;
        options.threads = 20;
        options.samples = 100000;
        options.markers = 0;
        options.transitions = 1000000;
        return options;
    }());
    return result;
}

} // namespace viewer_bench
