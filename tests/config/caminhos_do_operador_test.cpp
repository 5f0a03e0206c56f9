// The subscriber and settings screens driven as a demanding operator drives them (mouse,
// keyboard, clipboard), with the rows read back: no payment below zero, no ticket number given
// twice, no amount turned into another, the row acted on is the one on screen.

#include "janela_config.h"
#include "reports/pagamentos.h"
#include "subscribers/consulta_mensalistas.h"
#include "subscribers/janela_mensalistas.h"
#include "subscribers/janela_pagamento.h"
#include "yard/janela_lista_patio.h"

#include <QClipboard>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>

#include <functional>

namespace {

// One operator's session: a branch "Centro" (1) and the type "Mensal" (1) of 100,00, a cash
// register open.
struct Sessao : SessaoOperador {
    Sessao() {
        amb.ctx.estado.numero_caixa = 1;
        amb.ctx.estado.impressora = "LPT1";
        amb.ctx.estado.bobina = 40;
        amb.ctx.estado.avanco_bobina = 0;
        amb.db().executa("INSERT INTO filiais (codigo, nome) VALUES (1, 'Centro')");
        amb.db().executa("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) "
                         "VALUES (1, 'Mensal', 1000000, 10)");
    }
    // A subscriber as the register saves one: fee 100,00, due on the 10th, of `filial`.
    void mensalista(int codigo, const char* nome, const char* inicio = "2026-11-20",
                    bool excluido = false, int filial = 1) {
        amb.db().executa("INSERT INTO mensalistas (codigo, nome, data_inicio, tipo, dia_vencto, "
                         "valor, filial, excluido, num_max_veic, tolerancia, rg, cpf, cnpj) VALUES "
                         "(?, ?, ?, 1, 10, 1000000, ?, ?, 1, 0, '123', '', '')",
                         {codigo, nome, inicio, filial, int(excluido)});
    }
    void veiculo(int codigo, const char* placa, int filial = 1) {
        amb.db().executa("INSERT INTO veiculos_mensalistas (codigo, veiculo, ano, placa, filial) "
                         "VALUES (?, 'Gol', '2020', ?, ?)",
                         {codigo, placa, filial});
    }
    void ativa(QWidget* w) {
        w->show();
        QApplication::setActiveWindow(w);
    }
    void digita(QWidget* campo, const char* texto) {
        campo->setFocus();
        QTest::keyClicks(campo, QString::fromUtf8(texto));
    }
    void enter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }
    void atalho(QWidget* w, Qt::Key k) { QTest::keyClick(w, k, Qt::ControlModifier); }
    QString focado() const {
        QWidget* w = QApplication::focusWidget();
        return w ? w->objectName() : QStringLiteral("nada");
    }
    QString entrada() { return proximaEntrada().trimmed(); }
    // The payment window over the subscriber `nome`, loaded with "OK".
    std::unique_ptr<JanelaPagamento> pagamento(const char* nome) {
        auto pag = std::make_unique<JanelaPagamento>(amb.ctx);
        ativa(pag.get());
        pag->men->setCurrentIndex(pag->men->findText(nome));
        QTest::mouseClick(pag->Command1, Qt::LeftButton);
        return pag;
    }
    // The lookup opened from the register, the subscriber of code `codigo` typed and Enter.
    void consultaPorCodigo(JanelaMensalistas& men, const char* codigo) {
        men.Command5_Click();
        auto* cons = men.findChild<ConsultaMensalistas*>("cons_men");
        ativa(cons);
        digita(cons->codigo, codigo);
        enter(cons->codigo);
        QApplication::setActiveWindow(&men);
    }
    // The tab "Escrit/Pista": the entry and the number chosen, "Gravar" and Yes.
    void gravaFilial(const char* esc, const char* fil) {
        mostraAba(con->escritorio->esc);
        con->escritorio->esc->setCurrentText(esc);
        con->escritorio->fil->setText(fil);
        amb.plataforma.responde({true});
        clica(con->escritorio->Command23);
    }
    QString pagamentos() {
        return valor("SELECT count(*) || ' ' || coalesce(group_concat(valor || '/' || desconto || '/' "
                     "|| adicional, ' '), '') FROM pagamento_mensalidade");
    }
};

