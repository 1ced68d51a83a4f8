#include "storage/FileErrors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

using namespace Qt::StringLiterals;

QString SystemErrorText(int error)
{
    if (error == kNotARegularFile)
        return u"Not a regular file"_s;
    if (error == kDanglingLink)
        return u"Symbolic link to nothing"_s;
    if (error == kFolderNotWritable)
        return u"Folder not writable"_s;
    return QString::fromLocal8Bit(std::strerror(error));
}

QString DescribeFileError(int error, const QString& systemText)
{
    if (error == kFolderNotWritable) {
        return QCoreApplication::translate(
                   "FileErrors",
                   "不能在文件夹“%1”中写入文件（该文件夹是只读的，或没有写入它的权限）")
            .arg(QDir::toNativeSeparators(systemText));
    }
    QString cause;
    switch (error) {
    case EACCES:
    case EPERM:
        cause = QCoreApplication::translate("FileErrors", "没有访问该文件的权限");
        break;
    case EROFS:
        cause = QCoreApplication::translate("FileErrors", "文件系统是只读的");
        break;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        cause = QCoreApplication::translate("FileErrors", "磁盘空间不足");
        break;
    case ENOENT:
    case ENOTDIR:
        cause = QCoreApplication::translate("FileErrors", "文件所在的文件夹不存在");
        break;
    case EISDIR:
        cause = QCoreApplication::translate("FileErrors", "该位置是一个文件夹");
        break;
    case EFBIG:
        cause = QCoreApplication::translate("FileErrors", "文件太大，超出了系统允许的大小");
        break;
    case EIO:
        cause = QCoreApplication::translate("FileErrors", "读写设备出错");
        break;
    case kNotARegularFile:
        cause = QCoreApplication::translate("FileErrors",
                                            "该位置不是普通文件（而是设备、管道或套接字）");
        break;
    case kFolderNotWritable:
        cause = QCoreApplication::translate("FileErrors",
                                            "文件所在的文件夹是只读的，或没有在其中写入的权限");
        break;
    case kDanglingLink:
        cause = QCoreApplication::translate("FileErrors", "该位置是一个链接，但它指向的文件不存在");
        break;
    default:
        break;
    }
    if (cause.isEmpty())
        return systemText;
    if (systemText.isEmpty())
        return cause;
    return QCoreApplication::translate("FileErrors", "%1（%2）").arg(cause, systemText);
}

QString DescribeFileErrorAt(const QString& path, int error, const QString& systemText)
{
    if (error != kFolderNotWritable)
        return DescribeFileError(error, systemText);
    const QString folder = QDir::toNativeSeparators(QFileInfo(path).absolutePath());
    QString cause =
        QCoreApplication::translate(
            "FileErrors", "不能在文件夹“%1”中写入文件：该文件夹是只读的，或没有在其中写入的权限")
            .arg(folder);
    if (!systemText.isEmpty())
        cause += QCoreApplication::translate("FileErrors", "（%1）").arg(systemText);
    return cause;
}
