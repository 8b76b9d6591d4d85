#pragma once
// Marks what the shared timeline-control library exports; everything else stays hidden.
#define TARQUEL_API __attribute__((visibility("default")))
