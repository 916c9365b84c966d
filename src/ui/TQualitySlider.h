// A slider with one extra mark under its scale, for a value the user should find again
// (the compression dialog marks the program's default JPEG compression).
#pragma once

#include <QSlider>
#include <optional>

namespace fsc {

class TQualitySlider : public QSlider {
    Q_OBJECT

public:
    explicit TQualitySlider(QWidget* parent = nullptr);

    // No mark when empty.
    void SetMark(std::optional<int> value);
    std::optional<int> Mark() const { return mark; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<int> mark;
};

}  // namespace fsc
