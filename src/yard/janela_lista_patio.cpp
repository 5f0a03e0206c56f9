#include "yard/janela_lista_patio.h"

#include "app/imprime_bobina.h"
#include "data/datas.h"
#include "widgets/colunas_grade.h"
#include "widgets/cria.h"
#include "widgets/trabalho_banco.h"
#include "yard/lista_patio.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
// 550, 1100, 1100 and 800 twips at 15 twips a pixel.
constexpr int kLarguras[] = {37, 73, 73, 53};
}  // namespace

JanelaListaPatio::JanelaListaPatio(Contexto& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx) {
    setObjectName(QStringLiteral("lis"));
    setWindowTitle(QStringLiteral("Lista de Pátio"));

    grid1 = cria<QTableWidget>(this, "grid1", 0, 4);
    grid1->setHorizontalHeaderLabels({QStringLiteral("Prisma"), QStringLiteral("Placa"),
                                      QStringLiteral("Data Entrada"), QStringLiteral("Hora Ent.")});
    grid1->verticalHeader()->hide();
    grid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid1->setSelectionBehavior(QAbstractItemView::SelectRows);

    total = new QLabel(this);
    total->setObjectName(QStringLiteral("total"));
    Command1 = criaBotao(this, "Command1", QStringLiteral("Imprimir"));
    Command2 = criaBotao(this, "Command2", QStringLiteral("Fechar"));

    auto* botoes = new QHBoxLayout;
    botoes->addWidget(total, 1);
    botoes->addWidget(Command1);
    botoes->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid1);
    layout->addLayout(botoes);
    resize(340, 400);

    connect(Command1, &QPushButton::clicked, this, &JanelaListaPatio::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QWidget::close);
    Form_Load();
}

void JanelaListaPatio::keyPressEvent(QKeyEvent* evento) {
    // Esc closes the window, as "Fechar" does.
    if (evento->key() == Qt::Key_Escape && evento->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(evento);
}

void JanelaListaPatio::Form_Load() {
    QList<VeiculoPatio> veiculos;
    leDoBanco(ctx_.plataforma, QStringLiteral("os veículos do pátio"),
              [&] { veiculos = veiculos_no_patio(ctx_.estado.db, false); });
    grid1->setRowCount(int(veiculos.size()));
    for (int l = 0; l < veiculos.size(); ++l) {
        const VeiculoPatio& v = veiculos[l];
        const QString celulas[] = {v.prisma, v.placa, dataBr(v.data_entrada), horaHms(v.hora_entrada)};
        for (int c = 0; c < 4; ++c) grid1->setItem(l, c, new QTableWidgetItem(celulas[c]));
    }
    // The columns keep their widths, widened where a heading or a value would be cut.
    for (int c = 0; c < 4; ++c) grid1->setColumnWidth(c, kLarguras[c]);
    alargaColunas(*grid1);
    total->setText(texto_total_patio(veiculos.size()));
    Command1->setEnabled(!veiculos.isEmpty());
}

void JanelaListaPatio::Command1_Click() {
    if (!ha_impressora(ctx_.estado)) return;
    const Estado& e = ctx_.estado;
    // The yard as it is now, which may differ from the list loaded with the window.
    QList<VeiculoPatio> veiculos;
    if (!leDoBanco(ctx_.plataforma, QStringLiteral("os veículos do pátio para imprimir a lista"),
                   [&] { veiculos = veiculos_no_patio(ctx_.estado.db, lista_por_placa(e.bobina)); }))
        return;
    imprime_bobina(ctx_, Impresso::ListaPatio, impressao_lista_patio(e.bobina, e.avanco_bobina, veiculos));
}
