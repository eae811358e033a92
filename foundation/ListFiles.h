#pragma once
// List files: the saved rows of the scan results (".scn") and the simulate
// results (".sim").  Line 1 is the list's name; then one line per row: "1"
// or "0" for the check mark, directly followed by every column's text, each
// followed by a TAB.  Written as UTF-8 with CR LF line ends; read with or
// without a byte-order mark at the start of the file (further on, a line of
// nothing but a mark is an empty line, and anywhere else U+FEFF is text like
// any other), with CR LF, LF or CR line ends, and lines that are not UTF-8
// are taken as Windows-1252 (list files of older versions).
//
// Escapes.  A cell keeps its exact text, so a row's file name always names
// that very file.  What a line cannot carry as it is goes in as ESC (0x1B)
// followed by two upper-case hexadecimal digits:
//   - a control character (U+0000 to U+001F: TAB, CR and LF among them, and
//     ESC itself) as its code, so "tab<TAB>name.mp3" is written
//     "tab<ESC>09name.mp3";
//   - a byte of a file name that is not UTF-8 (held in the text as U+DC00 +
//     byte, foundation/NativePath.h) as that byte, 80 to FF.
// A list whose cells hold neither is written byte for byte as without
// escapes, and a file without ESC reads as it always did.  The reader turns
// ESC and two hexadecimal digits (either case) back; an ESC that is not
// followed by two digits is kept as it stands.

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>
#include <memory>
#include <span>

class QAbstractItemModel;

// The rows of a results list as the list-file reader and writer see them.
// Both results models implement it; ItemModelListFile adapts any item model.
class IListFileModel {
public:
    virtual ~IListFileModel() = default;
    // The list's name: the first line of its files.
    virtual QString listName() const = 0;
    virtual int rowCount() const = 0;
    virtual int columnCount() const = 0;
    virtual bool isChecked(int row) const = 0;
    virtual QString cellText(int row, int column) const = 0;
    virtual void clearRows() = 0;
    // `cells` holds exactly columnCount() texts.  The views point into the
    // reader's line buffer and are valid only during the call: a model keeps
    // what it needs (toString(), or its own compact storage).
    virtual void appendRow(bool checked, std::span<const QStringView> cells) = 0;
    // Brackets a load (clearRows and every appendRow): a model may batch its
    // change notifications and its view may be disabled meanwhile.
    virtual void beginLoad() {}
    virtual void endLoad() {}
};

// An adapter for an item model whose column 0 carries the check state
// (Qt::CheckStateRole) and whose cells carry their text (Qt::DisplayRole).
// Rows are added with insertRows/setData, so the model must support them.
class ItemModelListFile final : public IListFileModel {
public:
    ItemModelListFile(QAbstractItemModel& model, QString listName);
    QString listName() const override { return m_name; }
    int rowCount() const override;
    int columnCount() const override;
    bool isChecked(int row) const override;
    QString cellText(int row, int column) const override;
    void clearRows() override;
    void appendRow(bool checked, std::span<const QStringView> cells) override;

private:
    QAbstractItemModel& m_model;
    QString m_name;
};

namespace ListFileName {
inline const QString ScanResults = QStringLiteral("ListViewScanResults");
inline const QString SimResults = QStringLiteral("ListViewSimResults");
}  // namespace ListFileName

// Saves `list`: with no rows, shows `emptyListText` ("List Empty") and
// returns false without asking for a path.  Otherwise `chooseSavePath` asks
// for the path (an empty text means the user cancelled: false, no message).
// A read-only file at that path is refused with a message; otherwise the file
// is replaced atomically.  Write failures are shown as the program's
// permission or path/file-access messages.  True when the file was written.
bool SaveListViewToTextFile(const IListFileModel& list, const std::function<QString()>& chooseSavePath,
                            const QString& emptyListText);

// Writes the list file of `list` to `path` (atomically); raises on failure.
void WriteListFile(const IListFileModel& list, const QString& path);
// The bytes of the list file of `list`.
QByteArray ListFileBytes(const IListFileModel& list);

// Loads the list file at `path` into `list`.  A missing file does nothing; an
// empty file or one whose first line is not the list's name is refused with
// `invalidFileText` ("Invalid File") and the list keeps its rows; a file that
// cannot be opened for lack of permission is reported.
void LoadTextFileToListView(IListFileModel& list, const QString& path, const QString& invalidFileText);

// The whole text of a file, every line followed by CR LF (the last one too).
// Raises the platform error when the file cannot be read.
QString GetTextFromFile(const QString& path);

// A text file's bytes as text, by the rules of the list-file reader: a UTF-8
// byte-order mark that begins the file is skipped, a line of nothing but a
// mark further on is an empty line (anywhere else the mark is a character of
// its line); a line that is valid UTF-8 is read as UTF-8, any other line as
// Windows-1252; every line end (CR LF, LF or a lone CR) becomes one LF.
// With MarkOnlyLine::Kept a line of a mark alone keeps it as its character,
// as an XML reader of the bytes would see it.
enum class MarkOnlyLine { Empty, Kept };
QString DecodeTextFile(QByteArrayView bytes, MarkOnlyLine markOnly = MarkOnlyLine::Empty);
// A text file read line by line, by the same rules, through one reusable
// buffer (the whole file is never held).
class TextFileLines {
public:
    // Raises the platform error (as a read) when the file cannot be opened.
    explicit TextFileLines(const QString& path);
    // Reads an open file from its current position and closes it at the end
    // (a duplicate of a descriptor the caller keeps is fine).  -1 raises the
    // errno of the open or dup that failed.
    explicit TextFileLines(int fd);
    ~TextFileLines();
    TextFileLines(const TextFileLines&) = delete;
    TextFileLines& operator=(const TextFileLines&) = delete;
    // The next line without its line end, valid until the next call; false
    // after the last line.  Raises the platform error of a failed read.
    bool next(QStringView& line);

private:
    struct Reader;
    std::unique_ptr<Reader> m_reader;
};

// True when the bytes are UTF-8 throughout (no overlong forms, surrogates or
// code points above U+10FFFF).
bool IsValidUtf8Text(QByteArrayView bytes);
