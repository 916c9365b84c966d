// Help documents into a text box, through the program's own RTF reader.
#include "ui/HelpDocument.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextEdit>

#include "base/Files.h"
#include "base/RtfText.h"
#include "platform/ByteText.h"

namespace fsc {

void LoadHelpDocument(QTextEdit* box, const std::string& path) {
    const std::string bytes = ReadFileBytes(path);
    if (!IsRtf(bytes)) {
        // Line ends of any system; a CR of its own would show as a character.
        QString text = BytesToQString(bytes);
        text.replace("\r\n", "\n").replace('\r', '\n');
        box->setPlainText(text);
        return;
    }
    const TRtfText text = ReadRtf(bytes);
    box->clear();
    QTextCursor cursor(box->document());
    for (const TRtfRun& run : text) {
        QTextCharFormat format;
        format.setFontWeight(run.Bold ? QFont::Bold : QFont::Normal);
        format.setFontItalic(run.Italic);
        // The reader's text is UTF-8 whatever code page the document was written in.
        cursor.insertText(QString::fromStdString(run.Text), format);
    }
    // A help text is read from its beginning.
    box->moveCursor(QTextCursor::Start);
}

}  // namespace fsc
