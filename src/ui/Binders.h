// Binders: fill a widget from a workspace field and write every edit straight back, so
// the workspace, not the widget, holds the value. They own the bytes-to-QString rule.
#pragma once

#include <QString>
#include <functional>
#include <string>

#include "base/TStringList.h"
#include "imaging/Resize.h"

class QAbstractButton;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace fsc {

// The program's texts are bytes; what the user types comes back as UTF-8.
std::string QStringToBytes(const QString& text);

// A multi-line box's text as the program keeps it: its lines joined by CR LF, the line end
// of every file the text may be stored in.
std::string MemoText(const QPlainTextEdit* memo);

// Re-fills a bound widget from its field without counting as an edit; a window keeps these
// to show the workspace again after a command replaced its values.
using Refresher = std::function<void()>;

// Each Bind fills the widget now; `changed`, when given, runs after every write-back.
Refresher Bind(QLineEdit* edit, std::string& field, std::function<void()> changed = {});
Refresher Bind(QPlainTextEdit* memo, std::string& field, std::function<void()> changed = {});
// A memo over a line list: one line of the list per line of the box.
Refresher Bind(QPlainTextEdit* memo, TStringList& lines, std::function<void()> changed = {});
Refresher Bind(QAbstractButton* box, bool& field, std::function<void()> changed = {});
// Checked for the smooth resize, unchecked for the classic one.
Refresher BindSmoothResize(QAbstractButton* box, TResizeMethod& method);
Refresher Bind(QSpinBox* spin, int& field, std::function<void()> changed = {});

// A radio button standing for one value of an enumeration: checked while the field holds
// that value, and checking it stores the value.
template <class Enum>
Refresher BindChoice(QAbstractButton* button, Enum& field, Enum value);

// Re-fills a widget after a command changed the field behind it.
void Show(QLineEdit* edit, const std::string& field);
void Show(QPlainTextEdit* memo, const std::string& field);
void Show(QPlainTextEdit* memo, const TStringList& lines);

}  // namespace fsc

#include "ui/BindChoice.inl"
