#include "yard/lista_cancela.h"

#include "data/datas.h"
#include "widgets/colunas_grade.h"
#include "widgets/cria.h"
#include "widgets/trabalho_banco.h"
#include "yard/tela_principal.h"

#include <QHeaderView>
#include <QPointer>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableWidget>
#include <QVBoxLayout>

ListaCancela::ListaCancela(Contexto& ctx, TelaPrincipal& janela, ControleCancelas& cancelas,
                           Lado lado, QWidget* parent)
    : QDialog(parent), ctx_(ctx), janela_(janela), cancelas_(cancelas), lado_(lado) {
    const bool entrada = lado == Lado::Entrada;
    setObjectName(entrada ? QStringLiteral("lis_ent") : QStringLiteral("lis_sai"));
    setWindowTitle(entrada ? QStringLiteral("Lista de Entrada de Veículos")
                           : QStringLiteral("Lista de Saída de Veículos"));
    setModal(true);

    grid1 = cria<QTableWidget>(this, "grid1", 0, 3);
    grid1->setHorizontalHeaderLabels(
        {QStringLiteral("Placa"), QStringLiteral("Data Entrada"), QStringLiteral("Hora Entrada")});
    grid1->verticalHeader()->hide();
    grid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid1->setSelectionMode(QAbstractItemView::SingleSelection);
    grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // 1100 twips at 15 twips a pixel; widened to what the list shows.
    for (int c = 0; c < 3; ++c) grid1->setColumnWidth(c, 73);

    Command1 = criaBotao(this, "Command1", QStringLiteral("Abrir Cancela"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid1);
    layout->addWidget(Command1);
    connect(Command1, &QPushButton::clicked, this, &ListaCancela::Command1_Click);

    leDoBanco(ctx_.plataforma, QStringLiteral("a lista de veículos"), [this] { atualiza_lista(); });
}

QString ListaCancela::tabela() const {
    return lado_ == Lado::Entrada ? QStringLiteral("lista_entrada") : QStringLiteral("lista_saida");
}

void ListaCancela::atualiza_lista() {
    grid1->setRowCount(0);
    quantidade_ = 0;
    QSqlQuery q = ctx_.estado.db.executa(
        QStringLiteral("SELECT placa, data_entrada, hora_entrada FROM %1 ORDER BY placa, rowid")
            .arg(tabela()));
    while (q.next()) {
        const int linha = grid1->rowCount();
        grid1->insertRow(linha);
        grid1->setItem(linha, 0, new QTableWidgetItem(q.value(0).toString()));
        grid1->setItem(linha, 1, new QTableWidgetItem(dataBr(dataDoBanco(q.value(1)))));
        grid1->setItem(linha, 2, new QTableWidgetItem(horaHms(horaDoBanco(q.value(2)))));
        ++quantidade_;
    }
    alargaColunas(*grid1);
    // The last vehicle of the list stays chosen, as the list is left after filling it.
    if (quantidade_ > 0) grid1->setCurrentCell(grid1->rowCount() - 1, 0);
}

void ListaCancela::Command1_Click() {
    if (esperando_) return;
    const int linha = grid1->currentRow();
    const QTableWidgetItem* celula = linha >= 0 ? grid1->item(linha, 0) : nullptr;
    if (!celula || celula->text().isEmpty()) {
        ctx_.plataforma.mensagem(QStringLiteral("Selecione o veículo na lista."), Icone::Informacao);
        return;
    }
    const QString placa = celula->text();

    // The car leaves the list once its gate went up, not before: a gate whose port refused keeps
    // it listed, to be raised again, and the refusal is told in the gate's notice. While its
    // pulse waits for the port (the other gate's pulse on the same port), the list waits too.
    esperando_ = true;
    QPointer<ListaCancela> eu = this;
    cancelas_.levanta(lado_, [eu, placa](bool passa) {
        if (!eu) return;
        eu->esperando_ = false;
        if (passa) eu->retira(placa);
    });
}

void ListaCancela::retira(const QString& placa) {
    bool retirado = false;
    if (!gravaNoBanco(ctx_.plataforma, QStringLiteral("retirar o veículo da lista"), [&] {
            Banco& db = ctx_.estado.db;
            const QVariant rowid = db.valor(
                QStringLiteral("SELECT rowid FROM %1 WHERE placa = ? ORDER BY rowid LIMIT 1").arg(tabela()),
                {placa});
            if (rowid.isNull()) return;
            db.executa(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(tabela()), {rowid});
            retirado = true;
        }))
        return;
    if (!retirado) return;
    // The vehicle is out of the list, even when the list cannot be read again.
    if (leDoBanco(ctx_.plataforma, QStringLiteral("a lista de veículos"), [this] { atualiza_lista(); }) &&
        quantidade_ == 0)
        janela_.filaCancelaVazia(lado_);
    accept();
}

void ListaCancela::reject() {
    // Not closed while a raise is under way: the car must still leave the list once its gate is up.
    if (!esperando_) QDialog::reject();
}
