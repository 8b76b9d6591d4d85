#include <brannow2/IMessenger.h>

namespace brannow2 {

IMessenger::~IMessenger() = default;

} // namespace brannow2
