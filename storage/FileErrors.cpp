#include "storage/FileErrors.h"

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

QString SystemErrorText(int error)
{
    if (error == kNotARegularFile)
        return u"Not a regular file"_s;
    return QString::fromLocal8Bit(std::strerror(error));
}

QString DescribeFileError(int error, const QString& systemText)
{
    QString cause;
    switch (error) {
    case EACCES:
    case EPERM:
        cause = u"没有访问该文件的权限"_s;
        break;
    case EROFS:
        cause = u"文件系统是只读的"_s;
        break;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        cause = u"磁盘空间不足"_s;
        break;
    case ENOENT:
    case ENOTDIR:
        cause = u"文件所在的文件夹不存在"_s;
        break;
    case EISDIR:
        cause = u"该位置是一个文件夹"_s;
        break;
    case EFBIG:
        cause = u"文件太大，超出了系统允许的大小"_s;
        break;
    case EIO:
        cause = u"读写设备出错"_s;
        break;
    case kNotARegularFile:
        cause = u"该位置不是普通文件（而是设备、管道或套接字）"_s;
        break;
    default:
        break;
    }
    if (cause.isEmpty())
        return systemText;
    if (systemText.isEmpty())
        return cause;
    return u"%1（%2）"_s.arg(cause, systemText);
}
