// Lending a panel to another window and putting it back in its place.
#include "ui/BorrowedPanel.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLayout>
#include <algorithm>

namespace fsc {

namespace {

// The layout, among `layout` and the layouts nested in it, that holds `widget` directly.
QLayout* LayoutHolding(QLayout* layout, QWidget* widget) {
    if (!layout) return nullptr;
    if (layout->indexOf(widget) >= 0) return layout;
    for (int item = 0; item < layout->count(); ++item)
        if (QLayout* found = LayoutHolding(layout->itemAt(item)->layout(), widget)) return found;
    return nullptr;
}

}  // namespace

void TBorrowedPanel::Remember(QWidget* newPanel) {
    GiveBack();
    panel = newPanel;
    formerParent = newPanel->parentWidget();
    formerPos = newPanel->pos();
    wasHidden = newPanel->isHidden();
    formerLayout = formerParent ? LayoutHolding(formerParent->layout(), newPanel) : nullptr;
    if (!formerLayout) return;
    index = formerLayout->indexOf(newPanel);
    alignment = formerLayout->itemAt(index)->alignment();
    if (auto* box = qobject_cast<QBoxLayout*>(formerLayout.data())) stretch = box->stretch(index);
    if (auto* grid = qobject_cast<QGridLayout*>(formerLayout.data()))
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
}

void TBorrowedPanel::Borrow(QWidget* newPanel, QBoxLayout* into, int at, bool fill) {
    Remember(newPanel);
    if (formerLayout) formerLayout->removeWidget(newPanel);
    if (fill) {
        into->insertWidget(at, newPanel, 1);
    } else {
        into->insertWidget(at, newPanel, 0, Qt::AlignLeft | Qt::AlignTop);
    }
    newPanel->show();
}

void TBorrowedPanel::GiveBack() {
    if (!panel) return;
    QWidget* back = panel;
    panel = nullptr;
    if (!formerParent) return;
    if (QLayout* current = back->parentWidget() ? back->parentWidget()->layout() : nullptr)
        if (QLayout* holder = LayoutHolding(current, back)) holder->removeWidget(back);
    back->setParent(formerParent);
    if (auto* box = qobject_cast<QBoxLayout*>(formerLayout.data())) {
        box->insertWidget(std::min(index, box->count()), back, stretch, alignment);
    } else if (auto* grid = qobject_cast<QGridLayout*>(formerLayout.data())) {
        grid->addWidget(back, row, column, rowSpan, columnSpan, alignment);
    } else {
        back->move(formerPos);
    }
    back->setHidden(wasHidden);
}

}  // namespace fsc
