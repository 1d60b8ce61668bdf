#pragma once
// Ways to make a save of the state files fail after they have been loaded: a file-size
// limit or a full disk in the middle of the write, no room for a new file, the INF
// folder or its whole volume made read-only, the file replaced by a folder.
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "test_support.h"

namespace hardening {

namespace fs = std::filesystem;

enum class Fault {
    kFileSizeLimit,   // writes beyond kSizeLimit bytes fail (RLIMIT_FSIZE, SIGXFSZ ignored)
    kDiskFull,        // the volume under INF has only kFreeBytes left
    kNoFreeEntry,     // the volume under INF can take no further file
    kReadOnlyFolder,  // the INF folder loses its write permission
    kReadOnlyVolume,  // the volume under INF is remounted read-only
    kFolderInPlace,   // the file is replaced by a folder holding a file
};

const char* FaultName(Fault fault);

inline constexpr std::uintmax_t kSizeLimit = 16 * 1024;
inline constexpr std::uintmax_t kFreeBytes = 8 * 1024;
// Contents of this size do not fit under either limit: a save of them fails midway.
inline constexpr std::size_t kLargeText = 40 * 1024;

// A tmpfs mounted on a folder, in a mount namespace of this process's own so that
// nothing outside the process sees it and nothing is left mounted should the process
// die. Needs the rights to mount (root in CI); Error() tells why it could not.
class TmpfsVolume {
  public:
    TmpfsVolume(const fs::path& where, const std::string& options);
    ~TmpfsVolume();
    TmpfsVolume(const TmpfsVolume&) = delete;
    TmpfsVolume& operator=(const TmpfsVolume&) = delete;

    bool Mounted() const { return error_.empty(); }
    const std::string& Error() const { return error_; }

    std::uintmax_t FreeBytes() const;
    // Fills the volume with a file "filler" until `bytes` (a multiple of the page size)
    // are left.
    void FillLeaving(std::uintmax_t bytes);
    // Creates empty files until the volume takes no further file.
    void UseAllEntries();
    // Removes what FillLeaving and UseAllEntries added.
    void Release();
    void SetReadOnly(bool readOnly);

  private:
    fs::path where_;
    std::string error_;
    int extraEntries_ = 0;
};

// Stages one fault for saves of `target` (a file in `inf`). Construct it once the
// files are written and before they are loaded; Arm() between load and save.
class SaveFault {
  public:
    SaveFault(Fault fault, const fs::path& inf, const fs::path& target);
    ~SaveFault();

    // Empty when the fault can be staged here, else why not (the test is skipped).
    const std::string& Unavailable() const { return unavailable_; }
    // Injects the fault; an empty result when it holds, else why it cannot.
    std::string Arm();
    // Takes the fault away again; the file is as it was before Arm().
    void Disarm();

  private:
    Fault fault_;
    fs::path inf_;
    fs::path target_;
    std::string unavailable_;
    std::string targetBytes_;
    bool armed_ = false;
    std::unique_ptr<TmpfsVolume> volume_;
    std::optional<storetest::FileSizeLimit> sizeLimit_;
    std::optional<storetest::PermissionBitsBind> bitsBind_;
};

}  // namespace hardening