TEST(CaminhosDoOperador, LinhasGravadasSaoAsEscolhidas) {
    const struct {
        const char* caminho;
        std::function<QString(Sessao&)> faz;   // what the operator does; what is then seen
        QString visto;
    } casos[] = {
        {"desconto dado em 01/27, mês trocado para 11/26 (proporcional), Enter, Enter",
         [](Sessao& s) {
             s.mensalista(1, "Ana");
             auto pag = s.pagamento("Ana");
             s.digita(pag->mes, "0127");
             s.digita(pag->des, "50");
             s.digita(pag->mes, "1126");
             s.enter(pag->mes);
             const QString mostrado = pag->valor->text();
             s.enter(pag->Command2);
             const QString recusa = s.mensagens() + " [" + s.focado() + "] " + s.pagamentos();
             // Corrected, the payment goes through with what the window shows.
             s.amb.plataforma.mensagens.clear();
             QTest::keyClicks(pag->des, "10");
             s.enter(pag->des);
             QTest::mouseClick(pag->Command2, Qt::LeftButton);
             return mostrado + " / " + recusa + " / " + pag->valor->text() + " " + s.pagamentos();
         },
         // No amount below zero is shown: none stands until the discount is corrected.
         " / O desconto (50,00) é maior que o valor da mensalidade (36,67). Corrija o "
         "desconto. [des] 0  / 26,67 1 266700/100000/0"},
        {"adicional 50, desconto 80, adicional 0",
         [](Sessao& s) {
             s.mensalista(1, "Ana");
             auto pag = s.pagamento("Ana");
             s.digita(pag->mes, "1126");
             s.digita(pag->adi, "50");
             s.digita(pag->des, "80");
             s.digita(pag->adi, "0");
             s.digita(pag->mes, "");
             const QString mostrado = pag->valor->text();
             QTest::mouseClick(pag->Command2, Qt::LeftButton);
             return mostrado + " / " + s.mensagens() + " / " + s.pagamentos() +
                    QString::number(s.amb.plataforma.impressoraFalsa.impressoes.size());
         },
         " / O desconto (80,00) é maior que o valor da mensalidade (36,67). Corrija o "
         "desconto. / 0 0"},
        {"Geral aberta antes de três entradas, Alterar sem tocar no número",
         [](Sessao& s) {
             s.abre();
             const QString mostrado = s.con->geral->pro->texto().trimmed();
             for (int i = 0; i < 3; ++i) s.entrada();
             // They leave: their tickets are now stays that are over.
             s.amb.db().executa("INSERT INTO registro_saida (ticket, placa) SELECT ticket, placa FROM "
                                "veiculos_patio");
             s.amb.db().executa("DELETE FROM veiculos_patio");
             s.clica(s.con->geral->Command22);
             const QString primeira = s.mensagens() + " [" + s.con->geral->pro->texto().trimmed() + "]";
             s.entrada();
             // Typed below the tickets given: refused.
             s.digita(s.con->geral->pro, "2");
             s.clica(s.con->geral->Command22);
             return mostrado + " / " + primeira + " / " + s.mensagens() + " / " +
                    s.valor("SELECT group_concat(ticket) FROM (SELECT ticket FROM registro_saida "
                            "UNION ALL SELECT ticket FROM veiculos_patio ORDER BY ticket)");
         },
         "1 / Foram emitidos tickets desde que esta tela foi aberta: o próximo ticket já é 4. A "
         "numeração não foi alterada. [4] / Há veículo(s) estacionado(s) com ticket maior que 2! "
         "Não é possível alterar o valor do próximo ticket! / 1,2,3,4"},
        {"Próx. tic. 9999999999 e Alterar, então 2147483647",
         [](Sessao& s) {
             s.entrada();
             s.abre();
             s.mostraAba(s.con->geral->pro);
             s.digita(s.con->geral->pro, "9999999999");
             s.clica(s.con->geral->Command22);
             const QString recusa = s.mensagens() + " [" + s.con->geral->tic->texto().trimmed() + "]";
             s.digita(s.con->geral->pro, "2147483647");
             s.clica(s.con->geral->Command22);
             const QString caixa = s.con->geral->tic->texto().trimmed();
             const QString aceito = s.mensagens();
             const QString proxima = s.entrada();
             return recusa + " / " + aceito + " / " + caixa + " / " + proxima + " / " +
                    s.valor("SELECT group_concat(ticket) FROM gera_ticket");
         },
         "O valor máximo do ticket deve ser 2147483647. [1] / Alteração realizada com sucesso. / "
         "2147483646 / 2147483647 / 1,2147483646,2147483647"},
        {"Pista 3 antes de haver caixa, Escritório, Pista 4 (Sim), depois Pista 5",
         [](Sessao& s) {
             s.mensalista(1, "Ana", "2026-11-20", false, 3);
             s.veiculo(1, "ANA-0001", 3);
             s.amb.db().executa("INSERT INTO mensalidades (codigo, mes, pago, filial) "
                                "VALUES (1, '2026-11-01', 1, 3)");
             // An exit not yet stamped, and one received from branch 9 while this was the office.
             s.amb.db().executa("INSERT INTO registro_saida (ticket, filial) VALUES (1, NULL), (2, 9)");
             s.abre();
             s.gravaFilial("Pista", "03");
             s.gravaFilial("Escritório", "03");
             s.gravaFilial("Pista", "04");
             // A cash register opened meanwhile, as a lane does.
             s.amb.db().executa("INSERT INTO caixa (numero, filial) VALUES (1, 3)");
             s.gravaFilial("Pista", "05");
             return s.valor("SELECT (SELECT filial FROM mensalistas) || (SELECT filial FROM "
                            "mensalidades) || (SELECT filial FROM veiculos_mensalistas) || ' ' || "
                            "(SELECT group_concat(filial) FROM registro_saida) || ' ' || "
                            "(SELECT filial FROM caixa) || ' ' || (SELECT filial FROM geral)");
         },
         "555 5,9 5 5"},   // the exit merged from branch 9 keeps its branch
        {"Pista 3, Escritório e Pista 4 numa pista sem número, com Ana na Matriz e sua mensalidade paga",
         [](Sessao& s) {
             s.mensalista(1, "Ana");
             s.veiculo(1, "ANA-0001");
             auto pag = s.pagamento("Ana");
             s.digita(pag->mes, "1126");
             QTest::mouseClick(pag->Command2, Qt::LeftButton);
             // A month the lane wrote before its rows carried the subscriber's branch.
             s.amb.db().executa("INSERT INTO mensalidades (codigo, mes, pago) VALUES (1, '2026-12-01', 0)");
             s.abre();
             s.gravaFilial("Pista", "03");
             s.gravaFilial("Escritório", "03");
             s.gravaFilial("Pista", "04");
             return s.valor("SELECT (SELECT group_concat(quem.nome || ':' || pg.filial) FROM (" +
                            consultaPagamentos() + ") AS pg JOIN mensalistas AS quem ON quem.rowid "
                            "= pg.pagador) || ' / ' || (SELECT group_concat(filial, ' ') FROM (SELECT "
                            "filial FROM mensalistas UNION ALL SELECT filial FROM mensalidades UNION "
                            "ALL SELECT filial FROM veiculos_mensalistas))");
         },
         "Ana:1 / 1 1 1 1"},   // the fee keeps its payer and his branch; he keeps his months
        {"\"120.50\" colado em Valor Mensalidade e Inserir Mensalista",
         [](Sessao& s) {
             s.abre();
             AbaMensalistas* m = s.con->mensalistas;
             s.mostraAba(m->tip);
             QApplication::clipboard()->setText("120.50");
             s.digita(m->tip, "Ouro");
             m->valor->setFocus();
             s.atalho(m->valor, Qt::Key_A);
             s.atalho(m->valor, Qt::Key_V);
             const QString colado = m->valor->text();
             s.digita(m->dia, "10");
             s.clica(m->Command12);
             return colado + " / " + s.mensagens() + " / " +
                    s.valor("SELECT valor FROM tipos_mensalistas WHERE tipo = 'Ouro'");
         },
         "120,50 / Tipo Mensalista inserido com sucesso. / 1205000"},
        {"mensalidade de 15 algarismos e Alterar Mensalista",
         [](Sessao& s) {
             s.abre();
             AbaMensalistas* m = s.con->mensalistas;
             s.clicaItem(m->List3, "Mensal");
             s.digita(m->valor, "123456789012345");
             s.clica(m->Command15);
             return m->valor->text() + " / " + s.mensagens() + " [" + s.focado() + "] " +
                    s.valor("SELECT valor FROM tipos_mensalistas");
         },
         "123456789012345 / Valor acima do máximo permitido (99.999.999,99). [valor] 1000000"},
        {"\"120.50\" colado no Valor do cadastro e Gravar",
         [](Sessao& s) {
             JanelaMensalistas men(s.amb.ctx, &s.principal);
             s.ativa(&men);
             s.digita(men.nom, "Bia");
             s.digita(men.rg, "55");
             men.tip->setCurrentIndex(1);
             men.fil->setCurrentIndex(1);
             s.digita(men.num, "1");
             s.digita(men.vei, "Gol");
             men.pla->setText("BIA-0001");
             QTest::mouseClick(men.Command6, Qt::LeftButton);
             QApplication::clipboard()->setText("120.50");
             men.valor->setFocus();
             s.atalho(men.valor, Qt::Key_A);
             s.atalho(men.valor, Qt::Key_V);
             s.amb.plataforma.mensagens.clear();
             QTest::mouseClick(men.Command2, Qt::LeftButton);
             return s.mensagens() + " / " + s.valor("SELECT valor FROM mensalistas");
         },
         "Dados gravados com sucesso. / 1205000"},
        {"tipo renomeado para o nome de outro em outra caixa",
         [](Sessao& s) {
             s.amb.db().executa("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) "
                                "VALUES (2, 'Anual', 0, 1)");
             s.abre();
             AbaMensalistas* m = s.con->mensalistas;
             s.clicaItem(m->List3, "Anual");
             m->tip->setText("MENSAL");
             s.clica(m->Command15);
             const QString recusa = s.mensagens();
             s.clicaItem(m->List3, "Mensal");
             s.clica(m->Command13);
             return recusa + " / " +
                    s.valor("SELECT group_concat(codigo || '=' || tipo) FROM tipos_mensalistas");
         },
         "Tipo Mensalista já existente. / 2=Anual"},
        {"dois tipos já gravados com o mesmo nome: Excluir age no destacado",
         [](Sessao& s) {
             s.amb.db().executa("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) "
                                "VALUES (2, 'mensal', 500000, 5)");
             s.abre();
             AbaMensalistas* m = s.con->mensalistas;
             s.mostraAba(m->List3);
             QListWidget* l = m->List3;
             QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, l->visualItemRect(l->item(1)).center());
             const QString carregado = m->cod->text() + " " + m->valor->text();
             s.clica(m->Command13);
             return carregado + " / " + s.valor("SELECT group_concat(codigo || '=' || tipo) FROM "
                                                "tipos_mensalistas");
         },
         "2 50,00 / 1=Mensal"},
        {"excluído carregado pelo código e gravado com a placa já de outro",
         [](Sessao& s) {
             s.mensalista(1, "Velho", "2026-01-05", true);
             s.veiculo(1, "ABC-1234");
             s.mensalista(2, "Novo");
             s.veiculo(2, "ABC-1234");
             JanelaMensalistas men(s.amb.ctx, &s.principal);
             s.ativa(&men);
             s.consultaPorCodigo(men, "1");
             const QString aviso = men.excluido->isVisibleTo(&men) ? men.excluido->text() : "nada";
             s.amb.plataforma.mensagens.clear();
             QTest::mouseClick(men.Command2, Qt::LeftButton);
             return aviso + " / " + s.mensagens() + " / " +
                    s.valor("SELECT group_concat(codigo || ':' || excluido) FROM mensalistas");
         },
         "MENSALISTA EXCLUÍDO / A placa ABC-1234 pertence ao mensalista com código 2 e não pode ser "
         "inserido novamente. / 1:1,2:0"},
        {"nome mudado na tela e Excluir",
         [](Sessao& s) {
             s.mensalista(1, "Ana");
             JanelaMensalistas men(s.amb.ctx, &s.principal);
             s.ativa(&men);
             s.consultaPorCodigo(men, "1");
             men.nom->setFocus();
             men.nom->selectAll();
             QTest::keyClicks(men.nom, "Ze");
             s.amb.plataforma.responde({false});
             QTest::mouseClick(men.Command4, Qt::LeftButton);
             return s.amb.plataforma.perguntas.join(" | ") + " / " +
                    s.valor("SELECT excluido FROM mensalistas");
         },
         "Tem certeza que deseja excluir o mensalista Ana? / 0"},
        {"pagamento: mensalista de filial não cadastrada depois de outro",
         [](Sessao& s) {
             s.mensalista(1, "Ana");
             s.mensalista(2, "Bia", "2026-11-20", false, 99);
             auto pag = s.pagamento("Ana");
             const QString primeiro = pag->fil->text();
             pag->men->setCurrentIndex(pag->men->findText("Bia"));
             QTest::mouseClick(pag->Command1, Qt::LeftButton);
             return primeiro + " / [" + pag->fil->text() + "]";
         },
         "Centro / []"},
        {"Esc na consulta",
         [](Sessao& s) {
             JanelaMensalistas men(s.amb.ctx, &s.principal);
             s.ativa(&men);
             men.Command5_Click();
             QPointer<ConsultaMensalistas> cons = men.findChild<ConsultaMensalistas*>("cons_men");
             s.ativa(cons);
             s.digita(cons->Text1, "a");
             QTest::keyClick(cons->Text1, Qt::Key_Escape);
             return QString(cons && cons->isVisible() ? "aberta" : "fechada");
         },
         "fechada"},
    };
    for (const auto& c : casos) {
        Sessao s;
        EXPECT_EQ(c.faz(s).toStdString(), c.visto.toStdString()) << c.caminho;
    }
}

