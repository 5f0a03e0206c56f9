#pragma once
// The manual gate lists `lis_ent` ("Lista de Entrada de Veículos") and `lis_sai` ("Lista de
// Saída de Veículos"): the vehicles queued at a gate raised by hand. The operator picks one and
// presses "Abrir Cancela": the gate is pulsed, its lowering timer armed, the vehicle leaves the
// queue once its gate went up, and the main window's "Ativar Cancela" of that gate goes off once
// the queue is empty.

#include "app/contexto.h"
#include "yard/cancelas.h"

#include <QDialog>

class TelaPrincipal;
class QPushButton;
class QTableWidget;

class ListaCancela : public QDialog {
    Q_OBJECT
public:
    ListaCancela(Contexto& ctx, TelaPrincipal& janela, ControleCancelas& cancelas, Lado lado,
                 QWidget* parent = nullptr);

    QTableWidget* grid1;
    QPushButton* Command1;   // "Abrir Cancela"

    // Refills the list from the queue (`atualiza_lista_entrada` / `atualiza_lista_saida`).
    void atualiza_lista();
    void Command1_Click();
    qint64 quantidade() const { return quantidade_; }
    void reject() override;

private:
    QString tabela() const;
    // The gate went up for `placa`: its first row leaves the list.
    void retira(const QString& placa);

    Contexto& ctx_;
    TelaPrincipal& janela_;
    ControleCancelas& cancelas_;
    const Lado lado_;
    qint64 quantidade_ = 0;
    bool esperando_ = false;   // a raise asked for, its gate not yet up
};
