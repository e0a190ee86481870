#include "model/file_system.h"

#include <memory>

namespace {

class CReadBytes : public IFileBytes {
public:
    const uint8_t* Data() const override { return m_data.data(); }
    size_t Size() const override { return m_data.size(); }
    std::vector<uint8_t> m_data;
};

} // namespace

FileError IFileSystem::ViewFile(const std::string& path, std::unique_ptr<IFileBytes>& bytes)
{
    auto read = std::make_unique<CReadBytes>();
    const FileError err = ReadFile(path, read->m_data);
    if (err == FileError::none)
        bytes = std::move(read);
    return err;
}
