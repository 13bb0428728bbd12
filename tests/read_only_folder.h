#pragma once
// Shared by the checks of writes that a read-only folder refuses. Root ignores
// permission bits, so such a check runs in a child process that, when it is
// root, first gives up the capabilities that override them. It stays root
// otherwise: it still owns what the test made and still reaches the build tree
// wherever that lies (a folder of nobody's would not, under a private clone).
#include <fcntl.h>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace readonly {

// Drops, for the calling process only, root's rights to write, read and search
// past permission bits. True when none is left (at once for any other user).
inline bool GiveUpFileOverride() {
    if (::geteuid() != 0) return true;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct caps[2]{};
    if (::syscall(SYS_capget, &header, caps) != 0) return false;
    for (const int cap : {CAP_DAC_OVERRIDE, CAP_DAC_READ_SEARCH, CAP_FOWNER}) {
        caps[cap / 32].effective &= ~(1u << (cap % 32));
        caps[cap / 32].permitted &= ~(1u << (cap % 32));
    }
    return ::syscall(SYS_capset, &header, caps) == 0;
}

// For a child process about to check a write into folder (made read-only by
// the parent): gives up the override and makes sure a new file really is
// refused. Empty when it is; otherwise why the check cannot be made here,
// which the test reports as a failure.
inline std::string MakeFolderReadOnlyForMe(const std::string& folder) {
    if (!GiveUpFileOverride())
        return std::string("root could not give up its right to override permissions: ") + std::strerror(errno);
    const std::string probe = folder + "/.read-only-probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0) return "";
    ::close(fd);
    ::unlink(probe.c_str());
    return "the folder " + folder + " takes new files in spite of mode 0555 (a file system without permissions?)";
}

}  // namespace readonly
