#include "export/spreadsheet_bridge.h"

#include "data/c_numeric_locale.h"
#include "export/cell_value.h"
#include "export/export_location.h"
#include "export/workbook_check.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLocale>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <memory>
#include <vector>

namespace {

[[noreturn]] void stop(const QString& text, const QString& caption = QStringLiteral("Ошибка")) {
    throw exporting::ExportError({text}, caption);
}

QString writeErrorText(int sheet, int column, int row) {
    return QStringLiteral("Ошибка при записи: лист %1, столбец %2, строка %3")
        .arg(sheet)
        .arg(column)
        .arg(row);
}

QString exportFolderFailure(const QString& folder) {
    return QStringLiteral(
               "Не удалось сохранить книгу Microsoft Excel в папке «%1»: на диске нет "
               "места или нет права записи. Книга не сохранена.")
        .arg(QDir::toNativeSeparators(folder));
}

QString temporaryFolderFailure(const QString& folder) {
    return QStringLiteral(
               "Не удалось подготовить книгу Microsoft Excel во временной папке «%1»: "
               "на диске нет места или нет права записи. Книга не сохранена.")
        .arg(QDir::toNativeSeparators(folder));
}

int longestLine(const QString& text) {
    int longest = 0;
    for (const auto& line : QStringView(text).split(u'\n'))
        longest = std::max(longest, int(line.size()));
    return longest;
}

}  // namespace

// One workbook being filled: libxlsxwriter holds the cells until the workbook is closed.
struct SpreadsheetBridge::Workbook {
    struct Column {
        int widest = 0;
        bool fit = false;
    };

    lxw_workbook* book = nullptr;
    std::vector<lxw_worksheet*> sheets;
    std::vector<QHash<int, Column>> columns;  // per sheet, by 0-based column
    // The file being written, beside the name it is saved under: created with a name nobody could
    // foresee, so no one can plant a file or link there for the workbook to write through. It
    // takes the workbook's name only when it is whole; until then it is removed on any failure.
    std::unique_ptr<QTemporaryFile> scratchFile;
    QString scratch;
    QString folder;
    // Where libxlsxwriter writes the workbook's parts before it packs them (kept for its options).
    QByteArray partsFolder;
    QLocale locale;
    lxw_format* formats[2][2] = {};  // [asText][bold]

    lxw_format* format(const exporting::CellStyle& style) {
        if (!style.asText && !style.bold)
            return nullptr;
        lxw_format*& f = formats[style.asText][style.bold];
        if (!f) {
            f = workbook_add_format(book);
            if (style.asText)
                format_set_num_format(f, "@");
            if (style.bold)
                format_set_bold(f);
        }
        return f;
    }

    void fitColumns() {
        for (size_t s = 0; s < sheets.size(); ++s)
            for (auto it = columns[s].cbegin(); it != columns[s].cend(); ++it)
                if (it->fit)
                    worksheet_set_column(sheets[s], lxw_col_t(it.key()), lxw_col_t(it.key()),
                                         exporting::fittedColumnWidth(it->widest), nullptr);
    }

    // Writes the file; the workbook is gone afterwards whatever happened. libxlsxwriter prints
    // the numbers of the XML (values, column widths, margins) with the C library, which must not
    // write a decimal comma there whatever the workstation's locale.
    lxw_error close() {
        fitColumns();
        const data::ClassicNumericScope classicNumbers;
        const lxw_error result = workbook_close(book);
        book = nullptr;
        return result;
    }

    ~Workbook() {
        if (book) {
            const data::ClassicNumericScope classicNumbers;
            workbook_close(book);
        }  // the scratch file goes with scratchFile
    }
};

SpreadsheetBridge::SpreadsheetBridge(QString fileStem) : fileStem_(std::move(fileStem)) {}

SpreadsheetBridge::~SpreadsheetBridge() = default;

void SpreadsheetBridge::dropWorkbook() {
    book_.reset();
}

