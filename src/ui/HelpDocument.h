// The help documents of the template and scheme windows, shown in a read-only text box.
#pragma once

#include <string>

class QTextEdit;

namespace fsc {

// Shows the document at `path`: RTF with its paragraphs, bold and italic, any other file
// as plain text. The file is read before the box is touched, so a file that cannot be read
// raises the file system's error and leaves the box as it was.
void LoadHelpDocument(QTextEdit* box, const std::string& path);

}  // namespace fsc
