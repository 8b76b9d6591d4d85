#pragma once
// The values of one attribute over time, one per bucket, as Result::get_instance_value_walker
// computes them (see there for the meaning).

#include <dd_sarvik_2_2/dd_value_sequence.h>

namespace dd_sarvik_2_2 {

struct dd_attr_overtime {
    using forward_iterator = dd_value_sequence;
};

}  // namespace dd_sarvik_2_2
