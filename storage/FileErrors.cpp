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
    return u"%1（%2）"_s.arg(cause, systemText);
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
        cause += u"（%1）"_s.arg(systemText);
    return cause;
}
