#pragma once
// The answer of a derived over-time query for one row: `count` doubles, bucket 0 first.
// Result::get_overtime_derived_data positions a const_iterator on it.

#include <dd_sarvik_2_2/dd_value_sequence.h>

namespace dd_sarvik_2_2 {

struct dd_overtime_derived_data {
    using const_iterator = dd_value_sequence;
};

}  // namespace dd_sarvik_2_2