void SpreadsheetBridge::open(const QString& existing) {
    dropWorkbook();
    auto book = std::make_unique<Workbook>();
    book->folder = exporting::exportFolder();
    if (!QDir().mkpath(book->folder))
        stop(exportFolderFailure(book->folder));
    book->scratchFile = std::make_unique<QTemporaryFile>(
        QDir(book->folder).filePath(QLatin1Char('.') + fileStem_ + QStringLiteral("-XXXXXX.part")));
    if (!book->scratchFile->open())
        stop(exportFolderFailure(book->folder));
    book->scratch = book->scratchFile->fileName();
    book->scratchFile->close();  // the name stays reserved until the workbook is saved
    book->partsFolder = QFile::encodeName(QDir::tempPath());
    lxw_workbook_options options = {};
    options.tmpdir = book->partsFolder.data();
    book->book = workbook_new_opt(QFile::encodeName(book->scratch).constData(), &options);
    if (!book->book)
        throw exporting::ExportError({QStringLiteral("Невозможно открыть Microsoft Excel."),
                                      QStringLiteral("Ошибка открытия файла Microsoft Excel.")},
                                     QStringLiteral("Ошибка"));
    // Only new workbooks can be made; an existing file is never overwritten or half-read.
    lxw_worksheet* sheet =
        existing.isEmpty() ? workbook_add_worksheet(book->book, "Лист1") : nullptr;
    if (!sheet)
        stop(QStringLiteral("Ошибка открытия файла Microsoft Excel."));  // ~Workbook discards it
    book->sheets.push_back(sheet);
    book->columns.resize(1);
    book_ = std::move(book);
}

QString SpreadsheetBridge::saveWorkbook() {
    std::unique_ptr<Workbook> book = std::move(book_);
    const lxw_error closed = book->close();
    bool partsFailed = closed == LXW_ERROR_CREATING_TMPFILE;
    QString savedPath;
    bool saved = false;
    if (closed == LXW_NO_ERROR) {
        const exporting::WorkbookCheck check = exporting::checkWrittenWorkbook(book->scratch);
        partsFailed = check == exporting::WorkbookCheck::PartCut;
        if (check == exporting::WorkbookCheck::Whole) {
            savedPath =
                exporting::workbookPath(book->folder, fileStem_, QDateTime::currentDateTime());
            saved = QFile::rename(book->scratch, savedPath);  // the same folder: never a copy
        }
    }
    if (!saved) {
        book->scratchFile->remove();  // no fragment is left behind
        stop(partsFailed ? temporaryFolderFailure(QDir::tempPath())
                         : exportFolderFailure(book->folder));
    }
    book->scratchFile->setAutoRemove(false);
    // A temporary file is private to its owner; the saved workbook reads as any other.
    QFile::setPermissions(savedPath,
                          QFile::permissions(savedPath) | QFile::ReadGroup | QFile::ReadOther);
    return savedPath;
}

QString SpreadsheetBridge::save() {
    if (!book_)
        return {};
    lastSavedPath_ = saveWorkbook();
    return lastSavedPath_;
}

void SpreadsheetBridge::write(int sheet, int column, int row, const QString& text,
                              exporting::CellStyle style) {
    if (text.isEmpty())
        return;
    if (!book_ || sheet < 1 || sheet > int(book_->sheets.size()))
        stop(writeErrorText(sheet, column, row),
             QStringLiteral("Ошибочный номер листа Microsoft Excel"));
    lxw_worksheet* target = book_->sheets[sheet - 1];
    lxw_format* format = book_->format(style);
    lxw_error result = LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE;
    if (row >= 1 && column >= 1) {
        const auto r = lxw_row_t(row - 1);
        const auto c = lxw_col_t(column - 1);
        const std::optional<double> number =
            style.asText ? std::nullopt : exporting::cellNumber(text, book_->locale);
        if (number)
            result = worksheet_write_number(target, r, c, *number, format);
        else
            result = worksheet_write_string(target, r, c, text.toUtf8().constData(), format);
    }
    if (result != LXW_NO_ERROR)
        stop(writeErrorText(sheet, column, row), QStringLiteral("Ошибка Microsoft Excel"));
    Workbook::Column& widths = book_->columns[sheet - 1][column - 1];
    widths.widest = std::max(widths.widest, longestLine(text));
    widths.fit = widths.fit || style.fitColumn;
}
