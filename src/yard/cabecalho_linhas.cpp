#include "yard/cabecalho_linhas.h"

void CabecalhoLinhas::setModel(QAbstractItemModel* modelo) {
    if (model()) disconnect(model(), &QAbstractItemModel::rowsRemoved, this, nullptr);
    QHeaderView::setModel(modelo);
    if (!modelo) return;
    disconnect(modelo, &QAbstractItemModel::rowsRemoved, this, nullptr);
    connect(modelo, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex& pai) {
        if (pai.isValid()) return;
        // Every section is alike: the one taken off is the last, which costs nothing.
        const int restam = model()->rowCount();
        if (restam > 0) initializeSections(restam - 1, restam - 1);
        else initializeSections();
    });
}
