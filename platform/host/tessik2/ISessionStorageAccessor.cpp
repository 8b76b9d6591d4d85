#include <tessik2/ISessionStorageAccessor.h>

namespace tessik2 {

// Out of line so the type information of the interfaces lives once, in this library.
ISessionSection::~ISessionSection() = default;
ISessionStorageAccessor::~ISessionStorageAccessor() = default;
ISessionNode::~ISessionNode() = default;

} // namespace tessik2
