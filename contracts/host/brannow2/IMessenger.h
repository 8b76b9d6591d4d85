#pragma once
#include <host_export.h>

#include <string>

namespace brannow2 {

// Where a pane reports messages for the user or the log. Implementations are thread-safe;
// a pane borrows its messenger and never deletes it.
class HOST_API IMessenger {
public:
    enum Kind : int { Info = 1, Warning = 2, Error = 3, Configuration = 4 };

    virtual ~IMessenger();
    virtual void message(int kind, const std::wstring& text) = 0;
};

} // namespace brannow2
