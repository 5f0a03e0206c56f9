#pragma once
// A list whose entry is acted on as soon as it is highlighted: by a click, the arrow keys,
// Home/End or typing its first letters, so that the entry highlighted is always the one loaded
// (and the one a later "Excluir" or "Alterar" works on). A click on the entry already
// highlighted loads it again, as a click always did.

#include <QApplication>
#include <QListWidget>

#include <memory>

template <typename F>
void aoEscolher(QListWidget* lista, QObject* contexto, F carrega) {
    // The entry a mouse press has just highlighted: the click that follows loads nothing more.
    auto pelaPressao = std::make_shared<QListWidgetItem*>(nullptr);
    QObject::connect(lista, &QListWidget::itemSelectionChanged, contexto, [lista, carrega, pelaPressao] {
        QListWidgetItem* atual = lista->currentItem();
        if (!atual || !atual->isSelected()) return;
        *pelaPressao = QApplication::mouseButtons() != Qt::NoButton ? atual : nullptr;
        carrega();
    });
    QObject::connect(lista, &QListWidget::itemClicked, contexto, [carrega, pelaPressao](QListWidgetItem* item) {
        const bool jaCarregado = *pelaPressao == item;
        *pelaPressao = nullptr;
        if (!jaCarregado) carrega();
    });
}
