#pragma once
#include <brannow2/IMessenger.h>

#include <cstdio>
#include <iosfwd>
#include <mutex>

namespace brannow2 {

// Prints each message as one line "kind: text" (kind as a word: info, warning, error,
// configuration) to a wide stream or to a C file (UTF-8). The sink is borrowed and must
// outlive the messenger; lines from different threads never interleave.
class HOST_API PrintingMessenger : public IMessenger {
public:
    explicit PrintingMessenger(std::wostream& stream);
    explicit PrintingMessenger(std::FILE* file);

    void message(int kind, const std::wstring& text) override;

    static std::wstring kindName(int kind);

private:
    std::mutex m_mutex;
    std::wostream* m_stream = nullptr;
    std::FILE* m_file = nullptr;
};

} // namespace brannow2
