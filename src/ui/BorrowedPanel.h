// A panel lent to another window for a while: where it sat (parent, layout cell, position)
// is remembered, so giving it back puts it exactly there again and its owner shows it as
// before. A widget has one parent, so only one window can show a panel at a time.
#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>

class QBoxLayout;
class QLayout;

namespace fsc {

class TBorrowedPanel {
public:
    TBorrowedPanel() = default;
    TBorrowedPanel(const TBorrowedPanel&) = delete;
    TBorrowedPanel& operator=(const TBorrowedPanel&) = delete;
    // A panel still out when the borrower goes is returned, never left without a home.
    ~TBorrowedPanel() { GiveBack(); }

    // Remembers where `panel` sits now; its owner may then move it (e.g. into itself).
    void Remember(QWidget* panel);
    // Remembers where `panel` sits and moves it into `into` at `index` (-1: at the end), at
    // its own size in the top left corner, or filling the room when `fill` is set.
    void Borrow(QWidget* panel, QBoxLayout* into, int index = -1, bool fill = false);
    // Puts the panel back where it was remembered; nothing happens when none is out.
    void GiveBack();

    QWidget* Panel() const { return panel; }

private:
    QPointer<QWidget> panel;
    QPointer<QWidget> formerParent;
    QPointer<QLayout> formerLayout;
    bool wasHidden = false;
    QPoint formerPos;
    // The panel's cell in a box layout (index, stretch) or a grid layout (row ... spans).
    int index = -1;
    int stretch = 0;
    int row = 0, column = 0, rowSpan = 1, columnSpan = 1;
    Qt::Alignment alignment;
};

}  // namespace fsc
