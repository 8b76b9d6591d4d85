#pragma once
// Marks the classes and functions that the shared library velmora exports; all else is hidden.
// Kept apart from every library folder so that none of them has to include another for it.
#define VELMORA_API __attribute__((visibility("default")))
