// Whatever the order in which the operator edits the month, the discount and the additional,
// and pays, no payment is stored, printed or shown below zero.

#include "subscribers/janela_pagamento.h"
#include "subscribers/mensalistas_teste.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>

#include <random>

namespace {

using PagamentoNuncaNegativo = MensalistasTeste;

TEST_F(PagamentoNuncaNegativo, QualquerSequenciaDeMesDescontoEAdicional) {
    const char* meses[] = {"03/08", "04/08", "05/08", "06/08", "03/08", "04/08", "02/08", "13/08"};
    const char* valores[] = {"0",  "5",  "10,5", "30",  "50",    "51,61", "60",    "75",
                             "90", "99,99", "100", "120", "150", "1.000", "",      "1,2,3", "120.50"};
    int pagos = 0, negativosRecusados = 0;
    for (unsigned semente = 1; semente <= 150; ++semente) {
        SCOPED_TRACE(semente);
        std::mt19937 sorte(semente);
        auto um = [&sorte](int n) { return int(sorte() % unsigned(n)); };
        // A subscriber of its own for each sequence: started on 16/03/2008 (03/08 is a share of
        // the fee), on vacation 10 to 19/05/2008.
        const QString nome = QStringLiteral("Cliente %1").arg(semente);
        mensalista(int(semente), nome, "2008-03-16", false, "2008-05-10", "2008-05-19");
        amb.plataforma.impressoraFalsa.impressoes.clear();
        amb.ctx.estado.numero_caixa = 1;
        amb.ctx.estado.impressora = "LPT1";
        amb.ctx.estado.bobina = 40;
        amb.plataforma.aoPerguntar = [&] { amb.plataforma.responde({um(2) == 0}); };
        JanelaPagamento pag(amb.ctx);
        pag.men->setCurrentIndex(pag.men->findText(nome));
        pag.Command1_Click();
        // The edits weigh more than reloading the subscriber; paying comes often.
        const int acoes[] = {0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 4, 4, 4, 4, 5};
        for (int passo = 0; passo < 30; ++passo) {
            switch (acoes[um(20)]) {
            case 0:
                pag.mes->setText(meses[um(8)]);
                pag.mes_LostFocus();
                break;
            case 1:
                pag.des->setText(valores[um(17)]);
                pag.des_LostFocus();
                break;
            case 2:
                pag.adi->setText(valores[um(17)]);
                pag.adi_LostFocus();
                break;
            case 3:
                pag.grid2_Click(1 + um(pag.grid2->rowCount()));
                break;
            case 4: {
                amb.plataforma.mensagens.clear();
                const int antes = amb.conta("pagamento_mensalidade");
                pag.Command2_Click();
                pagos += amb.conta("pagamento_mensalidade") - antes;
                for (const auto& m : amb.plataforma.mensagens)
                    if (m.texto.startsWith("O desconto (")) ++negativosRecusados;
                break;
            }
            default:
                pag.Command1_Click();
                break;
            }
            ASSERT_EQ(amb.linha("SELECT count(*) FROM pagamento_mensalidade WHERE valor < 0 OR "
                                "desconto < 0 OR adicional < 0"),
                      QStringList{"0"});
            ASSERT_EQ(amb.linha("SELECT count(*) FROM mensalidades WHERE valor < 0"), QStringList{"0"});
            // Nor is an amount below zero ever shown.
            ASSERT_FALSE(pag.valor->text().startsWith(u'-')) << pag.valor->text().toStdString();
        }
        for (const auto& impressao : amb.plataforma.impressoraFalsa.impressoes)
            EXPECT_FALSE(impressao.bytes.contains(": -")) << impressao.bytes.constData();
    }
    // The sequences paid months and met discounts that no longer fitted.
    EXPECT_GT(pagos, 50);
    EXPECT_GT(negativosRecusados, 10);
}

}  // namespace
