#include "small_filesystem.h"

#include <QDir>
#include <QFile>

#include <sys/mount.h>

namespace testing_support {

SmallFilesystem::SmallFilesystem(int kilobytes) {
    if (!folder_.isValid())
        return;
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0777";
    mounted_ = ::mount("tmpfs", QFile::encodeName(folder_.path()).constData(), "tmpfs", 0,
                       options.constData()) == 0;
}

SmallFilesystem::~SmallFilesystem() {
    if (mounted_)
        ::umount2(QFile::encodeName(folder_.path()).constData(), MNT_DETACH);
}

QStringList SmallFilesystem::entries() const {
    return QDir(folder_.path())
        .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

}  // namespace testing_support
