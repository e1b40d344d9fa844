#include "filedescriptor.h"

#include <unistd.h>

namespace platform {

void FileDescriptor::reset(int descriptor)
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
    descriptor_ = descriptor;
}

} // namespace platform
