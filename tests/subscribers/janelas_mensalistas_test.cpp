#include "branches/arquivo_mensalistas.h"
#include "config/filial_config.h"
#include "branches/filiais_teste.h"
#include "subscribers/consulta_mensalistas.h"
#include "subscribers/janela_mensalistas.h"
#include "subscribers/janela_pagamento.h"
#include "subscribers/mensalistas_teste.h"
#include "subscribers/troca_codigo.h"
#include "subscribers/troca_codigo_dialogo.h"
#include "reports/pagamentos.h"
#include "support/janela_principal_teste.h"
#include "yard/entrada.h"
#include "yard/saida.h"
#include "yard/tarifas/tarifa.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

class JanelasMensalistas : public MensalistasTeste {
protected:
    void abreRegistro() {
        men = std::make_unique<JanelaMensalistas>(amb.ctx, &principal);
        men->show();
    }
    void digita(QLineEdit* campo, const QString& texto) {
        campo->setFocus();
        campo->selectAll();
        QTest::keyClicks(campo, texto);
    }
    void insere(const char* veiculo, const char* placa) {
        digita(men->vei, veiculo);
        men->pla->setText(placa);
        men->Command6_Click();
    }
    QStringList veiculos() {
        QStringList r;
        for (int l = 1; l < men->linhasGrid1(); ++l)
            r << men->celula(men->grid1, l, 0) + "|" + men->celula(men->grid1, l, 2);
        return r;
    }
    QString ultimaMensagem() {
        return amb.plataforma.mensagens.empty() ? QString() : amb.plataforma.mensagens.back().texto;
    }

    JanelaPrincipalTeste principal{amb.ctx};
    std::unique_ptr<JanelaMensalistas> men;
};

TEST_F(JanelasMensalistas, RegistroComDoisVeiculosGravaEExclui) {
    mensalista(1, "Bia");
    veiculo(1, "BIA-0001");
    principal.Option6->setEnabled(false);
    abreRegistro();
    EXPECT_EQ(men->fil->count(), 2);
    EXPECT_EQ(men->dat->displayText(), "16/03/2008");
    EXPECT_EQ(veiculos(), (QStringList{"|", "|"}));

    men->tip->setCurrentIndex(1);
    EXPECT_EQ(men->dia->displayText(), "10");
    EXPECT_EQ(men->valor->text(), "100,00");
    men->Combo1->setCurrentIndex(1);
    EXPECT_EQ(men->cpf->displayText(), "  .   .   /    -  ");
    men->Combo1->setCurrentIndex(0);
    digita(men->nom, "Ana d'Ávila");
    digita(men->rg, "123");
    men->ende->insert("Rua A, 10\r\nCentro\n");   // pasted: the field takes it in one line
    men->fil->setCurrentIndex(1);
    men->num->setText("2");
    men->checks[7]->setChecked(true);
    EXPECT_TRUE(men->checks[3]->isChecked());

    insere("Gol", "BIA-0001");
    EXPECT_EQ(ultimaMensagem(),
              "A placa BIA-0001 pertence ao mensalista com código 1 e não pode ser inserido novamente.");
    // A year typed after a click past the blanks of "Ano" goes in whole.
    QTest::mouseClick(men->ano, Qt::LeftButton, {}, QPoint(men->ano->width() - 4, men->ano->height() / 2));
    QTest::keyClicks(men->ano, "2005");
    insere("Gol", "abc-1234");
    EXPECT_EQ(men->celula(men->grid1, 1, 1), "2005");
    insere("Uno", "XYZ-9876");
    insere("Uno", "XYZ-9876");
    EXPECT_EQ(ultimaMensagem(), "Este veículo já foi inserido.");
    men->ano->setText("1899");
    insere("Fusca", "OLD-0001");
    EXPECT_EQ(ultimaMensagem(), "Ano do veículo inválido.");
    men->ano->setText("    ");
    EXPECT_EQ(veiculos(), (QStringList{"Gol|ABC-1234", "Uno|XYZ-9876"}));
    // Removing the first moves the second up and leaves an empty row at the end.
    men->defineLinhaAtualGrid1(1);
    men->Command7_Click();
    EXPECT_EQ(veiculos(), (QStringList{"Uno|XYZ-9876", "|"}));
    men->Command7_Click();
    EXPECT_EQ(ultimaMensagem(), "Linha em branco. Não pode ser removida.");
    insere("Gol", "ABC-1234");
    EXPECT_EQ(veiculos(), (QStringList{"Uno|XYZ-9876", "Gol|ABC-1234"}));

    men->Command2_Click();
    EXPECT_EQ(ultimaMensagem(), "Dados gravados com sucesso.");
    EXPECT_EQ(men->cod->text(), "2");
    EXPECT_TRUE(!principal.Option6->testAttribute(Qt::WA_ForceDisabled));
    EXPECT_EQ(amb.linha("SELECT nome, endereco, dom, sab, dia_vencto, valor FROM mensalistas WHERE codigo = 2"),
              (QStringList{"Ana d'Ávila", "Rua A, 10 Centro", "1", "1", "10", "1000000"}));
    EXPECT_EQ(amb.conta("veiculos_mensalistas"), 3);

    // The soft delete: Bia remains, so the "Mensalista" kind stays; then Bia goes too.
    amb.plataforma.responde({true});
    men->Command4_Click();
    EXPECT_EQ(ultimaMensagem(), "Mensalista excluído com sucesso.");
    EXPECT_EQ(men->cod->text(), "");
    EXPECT_EQ(amb.linha("SELECT excluido FROM mensalistas WHERE codigo = 2"), QStringList{"1"});
    EXPECT_EQ(amb.conta("veiculos_mensalistas"), 3);
    EXPECT_TRUE(!principal.Option6->testAttribute(Qt::WA_ForceDisabled));
    men->mostra_mensalista(*leFichaMensalista(db(), {1, 7}));
    amb.plataforma.responde({true});
    men->Command4_Click();
    EXPECT_EQ(amb.plataforma.perguntas.back(), "Tem certeza que deseja excluir o mensalista Bia?");
    EXPECT_FALSE(!principal.Option6->testAttribute(Qt::WA_ForceDisabled));
}

