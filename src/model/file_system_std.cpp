#include "model/file_system.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <random>
#include <system_error>

#if defined(__unix__)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

FileError FromErrno(int e)
{
    switch (e) {
    case ENOENT: return FileError::fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case EINVAL: return FileError::badPath;
    case EMFILE:
    case ENFILE: return FileError::tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS: return FileError::accessDenied;
    case EBUSY: return FileError::sharingViolation;
    case EIO: return FileError::hardIO;
    case ENOSPC:
    case EFBIG: return FileError::diskFull;
    default: return FileError::generic;
    }
}

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

#if defined(__unix__)
class CMappedBytes : public IFileBytes {
public:
    CMappedBytes(void* p, size_t n) : m_p(p), m_n(n) {}
    ~CMappedBytes() override { ::munmap(m_p, m_n); }
    CMappedBytes(const CMappedBytes&) = delete;
    CMappedBytes& operator=(const CMappedBytes&) = delete;
    const uint8_t* Data() const override { return static_cast<const uint8_t*>(m_p); }
    size_t Size() const override { return m_n; }

private:
    void* m_p;
    size_t m_n;
};

// The pages of the file cache themselves, all mapped at once: neither a
// copy nor a fault per page. Null where the file cannot be mapped whole. A
// file cut short in place by another program while it is mapped would stop
// this one; Netbell and nbltool never do that, they replace a file whole.
std::unique_ptr<IFileBytes> MapWholeFile(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    int flags = MAP_PRIVATE;
#if defined(MAP_POPULATE)
    flags |= MAP_POPULATE;
#endif
    struct stat st;
    void* p = MAP_FAILED;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        p = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ, flags, fd, 0);
    ::close(fd);
    if (p == MAP_FAILED)
        return nullptr;
    return std::make_unique<CMappedBytes>(p, static_cast<size_t>(st.st_size));
}
#endif

} // namespace

FileError CStdFileSystem::ViewFile(const std::string& path, std::unique_ptr<IFileBytes>& bytes)
{
#if defined(__unix__)
    if (auto mapped = MapWholeFile(path)) {
        bytes = std::move(mapped);
        return FileError::none;
    }
#endif
    // Errors, empty files and systems without mapping: as ReadFile sees them.
    return IFileSystem::ViewFile(path, bytes);
}

FilePresence CStdFileSystem::Presence(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::file_status st = std::filesystem::status(path, ec);
    // Only a missing file or folder gives "not found"; any other error
    // leaves the type unknown.
    if (st.type() == std::filesystem::file_type::not_found)
        return FilePresence::absent;
    return ec ? FilePresence::unknown : FilePresence::present;
}

FileError CStdFileSystem::ReadFile(const std::string& path, std::vector<uint8_t>& data)
{
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec))
        return FileError::accessDenied;
    errno = 0;
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f)
        return FromErrno(errno);
    // One read into a buffer of the file's size; then on to the end, in
    // case the file grew meanwhile.
    data.clear();
    if (std::fseek(f.get(), 0, SEEK_END) == 0) {
        const long size = std::ftell(f.get());
        if (size > 0)
            data.resize(static_cast<size_t>(size));
        std::rewind(f.get());
    }
    data.resize(std::fread(data.data(), 1, data.size(), f.get()));
    uint8_t chunk[65536];
    size_t n;
    while (!std::ferror(f.get()) && (n = std::fread(chunk, 1, sizeof chunk, f.get())) > 0)
        data.insert(data.end(), chunk, chunk + n);
    if (std::ferror(f.get()))
        return FileError::hardIO;
    return FileError::none;
}

FileError CStdFileSystem::WriteReplacing(const std::string& path, const std::vector<uint8_t>& data)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return FileError::accessDenied;
    fs::path folder = fs::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    if (!fs::is_directory(folder, ec))
        return FileError::badPath;

    // A temporary file beside the target, so that the final rename stays on
    // one file system and cannot leave half a file under the real name.
    std::random_device rd;
    std::string tmp;
    FilePtr f;
    for (int attempt = 0; attempt < 100 && !f; ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "~nbl%08x.tmp", static_cast<unsigned>(rd()));
        tmp = (folder / name).string();
        if (fs::exists(tmp, ec))
            continue;
        errno = 0;
        f.reset(std::fopen(tmp.c_str(), "wb"));
        if (!f)
            return FromErrno(errno);
    }
    if (!f)
        return FileError::generic;

    FileError err = FileError::none;
    if (!data.empty() && std::fwrite(data.data(), 1, data.size(), f.get()) != data.size())
        err = FromErrno(errno);
    if (err == FileError::none && std::fflush(f.get()) != 0)
        err = FromErrno(errno);
#if defined(__unix__)
    if (err == FileError::none && ::fsync(fileno(f.get())) != 0)
        err = FromErrno(errno);
#endif
    if (std::fclose(f.release()) != 0 && err == FileError::none)
        err = FromErrno(errno);
    if (err == FileError::none) {
        // The new file keeps the old one's permissions.
        const fs::file_status old = fs::status(path, ec);
        if (!ec && fs::exists(old))
            fs::permissions(tmp, old.permissions(), ec);
        fs::rename(tmp, path, ec);
        if (ec)
            err = FromErrno(ec.value());
    }
    if (err != FileError::none)
        fs::remove(tmp, ec);
    return err;
}

bool CStdFileSystem::RenameFile(const std::string& from, const std::string& to)
{
    std::error_code ec;
    if (std::filesystem::exists(to, ec))
        return false;
    std::filesystem::rename(from, to, ec);
    return !ec;
}
