#pragma once
#include <brannow2/IMessenger.h>

#include <string>

namespace sarvikhelpers_1_0 {

// Reports the faults of loading one catalog file as errors that name the file.
class CatalogReporter {
public:
    CatalogReporter(brannow2::IMessenger* messenger, std::wstring fileName)
        : m_messenger(messenger), m_fileName(std::move(fileName))
    {
    }

    void report(const std::wstring& text) const
    {
        if (m_messenger)
            m_messenger->message(brannow2::IMessenger::Error, L"Query catalog " + m_fileName + L": " + text);
    }

private:
    brannow2::IMessenger* m_messenger;
    std::wstring m_fileName;
};

} // namespace sarvikhelpers_1_0
