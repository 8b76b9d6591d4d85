#pragma once
// Marks the classes and functions that the shared library velmora exports; all else is hidden.
#define VELMORA_API __attribute__((visibility("default")))
