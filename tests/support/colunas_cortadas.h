#pragma once
// Columns narrower than the view's measure of their heading or rows, or shown out of view.

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
