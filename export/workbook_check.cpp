#include "export/workbook_check.h"

#include <QByteArray>
#include <QFile>
#include <QXmlStreamReader>

#include <unzip.h>

#include <memory>

namespace exporting {

namespace {

struct ZipCloser {
    void operator()(void* zip) const { unzClose(zip); }
};

// The current part's bytes; false when it cannot be read whole with its checksum.
bool readCurrentPart(unzFile zip, QByteArray& bytes) {
    if (unzOpenCurrentFile(zip) != UNZ_OK)
        return false;
    bytes.clear();
    char buffer[65536];
    int read = 0;
    while ((read = unzReadCurrentFile(zip, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, read);
    const int closed = unzCloseCurrentFile(zip);  // UNZ_CRCERROR when the checksum differs
    return read == 0 && closed == UNZ_OK;
}

bool wholeXml(const QByteArray& bytes) {
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd())
        xml.readNext();
    return !xml.hasError();
}

}  // namespace

WorkbookCheck checkWrittenWorkbook(const QString& path) {
    const std::unique_ptr<void, ZipCloser> zip(unzOpen64(QFile::encodeName(path).constData()));
    if (!zip)
        return WorkbookCheck::FileCut;  // no zip directory at the end
    QByteArray bytes;
    for (int more = unzGoToFirstFile(zip.get()); more == UNZ_OK;
         more = unzGoToNextFile(zip.get())) {
        char name[512] = {};
        if (unzGetCurrentFileInfo64(zip.get(), nullptr, name, sizeof name - 1, nullptr, 0, nullptr,
                                    0) != UNZ_OK ||
            !readCurrentPart(zip.get(), bytes))
            return WorkbookCheck::FileCut;
        const QByteArray partName(name);
        if ((partName.endsWith(".xml") || partName.endsWith(".rels")) && !wholeXml(bytes))
            return WorkbookCheck::PartCut;
    }
    return WorkbookCheck::Whole;
}

}  // namespace exporting
