#pragma once
#include <brannow2/IMessenger.h>

#include <mutex>
#include <string>
#include <vector>

namespace brannow2 {

// Keeps every message in arrival order so tests and tools can inspect them. Thread-safe.
class HOST_API CollectingMessenger : public IMessenger {
public:
    struct Message {
        int m_kind = 0;
        std::wstring m_text;
    };

    void message(int kind, const std::wstring& text) override;

    std::vector<Message> messages() const;
    std::size_t count() const;
    void clear();

private:
    mutable std::mutex m_mutex;
    std::vector<Message> m_messages;
};

} // namespace brannow2
