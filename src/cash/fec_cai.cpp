#include "cash/fec_cai.h"

#include "app/imprime_bobina.h"
#include "cash/fechamento_caixa.h"
#include "cash/leitura_fiscal.h"
#include "cash/relatorio_fechamento.h"
#include "widgets/cria.h"
#include "widgets/cursor_ocupado.h"
#include "widgets/trabalho_banco.h"
#include "yard/tela_principal.h"

#include <QPushButton>
#include <QVBoxLayout>

FechamentoCaixa::FechamentoCaixa(Contexto& ctx, TelaPrincipal& janela, QWidget* parent)
    : QDialog(parent), ctx_(ctx), janela_(janela) {
    setObjectName(QStringLiteral("fec_cai"));
    setWindowTitle(QStringLiteral("Fechamento de Caixa"));
    setModal(true);

    Command1 = criaBotao(this, "Command1", QStringLiteral("Fechar Caixa"));
    Command2 = criaBotao(this, "Command2", QStringLiteral("Cancelar"));
    Command1->setMinimumWidth(160);
    Command2->setMinimumWidth(160);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Command1);
    layout->addWidget(Command2);

    connect(Command1, &QPushButton::clicked, this, &FechamentoCaixa::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    Command1->setFocus();
}

void FechamentoCaixa::Command1_Click() {
    Estado& e = ctx_.estado;
    Plataforma& p = ctx_.plataforma;
    bool aberto = false;
    if (!leDoBanco(p, QStringLiteral("a situação do caixa"),
                   [&] { aberto = caixa_aberto(e.db, e.numero_caixa); }))
        return;
    if (!aberto) {
        p.mensagem(QStringLiteral("Não há caixa aberto."));
        return;
    }
    if (!p.pergunta(QStringLiteral("Confirma fechamento de caixa?"))) return;

    const LeituraPrevista leitura = preve_leitura_fiscal(ctx_);
    const ResultadoCupom cupom = fecha_cupom_antes_da_leitura(ctx_, leitura.leitura);
    if (!cupom.texto.isEmpty())
        p.mensagem(cupom.texto, cupom.falhou ? Icone::Exclamacao : Icone::Informacao);
    if (cupom.falhou) return;

    ResultadoFechamento r;
    {
        CursorOcupado ampulheta;
        r = grava_fechamento(ctx_);
    }
    if (!r.fechado) {
        p.mensagem(r.mensagem, r.icone);
        return;
    }
    // The closing is stored: what follows can fail without losing it.
    const QString fiscal = faz_leitura_fiscal(ctx_, leitura);
    if (!fiscal.isEmpty()) p.mensagem(fiscal + QStringLiteral("\nO caixa está fechado."), Icone::Exclamacao);
    p.mensagem(QStringLiteral("Caixa fechado com sucesso. Clique em OK para imprimir o Fechamento de Caixa"));
    imprimeFechamento(r.troco);

    e.numero_caixa = 0;
    janela_.mostraCaixa();
    Command1->setEnabled(false);
    accept();
}

void FechamentoCaixa::imprimeFechamento(const Dinheiro& troco) {
    const Estado& e = ctx_.estado;
    if (!ha_impressora(e)) return;
    const QString aviso = QStringLiteral("O caixa está fechado e o seu fechamento está gravado.");
    QByteArray bytes;
    try {
        bytes = impressao_fechamento_caixa(
            ctx_.estado.db, {e.numero_caixa, e.usuario_atual, e.bobina, e.avanco_bobina, troco});
    } catch (const ErroBanco& erro) {
        ctx_.plataforma.mensagem(
            QStringLiteral("Não foi possível ler o fechamento para imprimi-lo.\n%1\n%2")
                .arg(erro.mensagem(), aviso),
            Icone::Critico);
        return;
    }
    imprime_bobina(ctx_, Impresso::FechamentoCaixa, bytes);
}
