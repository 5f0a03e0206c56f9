// The settings and subscriber screens as an operator uses them: the entry acted on is the one
// highlighted, numbers and amounts come out whole, and the rows written are the ones chosen.

#include "janela_config.h"
#include "data/dinheiro.h"
#include "subscribers/janela_mensalistas.h"
#include "subscribers/pagamento_mensalidade.h"
#include "yard/tarifas/tarifa.h"

#include <QClipboard>

#include <functional>

namespace {

using Sessao = SessaoOperador;

// The fee of a ten-day stay charged at a stored day rate of `valor`, or its refusal.
QString diariaDeDezDias(Sessao& s, Dinheiro valor) {
    s.amb.db().executa("INSERT INTO diaria (tempo, valor) VALUES (24, ?)", {valor.paraBanco()});
    PedidoTarifa p;
    p.modalidade = "D";
    p.dat_ent = "01/12/2026";
    p.hor_ent = "08:00:00";
    p.dat_sai = "10/12/2026";
    p.hor_sai = "09:00:00";
    const ResultadoTarifa r = calcula_total(s.amb.db(), p);
    return r.total ? r.total->formata() : r.mensagem;
}

TEST(EscolhaEValores, OQueOOperadorEscolheEValoresInteiros) {
    const struct {
        const char* falta;
        std::function<QString(Sessao&)> faz;   // what the operator does; what is then seen
        QString visto;
    } casos[] = {
        {"tipo descido com a seta e excluído",
         [](Sessao& s) {
             for (const char* t : {"Anual", "Mensal", "Novo"})
                 s.amb.db().executa("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) "
                                    "VALUES ((SELECT count(*) + 1 FROM tipos_mensalistas), ?, 0, 1)",
                                    {t});
             s.abre();
             s.clicaItem(s.con->mensalistas->List3, "Mensal");
             s.tecla(s.con->mensalistas->List3, Qt::Key_Down);
             const QString campos = s.con->mensalistas->tip->text();
             s.clica(s.con->mensalistas->Command13);
             return campos + " / " + s.valor("SELECT group_concat(tipo, ',') FROM tipos_mensalistas");
         },
         "Novo / Anual,Mensal"},
        {"convênio escolhido com End e excluído",
         [](Sessao& s) {
             for (const char* n : {"Alfa", "Beta", "Gama"})
                 s.amb.db().executa("INSERT INTO convenios (convenio, isento_fixo_variavel) VALUES (?, 'I')", {n});
             s.abre();
             s.clicaItem(s.con->convenios->List1, "Alfa");
             s.tecla(s.con->convenios->List1, Qt::Key_End);
             const QString campos = s.con->convenios->con->text();
             s.clica(s.con->convenios->Command16);
             return campos + " / " + s.valor("SELECT group_concat(convenio, ',') FROM convenios");
         },
         "Gama / Alfa,Beta"},
        {"veículo do registro escolhido com Ctrl+Home e removido",
         [](Sessao& s) {
             s.amb.db().executa("INSERT INTO filiais (codigo, nome) VALUES (1, 'Centro')");
             JanelaMensalistas men(s.amb.ctx, &s.principal);
             men.show();
             for (const char* p : {"AAA-1111", "BBB-2222", "CCC-3333"}) {
                 men.vei->setText("Gol");
                 men.pla->setText(p);
                 men.Command6_Click();
             }
             const int aposInserir = men.grid1->currentRow();
             s.tecla(men.grid1, Qt::Key_Home, Qt::ControlModifier);
             men.Command7_Click();
             QStringList r{QString::number(aposInserir)};
             for (int l = 1; l < men.linhasGrid1(); ++l) r << men.celula(men.grid1, l, 2);
             return r.join(',') + " atual " + QString::number(men.grid1->currentRow());
         },
         "2,BBB-2222,CCC-3333, atual 2"},
        {"próximo ticket 100000 mantido por Alterar",
         [](Sessao& s) {
             s.abre();
             s.con->geral->pro->setText("99999");
             s.clica(s.con->geral->Command22);
             const QString primeira = s.proximaEntrada();
             s.abre();
             const QString mostrado = s.con->geral->pro->texto();
             s.clica(s.con->geral->Command22);
             return primeira + "/" + mostrado + "/" + s.proximaEntrada();
         },
         "99999     /100000    /100000    "},
        {"diária negativa colada",
         [](Sessao& s) {
             s.abre();
             s.mostraAba(s.con->diaria->val_dia);
             QApplication::clipboard()->setText("-25,00");
             s.con->diaria->val_dia->setFocus();
             s.con->diaria->val_dia->paste();
             s.tecla(s.con->diaria->val_dia, Qt::Key_Insert, Qt::ShiftModifier);
             const QString campo = s.con->diaria->val_dia->text();
             s.con->diaria->tem_dia->setText("24");
             s.clica(s.con->diaria->Command18);
             return "[" + campo + "] " + s.mensagens() + " " + s.valor("SELECT count(*) FROM diaria");
         },
         "[] Valor da diária inválido. 0"},
        {"diária acima do que as contas comportam",
         [](Sessao& s) {
             s.abre();
             s.con->diaria->val_dia->setText("99999999999999");
             s.con->diaria->tem_dia->setText("24");
             s.clica(s.con->diaria->Command18);
             return s.mensagens() + " " + s.valor("SELECT count(*) FROM diaria");
         },
         "Valor acima do máximo permitido (99.999.999,99). 0"},
        {"diária guardada enorme numa estada de dez dias",
         [](Sessao& s) { return diariaDeDezDias(s, Dinheiro::reais(99999999999999)); },
         kMsgEstouroDinheiro},
        // No wrap here: the fee fits the type, but not what a backup of the site may hold.
        {"diária no máximo permitido numa estada de dez dias",
         [](Sessao& s) { return diariaDeDezDias(s, Dinheiro::maiorDigitado()); },
         kMsgEstouroDinheiro},
        {"primeiro mês de uma mensalidade enorme",
         [](Sessao&) { return proporcional(Dinheiro::reais(99999999999999), 30, 11).formata(); },
         "36.666.666.666.666,30"},
        {"mês do início depois de pago o seguinte",
         [](Sessao& s) {
             s.amb.db().executa("INSERT INTO mensalistas (codigo, nome, data_inicio, valor) "
                                "VALUES (1, 'Ana', '2026-11-20', 1000000)");
             s.amb.db().executa("INSERT INTO mensalidades (codigo, mes, pago) VALUES (1, '2026-12-01', 1)");
             const Dinheiro cem = Dinheiro::reais(100);
             return calcula_mensalidade(s.amb.db(), {1, {}}, QDate(2026, 11, 1), cem).formata();
         },
         "36,67"},
    };
    for (const auto& c : casos) {
        Sessao s;
        EXPECT_EQ(c.faz(s).toStdString(), c.visto.toStdString()) << c.falta;
    }
}

}  // namespace
