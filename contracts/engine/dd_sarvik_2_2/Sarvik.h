#pragma once
// The engine's entry point: opens result directories and owns the results it opened.
//
//     Sarvik engine;
//     Result* result = nullptr;
//     dd_error error = engine.result_open(result, L"/path/to/result", L"", progress);
//     if (error.code != 0) show(error.message);
//
// A result lives until its Sarvik is destroyed (or close_result). Errors never throw: a missing
// directory or "result.sqlite", a file that is not a database, a schema version this build cannot
// read, missing tables, inconsistent content and a cancelled open each come back as a non-zero
// code with a text a user can act on; `result` is then left unchanged.

#include <dd_sarvik_2_2/Result.h>
#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace dd_sarvik_2_2 {

class dd_progress_impl;

struct dd_error {
    int code = 0;   // 0 on success; the result store's status codes otherwise
    std::wstring message;
};

class SARVIK_API Sarvik {
public:
    Sarvik();
    ~Sarvik();
    Sarvik(const Sarvik&) = delete;
    Sarvik& operator=(const Sarvik&) = delete;

    /// Opens `directory`. `name` is the result's display name; empty keeps the stored one.
    /// `progress` (may be null) hears of the items loaded and may cancel the open.
    dd_error result_open(Result*& result, const ddb_2_2::string& directory, const ddb_2_2::string& name,
                         dd_progress_impl* progress);

    /// Takes over a result built elsewhere (e.g. from records in memory) and returns it.
    Result* adopt(std::unique_ptr<Result> result);
    /// Destroys a result this engine owns; false when it owns no such result.
    bool close_result(const Result* result);

private:
    std::mutex m_lock;   // guards m_results; opens may run on several threads
    std::vector<std::unique_ptr<Result>> m_results;
};

}  // namespace dd_sarvik_2_2
