// Text files of the program: Shift-JIS (code page 932) with CR LF line ends. Every file the
// program reads or writes goes through these functions.
//
// Line splitting on reading: CR LF, a lone LF and a lone CR each end a line, so files that
// went through Unix or old Mac tools read the same as their CR LF originals. A final line
// without a line end is a line; a line end at the very end of the file does not start
// another (empty) line.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>

#include "common/Cp932.h"

namespace kel {

// Splits decoded text into lines by the rule above.
QStringList SplitLines(const QString& text);

struct TextReadResult {
    bool ok = false;          // the file could be opened and read
    QString error;            // why not, when !ok
    QStringList lines;
    int firstBadLine = 0;     // first line with bytes that are not Shift-JIS (1-based), or 0
};

TextReadResult ReadTextFile(const QString& path);

// Sequential reading of the lines of a text, as a file opened for input is read line by
// line. Made from a list of lines, or from a whole text (FromText), which is split by the
// rule above as it is read, without a string per line (large files).
class LineSource {
public:
    LineSource() = default;
    explicit LineSource(QStringList lines) : lines_(std::move(lines)) {}
    static LineSource FromText(QString text);
    bool AtEnd() const { return fromText_ ? pos_ >= text_.size() : next_ >= lines_.size(); }
    // The next line; empty at the end.
    QString ReadLine() {
        if (fromText_) return ReadLineView().toString();
        return AtEnd() ? QString() : lines_[next_++];
    }
    // The same as a view into the source's own text, valid while the source lives.
    QStringView ReadLineView();
    qsizetype LineNumber() const { return next_; }  // lines read so far
    // Steps back one line, so that the line last read is read again next.
    void UnreadLine();
    qsizetype LineCount() const;

private:
    QStringList lines_;
    qsizetype next_ = 0;
    bool fromText_ = false;
    QString text_;
    qsizetype pos_ = 0;             // start of the next line in text_
    mutable qsizetype count_ = -1;  // number of lines of text_, once counted
};

// The lines of a file's bytes, split by the same rule and read as views into the bytes,
// which must outlive the source. Code page 932 never uses a CR or LF byte inside a character,
// so these are the lines of the decoded text.
class ByteLineSource {
public:
    explicit ByteLineSource(QByteArrayView bytes) : bytes_(bytes) {}
    bool AtEnd() const { return pos_ >= bytes_.size(); }
    // The next line without its line end; empty at the end.
    QByteArrayView ReadLineView();
    qsizetype LineNumber() const { return next_; }  // lines read so far
    // Steps back one line, so that the line last read is read again next.
    void UnreadLine();

private:
    QByteArrayView bytes_;
    qsizetype pos_ = 0;  // start of the next line
    qsizetype next_ = 0;
};

// The same reading for sequential use: `source` gives the file's lines without a string per
// line (LineSource::FromText).
struct TextSourceResult {
    bool ok = false;
    QString error;
    LineSource source;
    int firstBadLine = 0;
};
TextSourceResult ReadTextFileSource(const QString& path);

struct TextWriteResult {
    bool ok = false;
    QString error;            // why the write failed, in English, for messages
    int badLine = 0;          // 1-based line of a character code page 932 cannot hold, or 0
    int badColumn = 0;        // 1-based position of that character in its line
    QString badChar;          // the character itself
};

// Writes every line followed by CR LF, atomically: the text goes to a temporary file beside
// the target that replaces it only when everything was written. Nothing is written when a
// line holds a character that code page 932 cannot hold; that is reported with its place.
// A line may itself contain CR LF pairs (a command text of several lines); these are
// written as they are.
TextWriteResult WriteTextFile(const QString& path, const QStringList& lines);

// The same for one text that already holds its line ends.
TextWriteResult WriteTextFileRaw(const QString& path, const QString& text);

// Writes bytes as they are (UTF-8 exchange files), atomically as above.
TextWriteResult WriteBytesFile(const QString& path, const QByteArray& bytes);

}  // namespace kel
