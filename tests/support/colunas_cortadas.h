#pragma once
// The columns of a grid that cut what they show: narrower than the view's own measure of their
// heading or rows, or, on a grid shown, out of view without scrolling sideways.

#include <QHeaderView>
#include <QTableView>

inline QList<int> colunasCortadas(const QTableView& g) {
    QList<int> r;
    for (int c = 0; c < g.model()->columnCount(); ++c)
        if (g.columnWidth(c) < qMax(static_cast<const QAbstractItemView&>(g).sizeHintForColumn(c),
                                    g.horizontalHeader()->sectionSizeHint(c)) ||
            (g.isVisible() && g.columnViewportPosition(c) + g.columnWidth(c) > g.viewport()->width()))
            r << c;
    return r;
}
