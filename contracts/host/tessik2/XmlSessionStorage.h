#pragma once
#include <host_export.h>
#include <tessik2/ISessionStorageAccessor.h>

#include <string>

namespace brannow2 {
class IMessenger;
}

namespace tessik2 {

// A session storage kept as a directory of XML files: section "Foo" is "Foo.xml". A tree
// by name is the first element of that name (document order, document element included):
// child elements become child bags, attributes named text values, and the element's text
// (trimmed, when not blank) its first value, named "". Missing files, malformed XML and
// missing elements are reported to the messenger (Warning) and give the fallback.
// The messenger may be null and must outlive the storage and its sections.
HOST_API mirrow2::sptr_t<ISessionStorageAccessor> createXmlSessionStorage(const std::wstring& directory,
                                                                          brannow2::IMessenger* messenger);

} // namespace tessik2
