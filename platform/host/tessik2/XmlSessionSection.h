#pragma once
#include <mirrow2/ref_counter_t.h>
#include <tessik2/ISessionStorageAccessor.h>

#include <pugixml.hpp>

#include <string>

namespace brannow2 {
class IMessenger;
}

namespace tessik2 {

// One section of the XML session storage: the parsed file, read once when the section is
// opened. A file that cannot be read or parsed is reported then, once; afterwards every
// lookup quietly gives its fallback. The document is only read after construction, so
// lookups from several threads are safe.
class XmlSessionSection
    : public mirrow2::ref_counter_t<ISessionSection, mirrow2::simple_ref_count_impl_t> {
public:
    XmlSessionSection(std::wstring filePath, brannow2::IMessenger* messenger);
    // A section without a file: every lookup gives its fallback.
    explicit XmlSessionSection(brannow2::IMessenger* messenger);

    mirrow2::variant_bag_t get_variant_bag(const std::wstring& name,
                                           const mirrow2::variant_bag_t& fallback) const override;
    mirrow2::sptr_t<mirrow2::object_interface_t> get_object(const std::wstring& name) const override;

private:
    bool load();
    pugi::xml_node findElement(const std::wstring& name) const;
    mirrow2::variant_bag_t readBag(const pugi::xml_node& element) const;
    void warn(const std::wstring& text) const;

    std::wstring m_filePath;
    brannow2::IMessenger* m_messenger;
    pugi::xml_document m_document;
    bool m_loaded = false;
};

} // namespace tessik2
