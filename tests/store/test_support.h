#pragma once
// Helpers for the state-file tests: scratch folders, raw file bytes, and ways to make
// a save fail even when the tests run with root rights.
#include <sys/resource.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <linux/capability.h>

namespace storetest {

namespace fs = std::filesystem;

// A fresh folder under the system's temporary folder, removed (permissions restored
// first) when the object goes.
class ScratchDir {
  public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const fs::path& Path() const { return path_; }

  private:
    fs::path path_;
};

std::string ReadBytes(const fs::path& file);
void WriteBytes(const fs::path& file, const std::string& bytes);

// Every entry of a folder (not recursive): regular files with their bytes (long ones
// as size and hash), anything else with a marker. Equal snapshots mean nothing was added, removed
// or changed.
std::map<std::string, std::string> Snapshot(const fs::path& folder);

// Each line followed by CR LF.
std::string CrLfJoin(const std::vector<std::string>& lines);

// Makes file permission bits bind this process while it lives: a no-op for an
// ordinary user; with root rights it takes the rights to override them out of the
// effective set and gives them back on destruction. Active() tells whether the bits
// now bind.
class PermissionBitsBind {
  public:
    PermissionBitsBind();
    ~PermissionBitsBind();
    PermissionBitsBind(const PermissionBitsBind&) = delete;
    PermissionBitsBind& operator=(const PermissionBitsBind&) = delete;
    bool Active() const { return active_; }

  private:
    bool active_ = false;
    bool lowered_ = false;
    __user_cap_header_struct header_{};
    __user_cap_data_struct saved_[2]{};
};

// Limits the size of any file this process writes to `bytes` while it lives; a write
// beyond it fails (the size-limit signal is ignored meanwhile).
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit saved_{};
    void (*savedHandler_)(int) = nullptr;
};

}  // namespace storetest
