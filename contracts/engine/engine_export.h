#pragma once
// Marks what the shared query-engine library exports; everything else stays hidden.
#define SARVIK_API __attribute__((visibility("default")))
