#include "test_support.h"

#include <sys/syscall.h>
#include <unistd.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

namespace storetest {

ScratchDir::ScratchDir() {
    std::string pattern = (fs::temp_directory_path() / "ostrelix-store-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

ScratchDir::~ScratchDir() {
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->is_directory(ec) && !it->is_symlink(ec)) {
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        }
    }
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

// Short contents as they are, longer ones as their size and a 64-bit FNV-1a hash, so
// that a failed comparison stays readable.
std::string Digest(const std::string& bytes) {
    if (bytes.size() <= 64) return bytes;
    std::uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
    std::ostringstream out;
    out << "<" << bytes.size() << " bytes, hash " << std::hex << hash << ">";
    return out.str();
}

std::map<std::string, std::string> Snapshot(const fs::path& folder) {
    std::map<std::string, std::string> entries;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file()) {
            entries[name] = Digest(ReadBytes(entry.path()));
        } else {
            std::ostringstream kind;
            kind << "<not a file, type " << static_cast<int>(entry.status().type()) << ">";
            entries[name] = kind.str();
        }
    }
    return entries;
}

std::string CrLfJoin(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) bytes += line + "\r\n";
    return bytes;
}

PermissionBitsBind::PermissionBitsBind() {
    if (geteuid() != 0) {
        active_ = true;
        return;
    }
    header_.version = _LINUX_CAPABILITY_VERSION_3;
    header_.pid = 0;
    if (syscall(SYS_capget, &header_, saved_) != 0) return;
    __user_cap_data_struct lowered[2] = {saved_[0], saved_[1]};
    lowered[0].effective &= ~(CAP_TO_MASK(CAP_DAC_OVERRIDE) | CAP_TO_MASK(CAP_DAC_READ_SEARCH));
    if (syscall(SYS_capset, &header_, lowered) != 0) return;
    lowered_ = true;
    active_ = true;
}

PermissionBitsBind::~PermissionBitsBind() {
    if (lowered_) syscall(SYS_capset, &header_, saved_);
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
    savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limited) != 0) throw std::runtime_error("setrlimit failed");
}

FileSizeLimit::~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, savedHandler_);
}

}  // namespace storetest
