// File names in the file system's own encoding, and the sizes of the files they name.
#include "SkiffFile.h"

#include "skiff.h"

#include <cerrno>
#include <climits>
#include <filesystem>
#include <system_error>

namespace skiff {

namespace {

void Report(int* pStatus, int lnStatus)
{
    if (pStatus != nullptr) {
        *pStatus = lnStatus;
    }
}

} // namespace

std::string NativeFileName(const char* szFile)
{
    return szFile;
}

std::FILE* OpenFile(const char* szFile, const char* szMode, int* pStatus)
{
    errno = 0;
    std::FILE* file = std::fopen(NativeFileName(szFile).c_str(), szMode);
    Report(pStatus, file != nullptr ? SKIFF_STATUS_OK : StatusOfError(errno));
    return file;
}

long long AddressableFileSize(const char* szFile, int* pStatus)
{
    std::error_code error;
    const std::filesystem::path path(NativeFileName(szFile));
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        Report(pStatus, SKIFF_STATUS_NOT_FOUND);
        return -1;
    }
    if (error) {
        Report(pStatus, StatusOfError(error.value()));
        return -1;
    }
    if (status.type() != std::filesystem::file_type::regular) {
        Report(pStatus, SKIFF_STATUS_NOT_REGULAR);
        return -1;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error) {
        Report(pStatus, StatusOfError(error.value()));
        return -1;
    }
    // Positions and lengths are 32-bit and the content needs a terminator after its last byte.
    if (size >= static_cast<std::uintmax_t>(INT_MAX)) {
        Report(pStatus, SKIFF_STATUS_TOO_LARGE);
        return -1;
    }
    Report(pStatus, SKIFF_STATUS_OK);
    return static_cast<long long>(size);
}

int StatusOfError(int lnError)
{
    switch (lnError) {
    case ENOENT:
    case ENOTDIR:
        return SKIFF_STATUS_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
        return SKIFF_STATUS_NO_PERMISSION;
    case ENOMEM:
        return SKIFF_STATUS_NO_MEMORY;
    case EISDIR:
        return SKIFF_STATUS_NOT_REGULAR;
    case EFBIG:
    case EOVERFLOW:
        return SKIFF_STATUS_TOO_LARGE;
    default:
        return SKIFF_STATUS_IO_ERROR;
    }
}

} // namespace skiff
