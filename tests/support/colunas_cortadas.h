#pragma once
// The columns of a grid that cut what they show: narrower than the view's own measure of their
// heading or of the rows they hold.

#include <QHeaderView>
#include <QList>
#include <QTableView>

inline QList<int> colunasCortadas(const QTableView& grade) {
    QList<int> r;
    for (int c = 0; c < grade.model()->columnCount(); ++c)
        if (grade.columnWidth(c) < static_cast<const QAbstractItemView&>(grade).sizeHintForColumn(c) ||
            grade.columnWidth(c) < grade.horizontalHeader()->sectionSizeHint(c))
            r << c;
    return r;
}
