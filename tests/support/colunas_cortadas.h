#pragma once
// The columns of a grid that cut what they show: narrower than the view's own measure of their
// heading or of the rows they hold, or, on a grid shown, out of view without scrolling sideways.

#include <QHeaderView>
#include <QList>
#include <QTableView>

inline QList<int> colunasCortadas(const QTableView& grade) {
    QList<int> r;
    for (int c = 0; c < grade.model()->columnCount(); ++c) {
        const int largura = grade.columnWidth(c);
        const bool estreita = largura < static_cast<const QAbstractItemView&>(grade).sizeHintForColumn(c) ||
                              largura < grade.horizontalHeader()->sectionSizeHint(c);
        const bool fora = grade.isVisible() &&
                          grade.columnViewportPosition(c) + largura > grade.viewport()->width();
        if (estreita || fora) r << c;
    }
    return r;
}
