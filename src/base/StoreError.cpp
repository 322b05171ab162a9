#include "base/StoreError.h"

namespace {

std::string logged(const QString &storeText, const QString &statement)
{
    if (statement.isEmpty())
        return storeText.toStdString();
    const QString text = storeText + QStringLiteral(" [") + statement + QStringLiteral("]");
    return text.toStdString();
}

} // namespace

StoreError::StoreError(Cause cause, const QString &storeText, const QString &statement,
                       Origin origin)
    : std::runtime_error(logged(storeText, statement)), m_cause(cause), m_origin(origin),
      m_storeText(storeText.trimmed())
{
}

namespace {

// A server's refusals in the user's words; empty for a cause said alike of
// both stores.
QString serverReason(StoreError::Cause cause)
{
    using Cause = StoreError::Cause;
    switch (cause) {
    case Cause::ReadOnly:
        return QStringLiteral("数据库服务器现在只允许读取");
    case Cause::DiskFull:
        return QStringLiteral("数据库服务器的磁盘空间已满");
    case Cause::MissingPart:
        return QStringLiteral("服务器上的数据库缺少所需的数据表或数据列");
    case Cause::DiskError:
        return QStringLiteral("数据库服务器读写磁盘时出错");
    case Cause::NoAccess:
        return QStringLiteral("没有读写服务器上这些数据的权限");
    default:
        return QString();
    }
}

} // namespace

QString StoreError::reasonOf(Cause cause, const QString &storeText, Origin origin)
{
    if (origin == Origin::Server) {
        if (const QString reason = serverReason(cause); !reason.isEmpty())
            return reason;
    }
    switch (cause) {
    case Cause::FolderNotWritable:
        return QStringLiteral("数据文件所在的文件夹不能写入");
    case Cause::ReadOnly:
        return QStringLiteral("数据文件是只读的");
    case Cause::DiskFull:
        return QStringLiteral("磁盘空间已满");
    case Cause::InUse:
        return QStringLiteral("数据文件正被其他程序使用");
    case Cause::Damaged:
        return QStringLiteral("数据文件已损坏");
    case Cause::MissingPart:
        return QStringLiteral("数据文件缺少所需的数据表或数据列");
    case Cause::DiskError:
        return QStringLiteral("读写磁盘时出错");
    case Cause::NoAccess:
        return QStringLiteral("没有读写数据文件的权限");
    case Cause::Moved:
        return QStringLiteral("数据文件已被移走或删除");
    case Cause::ServerLost:
        return QStringLiteral("与数据库服务器的连接已中断");
    case Cause::Busy:
        return QStringLiteral("其他用户正在修改同一数据，请稍后再试");
    case Cause::Failed:
        break;
    }
    const QString general = origin == Origin::Server ? QStringLiteral("数据库服务器拒绝了这次操作")
                                                     : QStringLiteral("数据文件拒绝了这次操作");
    const QString detail = storeText.trimmed();
    if (detail.isEmpty())
        return general;
    return general + QStringLiteral("（详细信息：") + detail + QStringLiteral("）");
}
