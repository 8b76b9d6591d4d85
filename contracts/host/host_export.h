#pragma once
// Marks what the shared host-helper library exports; everything else stays hidden.
#define HOST_API __attribute__((visibility("default")))
