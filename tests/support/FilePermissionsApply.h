// Makes a file's permission bits hold for this process while it lives, even when it runs as root:
// root reads any file because of two capabilities, which this drops from its effective set (they
// stay permitted and come back at the end). Lets a test make a file that cannot be read. Linux only.
#pragma once

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace testing {

class FilePermissionsApply {
public:
    FilePermissionsApply()
    {
        header_.version = _LINUX_CAPABILITY_VERSION_3;
        header_.pid = 0;
        if (::syscall(SYS_capget, &header_, previous_) != 0)
            return;
        __user_cap_data_struct lowered[2] = { previous_[0], previous_[1] };
        lowered[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        dropped_ = ::syscall(SYS_capset, &header_, lowered) == 0;
    }
    ~FilePermissionsApply()
    {
        if (dropped_)
            ::syscall(SYS_capset, &header_, previous_);
    }
    FilePermissionsApply(const FilePermissionsApply&) = delete;
    FilePermissionsApply& operator=(const FilePermissionsApply&) = delete;

private:
    __user_cap_header_struct header_ {};
    __user_cap_data_struct previous_[2] {};
    bool dropped_ = false;
};

} // namespace testing