TEST_F(JanelasMensalistas, SemFilialNaoGrava) {
    db().executa("DELETE FROM filiais");
    abreRegistro();
    EXPECT_EQ(ultimaMensagem(), "Cadastre a(s) filial(is) e/ou matriz antes de cadastrar mensalistas.");
    EXPECT_FALSE(men->Command2->isEnabled());
    EXPECT_EQ(men->tip->count(), 0);
    // The window looks as usual all the same.
    EXPECT_EQ(men->celula(men->grid1, 0, 2), "Placa");
    EXPECT_EQ(men->celula(men->grid2, 0, 0), "Mês");
    EXPECT_EQ(men->cpf->displayText(), "   .   .   -  ");
    men->limpa_campos();   // must not fail on the empty lists
}

TEST_F(JanelasMensalistas, ConsultaPorNomeEPorCodigo) {
    mensalista(1, "Bruno");
    mensalista(2, "ana d'Ávila");
    mensalista(3, "Anabela");
    mensalista(4, "Apagado", "2008-01-01", true);
    veiculo(2, "ANA-0001");
    veiculo(2, "ANA-0002");
    mes(2, "2008-04-01", false);
    db().executa("INSERT INTO mensalidades (codigo, mes, pago, data_pgto, valor) "
                 "VALUES (2, '2008-03-01', 1, '2008-03-16', 51610)");
    db().executa("UPDATE mensalistas SET dia_vencto = 5, valor = 12345000, dom = 1, seg = 1, ter = 1, "
                 "qua = 1, qui = 1, sex = 1, sab = 1 WHERE codigo = 2");
    abreRegistro();
    men->Command5_Click();
    auto* cons = men->findChild<ConsultaMensalistas*>("cons_men");
    ASSERT_TRUE(cons);
    EXPECT_EQ(cons->List1->count(), 3);

    QTest::keyClicks(cons->Text1, "AN");
    EXPECT_EQ(cons->List1->currentRow(), 0);
    EXPECT_EQ(cons->cod->text(), "2");
    QTest::keyClicks(cons->Text1, "x");
    EXPECT_EQ(cons->cod->text(), "");
    cons->Command1_Click();
    EXPECT_EQ(ultimaMensagem(), "Selecione o mensalista a consultar.");
    cons->Text1->setText("anab");
    EXPECT_EQ(cons->cod->text(), "3");
    cons->Text1->setText("ana ");
    QTest::keyClick(cons->Text1, Qt::Key_Return);
    EXPECT_EQ(men->cod->text(), "2");
    EXPECT_EQ(men->nom->text(), "ana d'Ávila");
    EXPECT_EQ(men->tip->currentText(), "Mensal");
    EXPECT_EQ(men->dia->displayText(), "05");
    EXPECT_EQ(men->valor->text(), "1.234,50");
    EXPECT_EQ(men->fil->currentText(), "Centro");
    EXPECT_TRUE(men->checks[7]->isChecked());
    EXPECT_EQ(veiculos(), (QStringList{"Gol|ANA-0001", "Gol|ANA-0002"}));
    EXPECT_EQ(men->celula(men->grid2, 1, 0), "04/08");
    EXPECT_EQ(men->grid2->item(0, 0)->background().color(), QColor(255, 0, 0));
    EXPECT_EQ(men->celula(men->grid2, 2, 2), "05,16");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(men->findChild<ConsultaMensalistas*>("cons_men"));

    // By code: a deleted subscriber is found; an unknown code keeps the window open.
    men->Command5_Click();
    cons = men->findChild<ConsultaMensalistas*>("cons_men");
    cons->codigo->setText("99");
    cons->Command3_Click();
    EXPECT_EQ(ultimaMensagem(), "Mensalista não encontrado.");
    cons->codigo->setText("4");
    cons->Command3_Click();
    EXPECT_EQ(men->nom->text(), "Apagado");
    EXPECT_EQ(veiculos(), QStringList{});
}

