#include "base/FileReplacer.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The reason of a failed step in the program's words, the system's own text after it.
bool fail(QString *reason, int error)
{
    if (!reason)
        return false;
    QString said;
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        said = QStringLiteral("磁盘空间已满");
        break;
    case EFBIG:
        said = QStringLiteral("文件超过了允许的大小");
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        said = QStringLiteral("文件夹不能写入");
        break;
    case ENOENT:
    case ENOTDIR:
        said = QStringLiteral("文件夹不存在");
        break;
    case EISDIR:
        said = QStringLiteral("同名的文件夹已存在");
        break;
    default:
        said = QStringLiteral("文件无法写入");
        break;
    }
    *reason = said + QStringLiteral("（") + QString::fromLocal8Bit(std::strerror(error)) +
              QStringLiteral("）");
    return false;
}

// The part file beside the name: closed and removed unless it took the name.
struct Part
{
    QByteArray name;
    int fd = -1;
    bool renamed = false;

    ~Part()
    {
        if (fd >= 0)
            ::close(fd);
        if (!renamed)
            ::unlink(name.constData());
    }
};

} // namespace

bool FileReplacer::replace(const QString &path, const QByteArray &bytes, QString *reason)
{
    if (path.isEmpty())
        return fail(reason, ENOENT);
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    // Only a file or a link is replaced: never a folder, a device or a pipe.
    struct stat existing = {};
    if (::lstat(target.constData(), &existing) == 0 && !S_ISREG(existing.st_mode) &&
        !S_ISLNK(existing.st_mode)) {
        if (S_ISDIR(existing.st_mode))
            return fail(reason, EISDIR);
        if (reason)
            *reason = QStringLiteral("同名的不是普通文件");
        return false;
    }
    Part part;
    part.name = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                  QStringLiteral(".XXXXXX"));
    // Created new and exclusively: nothing at the part's own name is followed.
    part.fd = ::mkostemp(part.name.data(), O_CLOEXEC);
    if (part.fd < 0) {
        part.renamed = true; // nothing was created
        return fail(reason, errno);
    }
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(part.fd, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return fail(reason, errno);
        }
        data += written;
        left -= written;
    }
    if (::fchmod(part.fd, S_IRUSR | S_IWUSR | S_IRGRP | S_IROTH) != 0)
        return fail(reason, errno);
    // A full disk may only show when the data reaches it.
    if (::fsync(part.fd) != 0)
        return fail(reason, errno);
    const int closed = ::close(part.fd);
    part.fd = -1;
    if (closed != 0)
        return fail(reason, errno);
    // rename() replaces the entry at the name itself, a symbolic link included.
    if (std::rename(part.name.constData(), target.constData()) != 0)
        return fail(reason, errno);
    part.renamed = true;
    return true;
}
