#pragma once
// Small questions about a database that several callers ask, and the path fix-up mapping a host
// hands to viewers when the result's source files moved.

#include <ddb_2_2/database.h>
#include <ddb_2_2/string.h>
#include <engine_export.h>

#include <utility>
#include <vector>

namespace dd_sarvik_2_2 {

class SARVIK_API dd_utility {
public:
    /// True when `instanceTable` exists and `attributeTable` is empty or exists, as a table or as
    /// the table of timed attribute series ("counter" for "counter.value").
    static bool check_instance_data_exist(const ddb_2_2::string& instanceTable,
                                          const ddb_2_2::string& attributeTable,
                                          const ddb_2_2::database& db);

    struct dd_path_fixup {
        /// Source path prefixes replaced by others, in the order they are tried.
        struct mapping {
            std::vector<std::pair<ddb_2_2::string, ddb_2_2::string>> prefixes;

            /// `path` with the first matching prefix replaced; unchanged when none matches.
            ddb_2_2::string apply(const ddb_2_2::string& path) const
            {
                for (const auto& entry : prefixes) {
                    const std::wstring& from = entry.first.str();
                    if (!from.empty() && path.str().compare(0, from.size(), from) == 0)
                        return entry.second.str() + path.str().substr(from.size());
                }
                return path;
            }
        };
    };
};

}  // namespace dd_sarvik_2_2
