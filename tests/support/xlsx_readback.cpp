#include "xlsx_readback.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>

#include <gtest/gtest.h>

namespace xlsx_readback {

namespace {

const char* const script = R"PY(
import json, sys
from openpyxl import load_workbook
from openpyxl.utils import get_column_letter
wb = load_workbook(sys.argv[1])
n = int(sys.argv[2])
out = {"sheets": len(wb.worksheets)}
if 1 <= n <= len(wb.worksheets):
    ws = wb.worksheets[n - 1]
    cells = {}
    for row in ws.iter_rows():
        for c in row:
            if c.value is None:
                continue
            v = c.value
            cells["%d,%d" % (c.row, c.column)] = {
                "n": isinstance(v, (int, float)) and not isinstance(v, bool),
                "v": v if isinstance(v, (int, float, str)) else str(v),
                "f": c.number_format, "b": bool(c.font and c.font.b)}
    widths = {}
    for key, dim in ws.column_dimensions.items():
        if dim.customWidth and dim.width:
            for col in range(dim.min or 0, (dim.max or 0) + 1):
                widths[str(col)] = dim.width
    out.update(name=ws.title, cells=cells, widths=widths, maxRow=ws.max_row, maxColumn=ws.max_column)
print(json.dumps(out))
)PY";

// Every part of the package with its bytes, as zipfile reads them.
const char partsScript[] = R"PY(
import base64, json, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    print(json.dumps({n: base64.b64encode(z.read(n)).decode() for n in z.namelist()}))
)PY";

// Runs a python script over the workbook and returns what it printed as JSON.
QJsonObject runPython(const char* code, const QStringList& args) {
    QProcess python;
    // Debian's python carries python3-openpyxl; another python3 first on PATH may not.
    const QString interpreter = QFileInfo::exists(QStringLiteral("/usr/bin/python3"))
                                    ? QStringLiteral("/usr/bin/python3")
                                    : QStringLiteral("python3");
    python.start(interpreter, QStringList{QStringLiteral("-c"), QString::fromUtf8(code)} + args);
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        ADD_FAILURE() << "python could not read " << args.value(0).toStdString() << ": "
                      << python.readAllStandardError().toStdString();
        return {};
    }
    return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
}

QJsonObject run(const QString& path, int sheet) {
    return runPython(script, {path, QString::number(sheet)});
}

}  // namespace

QMap<QString, QByteArray> parts(const QString& path) {
    QMap<QString, QByteArray> result;
    const QJsonObject all = runPython(partsScript, {path});
    for (auto it = all.begin(); it != all.end(); ++it)
        result.insert(it.key(), QByteArray::fromBase64(it.value().toString().toLatin1()));
    return result;
}

Cell Sheet::cell(int row, int column) const {
    const QJsonObject c = cells_.value(QStringLiteral("%1,%2").arg(row).arg(column)).toObject();
    if (c.isEmpty())
        return {};
    Cell cell;
    cell.value = c.value("n").toBool() ? QVariant(c.value("v").toDouble())
                                       : QVariant(c.value("v").toString());
    cell.numberFormat = c.value("f").toString();
    cell.bold = c.value("b").toBool();
    return cell;
}

double Sheet::columnWidth(int column) const {
    return widths_.value(QString::number(column)).toDouble();
}

int sheetCount(const QString& path) {
    return run(path, 0).value("sheets").toInt();
}

Sheet readSheet(const QString& path, int sheet) {
    const QJsonObject out = run(path, sheet);
    Sheet result;
    result.name = out.value("name").toString();
    result.cells_ = out.value("cells").toObject();
    result.widths_ = out.value("widths").toObject();
    result.maxRow_ = out.value("maxRow").toInt();
    result.maxColumn_ = out.value("maxColumn").toInt();
    return result;
}

}  // namespace xlsx_readback
