// Binders between widgets and workspace fields.
#include "ui/Binders.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStringList>

#include "platform/ByteText.h"

namespace fsc {

std::string QStringToBytes(const QString& text) { return text.toStdString(); }

std::string MemoText(const QPlainTextEdit* memo) {
    QString text = memo->toPlainText();
    text.replace('\n', "\r\n");
    return QStringToBytes(text);
}

void Show(QLineEdit* edit, const std::string& field) {
    // A refill is not an edit: it must not run the change handlers again.
    const QSignalBlocker blocker(edit);
    edit->setText(BytesToQString(field));
}

void Show(QPlainTextEdit* memo, const std::string& field) {
    const QSignalBlocker blocker(memo);
    // The box breaks lines at LF; a stored CR LF or CR is one line break too.
    QString text = BytesToQString(field);
    text.replace("\r\n", "\n").replace('\r', '\n');
    memo->setPlainText(text);
}

void Show(QPlainTextEdit* memo, const TStringList& lines) {
    const QSignalBlocker blocker(memo);
    QStringList shown;
    for (const std::string& line : lines) shown << BytesToQString(line);
    memo->setPlainText(shown.join('\n'));
}

Refresher Bind(QLineEdit* edit, std::string& field, std::function<void()> changed) {
    Refresher refresh = [edit, &field] { Show(edit, field); };
    refresh();
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [&field, changed = std::move(changed)](const QString& text) {
                         field = QStringToBytes(text);
                         if (changed) changed();
                     });
    return refresh;
}

Refresher Bind(QPlainTextEdit* memo, std::string& field, std::function<void()> changed) {
    Refresher refresh = [memo, &field] { Show(memo, field); };
    refresh();
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo,
                     [memo, &field, changed = std::move(changed)] {
                         field = MemoText(memo);
                         if (changed) changed();
                     });
    return refresh;
}

Refresher Bind(QPlainTextEdit* memo, TStringList& lines, std::function<void()> changed) {
    Refresher refresh = [memo, &lines] { Show(memo, lines); };
    refresh();
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo,
                     [memo, &lines, changed = std::move(changed)] {
                         lines = SplitLines(QStringToBytes(memo->toPlainText()));
                         if (changed) changed();
                     });
    return refresh;
}

Refresher Bind(QAbstractButton* box, bool& field, std::function<void()> changed) {
    Refresher refresh = [box, &field] {
        const QSignalBlocker blocker(box);
        box->setChecked(field);
    };
    refresh();
    QObject::connect(box, &QAbstractButton::toggled, box,
                     [&field, changed = std::move(changed)](bool on) {
                         field = on;
                         if (changed) changed();
                     });
    return refresh;
}

Refresher BindSmoothResize(QAbstractButton* box, TResizeMethod& method) {
    Refresher refresh = [box, &method] {
        const QSignalBlocker blocker(box);
        box->setChecked(method == TResizeMethod::Smooth);
    };
    refresh();
    QObject::connect(box, &QAbstractButton::toggled, box, [&method](bool on) {
        method = on ? TResizeMethod::Smooth : TResizeMethod::Classic;
    });
    return refresh;
}

Refresher Bind(QSpinBox* spin, int& field, std::function<void()> changed) {
    Refresher refresh = [spin, &field] {
        const QSignalBlocker blocker(spin);
        spin->setValue(field);
        // setValue clamps to the range; the field follows what the spin box shows.
        field = spin->value();
    };
    refresh();
    QObject::connect(spin, &QSpinBox::valueChanged, spin,
                     [&field, changed = std::move(changed)](int value) {
                         field = value;
                         if (changed) changed();
                     });
    return refresh;
}

}  // namespace fsc
