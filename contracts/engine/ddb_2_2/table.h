#pragma once
// The common base of every table a database holds. Concrete tables (attribute, band, ...)
// derive from it; the database only needs to know their type name.

#include <ddb_2_2/string.h>
#include <engine_export.h>

namespace ddb_2_2 {

class SARVIK_API table {
public:
    virtual ~table();

    /// The object type name the table reports, e.g. "dd_single_band_obj".
    virtual string get_type_name() const = 0;

protected:
    table() = default;
    table(const table&) = default;
    table& operator=(const table&) = default;
};

}  // namespace ddb_2_2
