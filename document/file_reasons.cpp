#include "document/file_reasons.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace filereason {

std::string russianText(int err)
{
    switch (err) {
    case ENOENT: return "нет такого файла или папки";
    case EACCES: return "нет прав доступа";
    case EPERM: return "операция не разрешена";
    case EROFS: return "файловая система доступна только для чтения";
    case ENOSPC: return "нет места на диске";
    case EDQUOT: return "превышена дисковая квота";
    case EISDIR: return "это папка";
    case ENOTDIR: return "часть пути не является папкой";
    case ENAMETOOLONG: return "слишком длинное имя файла";
    case ELOOP: return "слишком много символических ссылок";
    case EIO: return "ошибка ввода-вывода";
    case EBUSY:
    case ETXTBSY: return "файл занят";
    case EMFILE:
    case ENFILE: return "открыто слишком много файлов";
    case EFBIG: return "файл слишком велик";
    case ENXIO:
    case ENODEV: return "нет такого устройства";
    default: return "системная ошибка " + std::to_string(err) + " (" + std::strerror(err) + ")";
    }
}

Status system(const std::string& path, int err)
{
    return Status::failure(path + ": " + std::strerror(err), path + ": " + russianText(err));
}

Status notRegular(const std::string& path, mode_t mode)
{
    if (S_ISDIR(mode))
        return Status::failure(path + ": is a folder", path + ": это папка, а не файл");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return Status::failure(path + ": is a device, not a regular file", path + ": это устройство, а не файл");
    if (S_ISFIFO(mode))
        return Status::failure(path + ": is a pipe (FIFO), not a regular file",
                               path + ": это канал (FIFO), а не файл");
    if (S_ISSOCK(mode))
        return Status::failure(path + ": is a socket, not a regular file", path + ": это сокет, а не файл");
    return Status::failure(path + ": is not a regular file", path + ": это не обычный файл");
}

Status tooLarge(const std::string& path, std::uint64_t limitBytes)
{
    const std::string mb = std::to_string(limitBytes >> 20);
    return Status::failure(path + ": too large (more than " + mb + " MB)",
                           path + ": файл слишком велик (больше " + mb + " МБ)");
}

Status readOnly(const std::string& path)
{
    return Status::failure(path + ": the file is read-only", path + ": файл доступен только для чтения");
}

} // namespace filereason