// The subscriber register, open and active, kept among the windows of the case.
JanelaMensalistas* registro(Sessao& s, std::vector<std::unique_ptr<QWidget>>& janelas) {
    auto men = std::make_unique<JanelaMensalistas>(s.amb.ctx, &s.principal);
    s.ativa(men.get());
    janelas.push_back(std::move(men));
    return static_cast<JanelaMensalistas*>(janelas.back().get());
}

// Tab and Shift+Tab leave every grid for the controls around it, with rows in it or not.
TEST(CaminhosDoOperador, TabSaiDasGrades) {
    struct Grade {
        QTableWidget* grade;
        const char *antes, *depois;   // what Shift+Tab and Tab reach
    };
    const struct {
        const char* janela;
        std::function<Grade(Sessao&, std::vector<std::unique_ptr<QWidget>>&)> abre;
    } casos[] = {
        {"Turnos",
         [](Sessao& s, auto&) {
             s.amb.db().executa("INSERT INTO turnos (hora_inicial, hora_final, valor) VALUES "
                                "('08:00:00', '12:00:00', 50000)");
             s.abre();
             return Grade{s.con->turnos->grid_tur, "val_tur", "Command2"};
         }},
        {"Rotativo",
         [](Sessao& s, auto&) {
             s.abre();
             return Grade{s.con->rotativo->grid_rot, "Command9", "apo_cob"};
         }},
        {"Convênios",
         [](Sessao& s, auto&) {
             s.abre();
             s.con->convenios->Option3->setChecked(true);
             return Grade{s.con->convenios->grid_con, "Command3", "Option4"};
         }},
        {"histórico do pagamento",
         [](Sessao& s, auto& janelas) {
             s.mensalista(1, "Ana");
             s.amb.db().executa("INSERT INTO mensalidades (codigo, mes, pago) VALUES (1, '2026-11-01', 0)");
             auto pag = s.pagamento("Ana");
             QTableWidget* g = pag->grid2;
             janelas.push_back(std::move(pag));
             return Grade{g, "Command1", "mes"};
         }},
        {"veículos do cadastro",
         [](Sessao& s, auto& janelas) { return Grade{registro(s, janelas)->grid1, "Command8", "grid2"}; }},
        {"mensalidades do cadastro",
         [](Sessao& s, auto& janelas) { return Grade{registro(s, janelas)->grid2, "grid1", "Command9"}; }},
        {"Lista de Pátio",
         [](Sessao& s, auto& janelas) {
             s.entrada();
             auto lis = std::make_unique<JanelaListaPatio>(s.amb.ctx);
             s.ativa(lis.get());
             QTableWidget* g = lis->grid1;
             janelas.push_back(std::move(lis));
             return Grade{g, "Command2", "Command1"};
         }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.janela);
        Sessao s;
        std::vector<std::unique_ptr<QWidget>> janelas;
        const Grade g = c.abre(s, janelas);
        if (s.con) s.mostraAba(g.grade);
        if (g.grade->rowCount() > 0) g.grade->setCurrentCell(0, 0);
        g.grade->setFocus();
        QTest::keyClick(g.grade, Qt::Key_Tab);
        EXPECT_EQ(s.focado(), g.depois);
        g.grade->setFocus();
        QTest::keyClick(g.grade, Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(s.focado(), g.antes);
    }
}

}  // namespace