TEST_F(JanelasMensalistas, TrocaDeCodigo) {
    mensalista(1, "Ana");
    mensalista(2, "Velho", "2008-01-01", true);
    veiculo(1, "ANA-0001");
    mes(1, "2008-03-01", true);
    const char* tabelas[][2] = {{"mensalistas", "codigo"},
                                {"mensalidades", "codigo"},
                                {"pagamento_mensalidade", "mensalista"},
                                {"registro_saida", "mensalista"},
                                {"veiculos_mensalistas", "codigo"},
                                {"veiculos_patio", "mensalista"}};
    db().executa("INSERT INTO pagamento_mensalidade (mensalista, mes) VALUES (1, '2008-03-01')");
    db().executa("INSERT INTO registro_saida (mensalista, placa) VALUES (1, 'ANA-0001')");
    db().executa("INSERT INTO veiculos_patio (mensalista, placa) VALUES (1, 'ANA-0001')");

    const struct {
        const char *atual, *novo, *mensagem;
    } recusas[] = {{"", "5", "Não é possível alterar o código."},
                   {"1", "1", "Não é possível alterar o código."},
                   {"1", "      ", "Não é possível alterar o código."},
                   {"1", "2", "Já existe mensalista cadastro com o código 2!"},
                   {"1", "001", "Já existe mensalista cadastro com o código 001!"},
                   {"1", "1 2", "O novo código deve ter apenas números, sem espaços."}};
    for (const auto& r : recusas) {
        const ResultadoTroca t = troca_codigo(db(), r.atual, 7, r.novo);
        EXPECT_FALSE(t.trocado);
        EXPECT_EQ(t.mensagem, QString::fromUtf8(r.mensagem));
        EXPECT_EQ(t.icone, Icone::Exclamacao);
    }
    // A table that cannot be written midway leaves every code as it was.
    db().executa("CREATE TRIGGER falha BEFORE UPDATE ON veiculos_patio "
                 "BEGIN SELECT RAISE(ABORT, 'disco cheio'); END");
    EXPECT_THROW(troca_codigo(db(), "1", 7, "7"), ErroBanco);
    EXPECT_EQ(amb.linha("SELECT count(*) FROM mensalistas WHERE codigo = 1"), QStringList{"1"});
    db().executa("DROP TRIGGER falha");

    const ResultadoTroca t = troca_codigo(db(), "1", 7, "  7 ");
    EXPECT_TRUE(t.trocado);
    EXPECT_EQ(t.novo, "7");
    for (const auto& [tabela, campo] : tabelas) {
        EXPECT_EQ(amb.linha(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = 7").arg(tabela, campo)),
                  QStringList{"1"})
            << tabela;
        EXPECT_EQ(amb.linha(QStringLiteral("SELECT count(*) FROM %1 WHERE %2 = 1").arg(tabela, campo)),
                  QStringList{"0"})
            << tabela;
    }
}

// What is stored of one subscriber, of its own branch: name, address, deleted; vehicles; months.
QString doMensalista(Banco& db, int codigo, const QVariant& filial) {
    return db.valor("SELECT nome || '|' || endereco || '|' || excluido || '|' || (SELECT "
                    "group_concat(placa) FROM veiculos_mensalistas v WHERE v.codigo = m.codigo AND "
                    "v.filial IS m.filial) || '|' || (SELECT group_concat(substr(mes, 1, 7) || '/' "
                    "|| pago || '/' || valor, ' ') FROM mensalidades d WHERE d.codigo = m.codigo "
                    "AND d.filial IS m.filial) FROM mensalistas m WHERE codigo = ? AND filial IS ?",
                    {codigo, filial})
        .toString();
}

// At an office two branches' subscribers share codes: each action reaches the subscriber chosen
// and writes its rows only, into what it becomes (nullptr: unchanged, "": gone); every other
// subscriber of the code stays as it was. One session, as the clerk goes on.
TEST_F(JanelasMensalistas, EscritorioAgeSoNoMensalistaDaFilial) {
    escritorioDeDuasFiliais(amb);
    abreRegistro();
    const auto consulta = [&] {
        men->Command5_Click();
        return men->findChild<ConsultaMensalistas*>("cons_men");
    };
    const auto trocaPara = [&](int codigo, const QVariant& filial) {
        men->mostra_mensalista(*leFichaMensalista(db(), {codigo, filial}));
        TrocaCodigoDialogo tro(amb.ctx, *men);
        tro.nov->setText("90");
        tro.Command1_Click();
        return ultimaMensagem();
    };
    // The office's own lanes, on a day of April (paid by all) unless told.
    ControleCancelas cancelas{amb.ctx, nullptr, nullptr};
    const auto naPista = [&](const char* placa, int dia = 12, int mes = 4) {
        amb.ctx.estado.data_atual = QDate(2026, mes, dia);
        amb.ctx.estado.hora_atual = QTime(10, 0);
        const ResultadoPista r = registra_entrada(amb.ctx, cancelas, {placa, "   ", ""});
        return r.mensagem.isEmpty() ? r.tic.trimmed() : r.mensagem;
    };
    // The car leaves as "Mensalista" at 20:00: its fee, and the subscriber its stay names.
    const auto saiMensalista = [&](const char* placa) {
        CamposSaida s;
        s.tic = kTicketMensalista;
        s.pla = placa;
        s.dat_ent = s.dat_sai = "12/04/2026";
        s.hor_ent = "10:00:00";
        s.hor_sai = "20:00:00";
        s.modalidade = "M";
        PedidoTarifa p = pedidoDaSaida(s);
        p.data_atual = QDate(2026, 4, 12);
        p.hora_atual = QTime(20, 0);
        const ResultadoTarifa t = calcula_total(db(), p);
        if (!t.total) return t.mensagem;
        s.val_pag = t.total->formata();
        s.calculo = TotalCalculado{*t.total, p, t.termos};
        registra_saida(amb.ctx, cancelas, s);
        return s.val_pag + " " + db().valor("SELECT mensalista || '/' || coalesce(filial, '-') FROM "
                                            "registro_saida ORDER BY rowid DESC LIMIT 1").toString();
    };
    QTemporaryDir disco;
    const struct {
        const char* caso;
        int codigo;
        QVariant filial;
        std::function<QString()> faz;
        const char *visto, *depois;
    } casos[] = {
        {"pagamento de Érico", 5, 2, [&] {
             JanelaPagamento pag(amb.ctx);
             pag.men->setCurrentIndex(pag.men->findText("Érico Simões"));
             pag.Command1_Click();
             const QString r = pag.fil->text() + " " + pag.valor->text() + " " +
                               QString::number(pag.grid2->rowCount());
             pag.mes->setText("05/26");
             pag.Command2_Click();
             return r;
         }, "Norte 150,00 1", "Érico Simões|Rua A|0|F2A-0005|2026-04/1/1500000 2026-05/1/1500000"},
        {"pista: Vítor, de dia inteiro, sai às 20:00; Érico só das 8:00 às 18:00", 5, 1, [&] {
             db().executa("UPDATE mensalistas SET hora_inicio = '08:00:00', hora_fim = '18:00:00' "
                          "WHERE codigo = 5 AND filial = 2");
             const QString entrada = naPista("F1A-0005");
             return entrada + " " + saiMensalista("F1A-0005");
         }, "0000000000 0,00 5/1", nullptr},
        {"pista: Vítor em 20 de maio, que Érico já pagou", 5, 1, [&] {
             const QString entrada = naPista("F1A-0005", 20, 5);
             return entrada + " " + ultimaMensagem() + " " +
                    db().valor("SELECT group_concat(filial || ':' || pago, ' ') FROM mensalidades "
                               "WHERE codigo = 5 AND mes = '2026-05-01'").toString();
         }, "0000000000 Mensalista Vítor Peçanha em atraso! 2:1 1:0", nullptr},
        {"consulta de Gisele pelo nome, e pelo código 12", 12, 2, [&] {
             ConsultaMensalistas* cons = consulta();
             cons->List1->setCurrentItem(cons->List1->findItems("Gisele Conceição", Qt::MatchExactly)[0]);
             cons->Command1_Click();
             const QString r = veiculos().join(",") + " " + QString::number(men->grid2->rowCount());
             men->Command1_Click();
             consulta()->codigo->setText("12");
             amb.plataforma.responde({false, true});
             consulta()->Command3_Click();
             return r + " " + amb.plataforma.perguntas.back() + " " + men->nom->text();
         }, "Gol|F2A-0012 1 O código 12 é de 2 mensalistas, de filiais diferentes. Consultar Gisele "
            "Conceição (filial Norte)? Gisele Conceição", nullptr},
        {"Gravar de Gisele", 12, 2, [&] {
             digita(men->ende, "Rua Nova, 12");
             men->Command2_Click();
             return ultimaMensagem();
         }, "Dados gravados com sucesso.", "Gisele Conceição|Rua Nova, 12|0|F2A-0012|2026-04/1/1500000"},
        {"nomes em Gisele: um da filial dela, um da filial 1", 12, 2, [&] {
             QStringList r;
             for (const char* nome : {"Rafael Dias", "Lúcia Prado", "Gisele Conceição"}) {
                 men->nom->setText(QString::fromUtf8(nome));
                 men->Command2_Click();
                 r << ultimaMensagem() + " " + doMensalista(db(), 12, 2).section(u'|', 0, 0);
             }
             return r.join(" / ");
         }, "Já existe mensalista com este nome! Gisele Conceição / Dados gravados com sucesso. "
            "Lúcia Prado / Dados gravados com sucesso. Gisele Conceição",
         "Gisele Conceição|Rua Nova, 12|0|F2A-0012|2026-04/1/1500000"},
        {"Excluir de Karina", 14, 1, [&] {
             men->mostra_mensalista(*leFichaMensalista(db(), {14, 1}));
             amb.plataforma.responde({true});
             men->Command4_Click();
             return ultimaMensagem();
         }, "Mensalista excluído com sucesso.", "Karina Lopes|Rua A|1|F1A-0014|2026-04/1/1500000"},
        {"pista: o carro de Karina, excluída, com Rafael ativo no código", 14, 1, [&] {
             const QString entrada = naPista("F1A-0014");
             return entrada + " " + amb.linha("SELECT mensalista FROM veiculos_patio WHERE placa = "
                                              "'F1A-0014'").join("");
         }, "1 NULL", nullptr},
        {"pista: Otávio e Xavier, do código 9, cada um na sua cota de um carro", 9, 2, [&] {
             const QString otavio = naPista("F2A-0009");
             return otavio + " " + naPista("F0A-0009");
         }, "0000000000 0000000000", nullptr},
        {"código de Lúcia, da filial 1", 9, 1, [&] { return trocaPara(9, 1); },
         "Este mensalista pertence à filial Centro (1): o código dele é o da filial e só pode ser "
         "trocado lá.", nullptr},
        {"código de Xavier, do escritório", 9, {}, [&] {
             const QString r = trocaPara(9, {});
             return r + " " + doMensalista(db(), 90, {});
         }, "Código alterado com sucesso! Xavier Escritório|Rua A|0|F0A-0009|2026-04/1/1500000", ""},
        {"pista: o carro de Otávio, depois da troca de Xavier", 9, 2, [&] {
             const QString patio = db().valor("SELECT group_concat(placa || ':' || mensalista, ' ') "
                                              "FROM (SELECT * FROM veiculos_patio WHERE placa LIKE "
                                              "'F_A-0009' ORDER BY placa)").toString();
             return patio + " " + saiMensalista("F2A-0009");
         }, "F0A-0009:90 F2A-0009:9 0,00 9/2", nullptr},
        {"arquivo da filial 2", 12, 2, [&] {
             gera_arquivo_mensalistas(db(), 2, disco.path(), 1 << 30);
             Banco arq;
             arq.abreLeitura(arquivo_mensalistas(disco.path()), Banco::kSenha);
             return arq.valor("SELECT group_concat(x, ' ') FROM (SELECT filial || ':' || codigo || "
                              "nome AS x FROM mensalistas UNION ALL SELECT filial || ':' || codigo || "
                              "placa FROM veiculos_mensalistas UNION ALL SELECT filial || ':' || "
                              "codigo || mes FROM mensalidades ORDER BY x)").toString();
         }, "2:122026-04-01 2:12F2A-0012 2:12Gisele Conceição 2:142026-04-01 2:14F2A-0014 "
            "2:14Rafael Dias 2:52026-04-01 2:52026-05-01 2:5F2A-0005 2:5Érico Simões 2:92026-04-01 "
            "2:9F2A-0009 2:9Otávio Araújo",
         nullptr},
        {"Pista 04 no escritório", 5, 2, [&] {
             qint16 carregada = 0;
             amb.plataforma.responde({true});
             grava_filial(amb.ctx, "Pista", "04", carregada);
             return db().valor("SELECT group_concat(quem.nome || ':' || pg.filial, ' ') FROM (" +
                               consultaPagamentos() + ") AS pg JOIN mensalistas AS quem ON "
                               "quem.rowid = pg.pagador").toString();
         }, "Érico Simões:2", nullptr},
    };
    const QVariant filiais[] = {QVariant(), 1, 2};
    for (const auto& c : casos) {
        QStringList antes;
        for (const QVariant& f : filiais) antes << doMensalista(db(), c.codigo, f);
        EXPECT_EQ(c.faz().toStdString(), c.visto) << c.caso;
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(doMensalista(db(), c.codigo, filiais[i]),
                      c.depois && filiais[i] == c.filial ? QString::fromUtf8(c.depois) : antes[i])
                << c.caso << " " << i;
    }
}

class JanelaPagamentoTeste : public JanelasMensalistas {
protected:
    JanelaPagamentoTeste() {
        mensalista(1, "Ana");
        mensalista(2, "Bia", "2008-01-01");
        amb.ctx.estado.numero_caixa = 4;
        amb.ctx.estado.impressora = "LPT1";
        amb.ctx.estado.bobina = 40;
        amb.ctx.estado.avanco_bobina = 1;
        pag = std::make_unique<JanelaPagamento>(amb.ctx);
        pag->show();
    }
    void escolhe(const char* nome, bool ok = true) {
        pag->men->setCurrentIndex(pag->men->findText(nome));
        if (ok) pag->Command1_Click();
    }
    void mesAPagar(const char* texto) {
        pag->mes->setText(texto);
        pag->mes_LostFocus();
    }
    void desconto(const char* des, const char* adi) {
        pag->des->setText(des);
        pag->des_LostFocus();
        pag->adi->setText(adi);
        pag->adi_LostFocus();
    }
    std::unique_ptr<JanelaPagamento> pag;
};

TEST_F(JanelaPagamentoTeste, DescontoEAdicionalSobreOValorDoMes) {
    escolhe("Ana");
    EXPECT_EQ(pag->tip->text(), "Mensal");
    EXPECT_EQ(pag->fil->text(), "Centro");
    EXPECT_EQ(pag->valor->text(), "100,00");
    mesAPagar("03/08");
    EXPECT_EQ(pag->valor->text(), "51,61");
    desconto("30", "0,00");
    EXPECT_EQ(pag->valor->text(), "21,61");
    desconto("0,00", "0,00");
    EXPECT_EQ(pag->valor->text(), "51,61");
    desconto("0,00", "10,5");
    EXPECT_EQ(pag->adi->text(), "10,50");
    EXPECT_EQ(pag->valor->text(), "62,11");
    desconto("120,00", "0,00");
    EXPECT_EQ(pag->des->text(), "0,00");
    EXPECT_EQ(pag->valor->text(), "51,61");
}

TEST_F(JanelaPagamentoTeste, OutroNomeSemOkNaoPaga) {
    escolhe("Ana");
    mesAPagar("03/08");
    escolhe("Bia", false);
    EXPECT_EQ(pag->valor->text(), "");
    pag->Command2_Click();
    EXPECT_EQ(ultimaMensagem(), "Clique em OK para carregar os dados do mensalista escolhido.");
    EXPECT_EQ(amb.conta("pagamento_mensalidade"), 0);
    escolhe(" ", false);
    pag->Command2_Click();
    EXPECT_EQ(ultimaMensagem(), "Escolha o mensalista.");
}

TEST_F(JanelaPagamentoTeste, PagaEImprimeDuasVias) {
    escolhe("Ana");
    mesAPagar("03/08");
    desconto("3,00", "10,00");
    amb.plataforma.responde({false});
    pag->Command2_Click();
    EXPECT_EQ(amb.conta("pagamento_mensalidade"), 0);
    EXPECT_EQ(pag->des->text(), "3,00");

    amb.plataforma.responde({true});
    pag->Command2_Click();
    EXPECT_EQ(pag->adi->text(), "7,00");
    EXPECT_EQ(amb.linha("SELECT valor, desconto, adicional, caixa FROM pagamento_mensalidade"),
              (QStringList{"586100", "0", "70000", "4"}));
    EXPECT_EQ(amb.linha("SELECT pago, valor, filial FROM mensalidades"),
              (QStringList{"1", "586100", "7"}));
    EXPECT_EQ(pag->grid2->item(0, 0)->text(), "03/08");
    EXPECT_EQ(pag->mes->displayText(), "  /  ");
    ASSERT_EQ(amb.plataforma.impressoraFalsa.impressoes.size(), 1u);
    const QByteArray bytes = amb.plataforma.impressoraFalsa.impressoes[0].bytes;
    EXPECT_EQ(amb.plataforma.impressoraFalsa.impressoes[0].porta, "LPT1");
    EXPECT_EQ(bytes.count("COMPROVANTE DE PGTO. DE MENSALIDADE"), 2);
    EXPECT_EQ(bytes.count("Total    : 58,61"), 2);

    // No device behind the port: told, nothing printed, the payment stands.
    amb.plataforma.impressoraFalsa.presenca = false;
    mesAPagar("04/08");
    pag->Command2_Click();
    EXPECT_EQ(ultimaMensagem(), "Não há impressora instalada.");
    EXPECT_EQ(amb.conta("pagamento_mensalidade"), 2);
}

}  // namespace
