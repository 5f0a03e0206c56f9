#pragma once
// The yard list's row header. Its rows are all of one height and it is never shown, so a row
// that leaves can be taken off its end: Qt's own handling of a removed row walks every one of
// the 20,000 rows a busy yard holds, at each exit.

#include <QHeaderView>

class CabecalhoLinhas : public QHeaderView {
public:
    explicit CabecalhoLinhas(QWidget* pai) : QHeaderView(Qt::Vertical, pai) {}
    void setModel(QAbstractItemModel* modelo) override;
};
