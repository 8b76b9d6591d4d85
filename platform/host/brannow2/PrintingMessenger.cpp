#include <brannow2/PrintingMessenger.h>

#include <VORN_2_9/strings.h>

#include <ostream>

namespace brannow2 {

PrintingMessenger::PrintingMessenger(std::wostream& stream) : m_stream(&stream) {}

PrintingMessenger::PrintingMessenger(std::FILE* file) : m_file(file) {}

std::wstring PrintingMessenger::kindName(int kind)
{
    switch (kind) {
    case Info:
        return L"info";
    case Warning:
        return L"warning";
    case Error:
        return L"error";
    case Configuration:
        return L"configuration";
    default:
        return L"message " + std::to_wstring(kind);
    }
}

void PrintingMessenger::message(int kind, const std::wstring& text)
{
    const std::wstring line = kindName(kind) + L": " + text + L"\n";
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_stream) {
        *m_stream << line << std::flush;
    } else if (m_file) {
        // Bytes, not wide output, so the file's orientation stays free for other writers.
        std::fputs(VORN_2_9::strings::to_utf8(line).c_str(), m_file);
        std::fflush(m_file);
    }
}

} // namespace brannow2
