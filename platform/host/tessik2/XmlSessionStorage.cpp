#include <tessik2/XmlSessionStorage.h>

#include "XmlSessionSection.h"

#include <brannow2/IMessenger.h>
#include <mirrow2/mutex_t.h>
#include <mirrow2/ref_counter_t.h>

#include <map>

namespace tessik2 {

namespace {

// The directory-backed storage: opens each section's file on first request and keeps the
// section, so every caller of a section sees the same parsed document.
class XmlSessionStorage
    : public mirrow2::ref_counter_t<ISessionStorageAccessor, mirrow2::simple_ref_count_impl_t> {
public:
    XmlSessionStorage(std::wstring directory, brannow2::IMessenger* messenger)
        : m_directory(std::move(directory)), m_messenger(messenger)
    {
    }

    mirrow2::sptr_t<ISessionSection> get_section(const std::wstring& name) override
    {
        mirrow2::mutex_t::scoped_lock_t lock(m_mutex);
        auto& section = m_sections[name];
        if (!section)
            section = openSection(name);
        return section;
    }

private:
    mirrow2::sptr_t<XmlSessionSection> openSection(const std::wstring& name) const
    {
        // A name that could reach outside the directory gets a section without a file.
        if (name.empty() || name == L".." || name.find_first_of(L"/\\") != std::wstring::npos) {
            if (m_messenger)
                m_messenger->message(brannow2::IMessenger::Warning,
                                     L"Session storage: \"" + name + L"\" is not a valid section name.");
            return mirrow2::make_sptr<XmlSessionSection>(m_messenger);
        }
        return mirrow2::make_sptr<XmlSessionSection>(m_directory + L"/" + name + L".xml", m_messenger);
    }

    const std::wstring m_directory;
    brannow2::IMessenger* const m_messenger;
    mirrow2::mutex_t m_mutex;
    std::map<std::wstring, mirrow2::sptr_t<XmlSessionSection>> m_sections;
};

} // namespace

mirrow2::sptr_t<ISessionStorageAccessor> createXmlSessionStorage(const std::wstring& directory,
                                                                 brannow2::IMessenger* messenger)
{
    return mirrow2::make_sptr<XmlSessionStorage>(directory, messenger);
}

} // namespace tessik2
