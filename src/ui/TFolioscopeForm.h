// The start window: registers the picture readers, offers "use Wizard" and "no Wizard",
// and hands over to the main window once, by button or by its short timer.
#pragma once

#include <QWidget>
#include <functional>
#include <string>

namespace fsc {

struct ProgramOptions;

class TFolioscopeForm : public QWidget {
    Q_OBJECT

public:
    // `proceed` shows the working windows; it runs exactly once.
    TFolioscopeForm(ProgramOptions& options, std::function<void()> proceed,
                    QWidget* parent = nullptr);

    // The filter of the picture open dialog ("All images (...)|...").
    const std::string& PictureFilter() const { return pictureFilter; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Proceed();

    ProgramOptions& options;
    std::function<void()> proceed;
    std::string pictureFilter;
    bool proceeded = false;
};

}  // namespace fsc
