#include "save_faults.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace hardening {

namespace {

std::string SystemError(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

// Moves this process into a mount namespace of its own, once; empty on success.
const std::string& PrivateMountNamespace() {
    static const std::string error = []() -> std::string {
        if (unshare(CLONE_NEWNS) != 0) return SystemError("unshare(CLONE_NEWNS)");
        // Mounts made here must not travel back to the namespace we came from.
        if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return SystemError("making / private");
        }
        return {};
    }();
    return error;
}

void WriteZeros(const fs::path& file, std::uintmax_t bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) throw std::runtime_error(SystemError("creating the filler"));
    const std::vector<char> block(64 * 1024, '\0');
    while (bytes > 0) {
        const std::size_t chunk =
            static_cast<std::size_t>(std::min<std::uintmax_t>(bytes, block.size()));
        const ssize_t written = ::write(fd, block.data(), chunk);
        if (written <= 0) break;
        bytes -= static_cast<std::uintmax_t>(written);
    }
    ::close(fd);
}

}  // namespace

const char* FaultName(Fault fault) {
    switch (fault) {
        case Fault::kFileSizeLimit:
            return "FileSizeLimit";
        case Fault::kDiskFull:
            return "DiskFull";
        case Fault::kNoFreeEntry:
            return "NoFreeEntry";
        case Fault::kReadOnlyFolder:
            return "ReadOnlyFolder";
        case Fault::kReadOnlyVolume:
            return "ReadOnlyVolume";
        case Fault::kFolderInPlace:
            return "FolderInPlace";
    }
    return "?";
}

// ---------------------------------------------------------------- TmpfsVolume

TmpfsVolume::TmpfsVolume(const fs::path& where, const std::string& options) : where_(where) {
    error_ = PrivateMountNamespace();
    if (!error_.empty()) return;
    if (mount("tmpfs", where_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) != 0) {
        error_ = SystemError("mounting a tmpfs");
    }
}

TmpfsVolume::~TmpfsVolume() {
    if (Mounted()) umount2(where_.c_str(), MNT_DETACH);
}

std::uintmax_t TmpfsVolume::FreeBytes() const {
    struct statvfs info {};
    if (statvfs(where_.c_str(), &info) != 0) throw std::runtime_error(SystemError("statvfs"));
    return static_cast<std::uintmax_t>(info.f_bavail) * info.f_frsize;
}

void TmpfsVolume::FillLeaving(std::uintmax_t bytes) {
    const std::uintmax_t free = FreeBytes();
    if (free < bytes) throw std::runtime_error("the volume is already fuller than asked");
    WriteZeros(where_ / "filler", free - bytes);
    if (FreeBytes() != bytes) {
        throw std::runtime_error("the volume has " + std::to_string(FreeBytes()) +
                                 " bytes free, not " + std::to_string(bytes));
    }
}

void TmpfsVolume::UseAllEntries() {
    for (; extraEntries_ < 100000; ++extraEntries_) {
        const fs::path entry = where_ / ("entry" + std::to_string(extraEntries_));
        const int fd = ::open(entry.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd < 0) {
            if (errno != ENOSPC) throw std::runtime_error(SystemError("filling the entries"));
            return;
        }
        ::close(fd);
    }
    throw std::runtime_error("the volume takes files without end");
}

void TmpfsVolume::Release() {
    fs::remove(where_ / "filler");
    for (; extraEntries_ > 0; --extraEntries_) {
        fs::remove(where_ / ("entry" + std::to_string(extraEntries_ - 1)));
    }
}

void TmpfsVolume::SetReadOnly(bool readOnly) {
    const unsigned long flags = MS_REMOUNT | MS_NOSUID | MS_NODEV | (readOnly ? MS_RDONLY : 0);
    if (mount(nullptr, where_.c_str(), nullptr, flags, nullptr) != 0) {
        throw std::runtime_error(SystemError("remounting"));
    }
}

// ---------------------------------------------------------------- SaveFault

SaveFault::SaveFault(Fault fault, const fs::path& inf, const fs::path& target)
    : fault_(fault), inf_(inf), target_(target) {
    if (fault_ != Fault::kDiskFull && fault_ != Fault::kNoFreeEntry &&
        fault_ != Fault::kReadOnlyVolume) {
        return;
    }
    // Put the INF folder, with the files it holds, on a volume of its own.
    const fs::path setup = inf_.string() + ".setup";
    fs::rename(inf_, setup);
    fs::create_directory(inf_);
    volume_ = std::make_unique<TmpfsVolume>(inf_, fault_ == Fault::kNoFreeEntry
                                                      ? "size=1m,nr_inodes=64,mode=0755"
                                                      : "size=1m,mode=0755");
    if (!volume_->Mounted())
        unavailable_ = "no tmpfs can be mounted here (" + volume_->Error() + ")";
    for (const auto& entry : fs::directory_iterator(setup)) {
        fs::copy(entry.path(), inf_ / entry.path().filename(), fs::copy_options::recursive);
    }
    fs::remove_all(setup);
}

SaveFault::~SaveFault() {
    if (armed_) Disarm();
}

std::string SaveFault::Arm() {
    switch (fault_) {
        case Fault::kFileSizeLimit:
            sizeLimit_.emplace(static_cast<rlim_t>(kSizeLimit));
            break;
        case Fault::kDiskFull:
            volume_->FillLeaving(kFreeBytes);
            break;
        case Fault::kNoFreeEntry:
            volume_->UseAllEntries();
            break;
        case Fault::kReadOnlyVolume:
            volume_->SetReadOnly(true);
            break;
        case Fault::kReadOnlyFolder: {
            fs::permissions(inf_, fs::perms::owner_read | fs::perms::owner_exec |
                                      fs::perms::group_read | fs::perms::group_exec);
            bitsBind_.emplace();
            const fs::path probe = inf_ / "probe";
            const bool refused = !std::ofstream(probe).is_open();
            if (!bitsBind_->Active() || !refused) {
                bitsBind_.reset();
                fs::remove(probe);
                fs::permissions(inf_, fs::perms::owner_all, fs::perm_options::add);
                return "permission bits do not bind this process";
            }
            break;
        }
        case Fault::kFolderInPlace:
            targetBytes_ = storetest::ReadBytes(target_);
            fs::remove(target_);
            fs::create_directory(target_);
            storetest::WriteBytes(target_ / "inside.txt", "inside");
            break;
    }
    armed_ = true;
    return {};
}

void SaveFault::Disarm() {
    armed_ = false;
    switch (fault_) {
        case Fault::kFileSizeLimit:
            sizeLimit_.reset();
            break;
        case Fault::kDiskFull:
        case Fault::kNoFreeEntry:
            volume_->Release();
            break;
        case Fault::kReadOnlyVolume:
            volume_->SetReadOnly(false);
            break;
        case Fault::kReadOnlyFolder:
            bitsBind_.reset();
            fs::permissions(inf_, fs::perms::owner_all, fs::perm_options::add);
            break;
        case Fault::kFolderInPlace:
            fs::remove_all(target_);
            storetest::WriteBytes(target_, targetBytes_);
            break;
    }
}

}  // namespace hardening
