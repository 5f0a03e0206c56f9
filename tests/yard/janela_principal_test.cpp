#include "support/mostra_inteiro.h"
#include "support/pista_janela.h"

#include "app/imprime_bobina.h"
#include "data/datas.h"
#include "yard/acerto_relogio.h"
#include "yard/proximo_ticket.h"
#include "yard/tarifas/tarifas_teste.h"

#include <QFocusEvent>
#include <QGuiApplication>
#include <QHeaderView>

using JanelaPrincipalTest = PistaTest;

TEST_F(JanelaPrincipalTest, AtalhosSoComCaixaAbertoEProximoTicket) {
    QTest::keyClick(janela.pla, Qt::Key_F4);
    EXPECT_FALSE(janela.Option2->isChecked());
    abreCaixa();
    janela.Option1->setChecked(true);
    EXPECT_EQ(janela.tic->displayText(), "1         ");
    amb.db().executa("INSERT INTO gera_ticket (ticket) VALUES (41)");
    janela.pla->setText("ABC1234");
    QTest::keyClick(janela.pla, Qt::Key_F2);   // F2 in entry mode prepares the next vehicle again
    EXPECT_EQ((QStringList{janela.tic->displayText(), janela.pla->displayText()}),
              (QStringList{"42        ", kPlacaVazia}));

    QTest::keyClick(janela.pla, Qt::Key_F4);
    EXPECT_TRUE(janela.Option2->isChecked());
    // Esc clears the fields and the payment kind but keeps exit mode.
    marcaOpcao(janela.Option7, true);
    // A click on the mode or the kind already chosen keeps it: the lane's two choices stand apart.
    for (QRadioButton* o : std::initializer_list<QRadioButton*>{janela.Option2, janela.Option7}) {
        o->click();
        EXPECT_TRUE(janela.Option2->isChecked() && janela.Option7->isChecked()) << o->objectName().toStdString();
    }
    for (QLineEdit* c : {janela.tot, janela.dat_ent}) c->setText("1");
    janela.Check1->setChecked(true);
    QTest::keyClick(janela.tic, Qt::Key_Escape);
    EXPECT_TRUE(janela.Option2->isChecked());
    EXPECT_FALSE(janela.Option7->isChecked() || janela.Check1->isChecked());
    EXPECT_TRUE(janela.tot->text().isEmpty() && janela.dat_ent->text().isEmpty());
}

// Near the end of the ticket numbers the preview shows only numbers that can be given, and a
// notice, which keeps the keyboard on the lane, warns; once closed it comes back only when a
// tenth of what was left remains, and at the end.
TEST_F(JanelaPrincipalTest, ProximoTicketPertoDoFimDaNumeracao) {
    abreCaixa();
    const struct { qint64 ultimo; const char* tic; bool avisa; } casos[] = {
        {2147383646, "2147383647", false}, {2147483600, "2147483601", true},
        {2147483601, "2147483602", false}, {2147483640, "2147483641", true},
        {2147483647, "          ", true},  {2147483647, "          ", false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.ultimo);
        amb.db().executa("INSERT OR IGNORE INTO gera_ticket (ticket) VALUES (?)", {c.ultimo});
        QTest::keyClick(janela.pla, Qt::Key_F2);
        EXPECT_EQ(janela.tic->displayText(), c.tic);
        EXPECT_EQ(amb.plataforma.textosAvisos(),
                  c.avisa ? QStringList{proximo_ticket(c.ultimo).aviso} : QStringList{});
        EXPECT_EQ(janela.focusWidget(), janela.pla);
        amb.plataforma.fechaAvisos();
    }
}

TEST_F(JanelaPrincipalTest, ListaDePatioContadoresEOrdem) {
    const auto contadores = [&] {
        janela.atualiza_lista_patio();
        return QStringList{janela.total->text(), janela.tot_avu->text(), janela.tot_men->text()};
    };
    EXPECT_EQ(contadores(), (QStringList{"Nenhum", "Nenhum", "Nenhum"}));
    estaciona(amb, "BBB-0002", 2, 7);
    EXPECT_EQ(contadores(), (QStringList{"1 Veículo", "1 Veículo", "Nenhum"}));
    estaciona(amb, "AAA-0001", 1, 2);
    estaciona(amb, "ZZZ-0009", 3);
    for (auto [placa, codigo] : {std::pair{"MMM-0002", 5}, {"MMM-0001", 5}, {"MMM-0003", 6}})
        estaciona(amb, placa, {}, {}, codigo);
    EXPECT_EQ(contadores(), (QStringList{"6 Veículos", "3 Veículos", "3 Veículos"}));
    QStringList placas;
    for (int i = 0; i < janela.grid1->rowCount(); ++i) placas << janela.grid1->texto(i, 1);
    EXPECT_EQ(placas, (QStringList{"MMM-0001", "MMM-0002", "MMM-0003", "ZZZ-0009", "AAA-0001", "BBB-0002"}));
    EXPECT_EQ((QStringList{janela.grid1->texto(4, 0), janela.grid1->texto(4, 2),
                           janela.grid1->texto(4, 3)}), (QStringList{"2", "07/12/26", "08:30:00"}));
}

// Entries and exits update the list in place, at the place a full reading gives; a row the list
// does not hold, or a table changed by another program, makes it read the table again.
TEST_F(JanelaPrincipalTest, ListaDePatioMudaNoLugarAoEntrarESair) {
    for (auto [placa, prisma] : {std::pair{"CCC-0003", 4}, {"AAA-0001", 4}, {"EEE-0005", 9}})
        estaciona(amb, placa, 1, prisma);
    estaciona(amb, "MMM-0001", {}, {}, 5);
    janela.atualiza_lista_patio();
    const auto lista = [&] {
        // The view's rows follow the list's, each of them laid out.
        EXPECT_EQ(janela.grid1->verticalHeader()->count(), janela.grid1->rowCount());
        const int ultima = janela.grid1->rowCount() - 1;
        if (ultima >= 0) {
            EXPECT_EQ(janela.grid1->rowViewportPosition(ultima), ultima * janela.grid1->rowHeight(0));
        }
        QStringList r;
        for (int i = 0; i < janela.grid1->rowCount(); ++i) r << janela.grid1->texto(i, 1);
        return r << janela.total->text() + "/" + janela.tot_avu->text() + "/" + janela.tot_men->text();
    };
    const auto linha = [&](const char* placa) {
        return amb.db().valor("SELECT rowid FROM veiculos_patio WHERE placa = ?", {placa}).toLongLong();
    };
    // The exit of a row in the middle, then an entry between two others.
    const qint64 c = linha("CCC-0003");
    amb.db().executa("DELETE FROM veiculos_patio WHERE rowid = ?", {c});
    janela.saiuDoPatio(c);
    EXPECT_EQ(lista(), (QStringList{"MMM-0001", "AAA-0001", "EEE-0005", "3 Veículos/2 Veículos/1 Veículo"}));
    estaciona(amb, "BBB-0002", 2, 4);
    janela.entrouNoPatio(linha("BBB-0002"));
    EXPECT_EQ(lista(), (QStringList{"MMM-0001", "AAA-0001", "BBB-0002", "EEE-0005",
                                    "4 Veículos/3 Veículos/1 Veículo"}));
    // A row the list never held: read again, so the one added behind its back shows too.
    estaciona(amb, "DDD-0004", 3, 1);
    const qint64 d = linha("DDD-0004");
    amb.db().executa("DELETE FROM veiculos_patio WHERE rowid = ?", {linha("AAA-0001")});
    janela.saiuDoPatio(d + 1000);
    EXPECT_EQ(lista(), (QStringList{"MMM-0001", "DDD-0004", "BBB-0002", "EEE-0005",
                                    "4 Veículos/3 Veículos/1 Veículo"}));
    // Another program deletes a row: the next exit reads the whole table.
    Banco outro;
    outro.abre(amb.db().caminho(), Banco::kSenha);
    outro.executa("DELETE FROM veiculos_patio WHERE placa = 'MMM-0001'");
    amb.db().executa("DELETE FROM veiculos_patio WHERE rowid = ?", {d});
    janela.saiuDoPatio(d);
    EXPECT_EQ(lista(), (QStringList{"BBB-0002", "EEE-0005", "2 Veículos/2 Veículos/Nenhum"}));
    outro.fecha();
    // The yard emptied, then a car again.
    for (const char* placa : {"EEE-0005", "BBB-0002"}) {
        const qint64 id = linha(placa);
        amb.db().executa("DELETE FROM veiculos_patio WHERE rowid = ?", {id});
        janela.saiuDoPatio(id);
    }
    EXPECT_EQ(lista(), (QStringList{"Nenhum/Nenhum/Nenhum"}));
    estaciona(amb, "FFF-0006", 5, 2);
    janela.entrouNoPatio(linha("FFF-0006"));
    EXPECT_EQ(lista(), (QStringList{"FFF-0006", "1 Veículo/1 Veículo/Nenhum"}));
}

TEST_F(JanelaPrincipalTest, RelogioRegistraMudancasComCaixaAberto) {
    Estado& e = amb.ctx.estado;
    const QDate hoje(2026, 12, 7), amanha = hoje.addDays(1);
    const struct { int caixa; QTime programa; QDateTime computador; int horarios, datas;
                   QTime horaDepois; int ajusteTick; } casos[] = {
        {0, QTime(10, 0), {hoje, QTime(10, 5)}, 0, 0, QTime(10, 5), -1},   // a jump, no register: unrecorded
        {1, QTime(10, 0), {hoje, QTime(10, 0, 30)}, 0, 0, QTime(10, 0, 30), -1},   // exactly 30 s
        {1, QTime(10, 0), {hoje, QTime(10, 0, 0, 800)}, 0, 0, QTime(10, 0), 0},    // within 1 s
        {1, QTime(10, 0, 2), {hoje, QTime(10, 0)}, 0, 0, QTime(10, 0), +1},        // ran fast
        {1, QTime(10, 0), {amanha, QTime(10, 0)}, 0, 1, QTime(10, 0), 0},          // date changed
        {1, QTime(0, 1), {amanha, QTime(0, 1)}, 0, 0, QTime(0, 1), 0},   // midnight passed
        {1, QTime(20, 0), {hoje, QTime(7, 0)}, 1, 0, QTime(7, 0), +1},   // moved back 13 h
        {1, QTime(23, 59, 59), {amanha, QTime(0, 0, 0, 500)}, 0, 0, QTime(0, 0, 0, 500), -1},
        {1, QTime(10, 0), {amanha, QTime(10, 5)}, 1, 1, QTime(10, 5), -1},   // date and time
        {3, QTime(9, 0), {hoje, QTime(9, 10)}, 1, 0, QTime(9, 10), -1},   // a jump is recorded
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(&c - casos);
        amb.db().executa("DELETE FROM mudanca_horario");
        amb.db().executa("DELETE FROM mudanca_data");
        janela.Timer1->setInterval(985);
        e.numero_caixa = c.caixa;
        e.hora_atual = c.programa;
        e.data_atual = hoje;
        amb.plataforma.defineAgora(c.computador);
        janela.Timer2_Timer();
        EXPECT_EQ(std::pair(amb.conta("mudanca_horario"), amb.conta("mudanca_data")),
                  std::pair(c.horarios, c.datas));
        EXPECT_EQ(e.hora_atual, c.horaDepois);
        EXPECT_EQ(janela.Timer1->interval(), 985 + c.ajusteTick);
        EXPECT_EQ(e.data_atual, c.computador.date());
        EXPECT_EQ(dataDoBanco(amb.db().valor("SELECT data FROM data_hora")), c.computador.date());
    }

    // The record keeps the program time before the jump and the computer's time after it.
    EXPECT_EQ(amb.linha("SELECT hora, caixa, hora_apos FROM mudanca_horario"),
              (QStringList{"09:00:00", "3", "09:10:00"}));
}

// The program clock's date turns with its time: at 00:00:00 it is already the next day, and a
// step just across midnight, either clock ahead, records nothing and keeps one moment.
TEST_F(JanelaPrincipalTest, MeiaNoiteDataEHoraNoMesmoMomento) {
    Estado& e = amb.ctx.estado;
    const QDate hoje(2026, 12, 7), amanha = hoje.addDays(1);
    e.numero_caixa = 1;
    e.data_atual = hoje;
    e.hora_atual = QTime(23, 59, 59);
    janela.Timer1_Timer();
    EXPECT_EQ(QDateTime(e.data_atual, e.hora_atual), QDateTime(amanha, QTime(0, 0)));
    EXPECT_EQ(janela.paineis[1]->text(), "Data: 08/12/2026");

    // The program clock a second ahead of the computer's, which has not reached midnight yet.
    amb.plataforma.defineAgora({hoje, QTime(23, 59, 59, 200)});
    janela.Timer2_Timer();
    EXPECT_EQ(QDateTime(e.data_atual, e.hora_atual), QDateTime(hoje, QTime(23, 59, 59, 200)));
    amb.plataforma.defineAgora({amanha, QTime(0, 0, 0, 100)});   // 0.9 s: no correction
    janela.Timer2_Timer();
    EXPECT_EQ(QDateTime(e.data_atual, e.hora_atual), QDateTime(amanha, QTime(0, 0, 0, 100)));
    EXPECT_EQ(amb.conta("mudanca_data") + amb.conta("mudanca_horario"), 0);
    EXPECT_EQ(amb.linha("SELECT data, hora FROM data_hora"), (QStringList{"2026-12-08", "00:00:00"}));
}

TEST(AcertoRelogio, UmMomentoDeDataEHora) {
    const QDate d(2026, 12, 7);
    const struct {
        QDate data; QTime hora; QDateTime agora;
        QDateTime depois; int tick; bool salto, mudancaData;
    } casos[] = {
        {d, QTime(10, 0), {d, QTime(10, 0, 0, 900)}, {d, QTime(10, 0)}, 0, false, false},
        {d, QTime(20, 0), {d, QTime(7, 0)}, {d, QTime(7, 0)}, +1, true, false},   // moved back
        {d, QTime(7, 0), {d, QTime(20, 0)}, {d, QTime(20, 0)}, -1, true, false},
        // Midnight between the clocks: a second apart, not a day.
        {d.addDays(1), QTime(0, 0, 1), {d, QTime(23, 59, 59, 500)}, {d, QTime(23, 59, 59, 500)}, +1, false, false},
        {d, QTime(23, 59, 59), {d.addDays(1), QTime(0, 0, 0, 500)}, {d.addDays(1), QTime(0, 0, 0, 500)}, -1, false, false},
        // The date changed by hand, the time of day as it was: a date change, no jump.
        {d, QTime(10, 0), {d.addDays(1), QTime(10, 0)}, {d.addDays(1), QTime(10, 0)}, 0, false, true},
        {d, QTime(0, 1), {d.addDays(1), QTime(0, 1)}, {d.addDays(1), QTime(0, 1)}, 0, false, false},
        // The computer clock moved back 13 hours over midnight: the date and the time changed.
        {d, QTime(5, 0), {d.addDays(-1), QTime(16, 0)}, {d.addDays(-1), QTime(16, 0)}, -1, true, true},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(&c - casos);
        const AcertoRelogio a = acerta_relogio(c.data, c.hora, c.agora);
        EXPECT_EQ(QDateTime(a.data, a.hora), c.depois);
        EXPECT_EQ(a.ajusteTick, c.tick);
        EXPECT_EQ(a.saltoHorario, c.salto);
        EXPECT_EQ(a.mudancaData, c.mudancaData);
    }
}

TEST_F(JanelaPrincipalTest, BuscaNaSaidaPorTicketPlacaEPrisma) {
    abreCaixa();
    estaciona(amb, "ABC-1234", 17, 4, {}, "2026-12-06", "22:15:30");
    amb.db().executa("UPDATE veiculos_patio SET veiculo = 'Gol prata'");
    estaciona(amb, "MEN-0001", {}, {}, 9);
    amb.ctx.estado.data_atual = QDate(2026, 12, 7);
    amb.ctx.estado.hora_atual = QTime(9, 0, 5);
    janela.Option2->setChecked(true);
    janela.Option6->setEnabled(true);
    const auto mostrado = [&] {
        return QStringList{janela.tic->displayText(), janela.pla->displayText(), janela.dat_ent->text(),
                           janela.hor_ent->text(), janela.dat_sai->text(), janela.hor_sai->text(),
                           janela.vei->text()};
    };
    const QStringList gol{"17        ", "ABC-1234", "06/12/2026", "22:15:30", "07/12/2026", "09:00:05", "Gol prata"};
    janela.tic->setText("17");
    janela.tic_LostFocus();
    EXPECT_EQ(mostrado(), gol);
    janela.tic->setText("99");   // not in the yard: the ticket and the found data blanked
    janela.tic_LostFocus();
    EXPECT_EQ((QStringList{janela.tic->displayText(), janela.dat_ent->text(), janela.vei->text()}),
              (QStringList{kTicketVazio, "", ""}));

    janela.pla->setText("MEN0001");
    janela.pla_LostFocus();
    EXPECT_EQ((QStringList{janela.tic->displayText(), janela.hor_sai->text()}),
              (QStringList{kTicketMensalista, "09:00:05"}));
    EXPECT_TRUE(janela.Option6->isChecked());

    for (const char* pri : {"4", ""}) {   // by tag; an empty tag then clears nothing
        janela.pri->setText(pri);
        janela.pri_LostFocus();
        EXPECT_EQ(mostrado(), gol) << pri;
    }
}

TEST_F(JanelaPrincipalTest, ValorPagoETroco) {
    abreCaixa();
    janela.Option2->setChecked(true);
    const struct { const char *total, *digitado, *pago, *troco; } casos[] = {
        {"12,50", "20", "20,00", "7,50"},
        {"12,50", "10,5", "10,50", "0,00"},
        {"1.234,56", "1234,56", "1.234,56", "0,00"},
        {"ERRO", "20", "20,00", "anterior"},
        {"12,50", "abc", "", ""},
    };
    // Each total computed by the panel, as a day rate; "ERRO" without one.
    const std::pair<QLineEdit*, const char*> veiculo[] = {
        {janela.dat_ent, "07/12/2026"}, {janela.hor_ent, "08:00:00"},
        {janela.dat_sai, "07/12/2026"}, {janela.hor_sai, "09:00:00"}};
    marcaOpcao(janela.Option7, true);
    for (const auto& c : casos) {
        amb.db().executa("DELETE FROM diaria");
        if (Dinheiro::ler(c.total)) semeiaDiaria(amb.db(), 24, c.total);
        for (const auto& [campo, texto] : veiculo) campo->setText(texto);
        janela.calcula_total();
        janela.tro->setText("anterior");
        janela.val_pag->setText(c.digitado);
        janela.val_pag_LostFocus();
        EXPECT_EQ((QStringList{janela.val_pag->text(), janela.tro->text()}), (QStringList{c.pago, c.troco}));
    }
    QTest::keyClicks(janela.val_pag, "1a2.5");
    EXPECT_EQ(janela.val_pag->text(), "12,5");
}

// The amounts of the exit panel show whole up to the largest the program takes: the first
// digit at the field's left edge while the cursor stands after the last one.
TEST_F(JanelaPrincipalTest, ValoresDoPainelAparecemInteiros) {
    abreCaixa();
    janela.Option2->setChecked(true);
    janela.resize(janela.minimumSizeHint());
    QApplication::processEvents();
    const QString maior = QStringLiteral("99.999.999,99");
    for (QLineEdit* c : {janela.tot, janela.val_pag, janela.tro})
        EXPECT_TRUE(mostraInteiro(c, maior)) << c->objectName().toStdString();
}

// Closed from its title bar, the window ends the program as "Sair" does: asked first while
// printouts wait for the ticket printer, and kept open on "Não".
TEST_F(JanelaPrincipalTest, FecharPelaBarraDeTituloEComoSair) {
    amb.ctx.estado.impressora = QStringLiteral("LPT1");
    amb.plataforma.impressoraFalsa.segura = true;
    imprime_bobina(amb.ctx, Impresso::ComprovanteEntrada, "x\r\n");
    amb.plataforma.responde({false});
    janela.close();
    EXPECT_EQ(amb.plataforma.perguntas.size(), 1u);
    EXPECT_EQ(amb.plataforma.encerramentos, 0);
    EXPECT_TRUE(janela.isVisible());
    amb.plataforma.impressoraFalsa.libera();
    janela.close();
    EXPECT_EQ(amb.plataforma.perguntas.size(), 1u);
    EXPECT_EQ(amb.plataforma.encerramentos, 1);
}

// The read-only fields are no tab stops; Tab runs from the ticket through the lane fields to
// the chosen mode and the buttons.
TEST_F(JanelaPrincipalTest, OrdemDeTabulacaoSemCamposDeLeitura) {
    QStringList ordem;
    for (QWidget* w = janela.tic; ordem.size() < 27; w = w->nextInFocusChain())
        if (w->focusPolicy() & Qt::TabFocus && w->window() == &janela) ordem << w->objectName();
    EXPECT_EQ(ordem.mid(0, 7), (QStringList{"tic", "pla", "pri", "vei", "Option1", "Command5",
                                            "Command6"}));
    for (const char* leitura : {"dat_ent", "hor_ent", "dat_sai", "hor_sai", "tot", "tro"}) {
        EXPECT_FALSE(ordem.contains(leitura)) << leitura;
        EXPECT_FALSE(janela.findChild<QWidget*>(leitura)->focusPolicy() & Qt::TabFocus) << leitura;
    }
}

// F4 pressed in the plate field right after an entry, with a kind left chosen from an earlier
// exit: the focus stays on the ticket, where the next vehicle's number is typed.
TEST_F(JanelaPrincipalTest, F4NaPlacaDeixaOFocoNoTicket) {
    abreCaixa();
    janela.pri->setVisible(false);   // the plate's lookup then focuses the chosen kind
    janela.vei->setVisible(false);
    estaciona(amb, "ABC-1234", 17);
    janela.Option2->setChecked(true);
    marcaOpcao(janela.Option3, true);
    janela.Option1->setChecked(true);
    janela.pla->setFocus();
    QTest::keyClicks(janela.pla, "XYZ1234");
    QTest::keyClick(janela.pla, Qt::Key_F4);
    EXPECT_EQ(QApplication::focusWidget(), janela.tic);
    QTest::keyClicks(janela.tic, "17");
    QTest::keyClick(janela.tic, Qt::Key_Return);
    EXPECT_EQ(janela.pla->displayText(), "ABC-1234");
    EXPECT_TRUE(janela.val_pag->text().isEmpty() || janela.val_pag->text() == janela.tot->text());
}

// A click on the ticket field keeps the focus there: leaving the plate does not send it on to
// the payment kind chosen for the vehicle before.
TEST_F(JanelaPrincipalTest, CliqueNoTicketFicaNoTicket) {
    abreCaixa();
    janela.pri->setVisible(false);
    janela.vei->setVisible(false);
    estaciona(amb, "ABC-1234", 17);
    QTest::keyClick(janela.tic, Qt::Key_F4);
    marcaOpcao(janela.Option7, true);
    janela.pla->setFocus();
    QTest::mouseClick(janela.tic, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), janela.tic);
    janela.pla->setFocus();
    janela.tic->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), janela.Option7);
}

// Entry mode computes no fee: the plate of a subscriber in arrears, already parked, shows the
// vehicle and "Mensalista" without the exit's refusal.
TEST_F(JanelaPrincipalTest, EntradaNaoCalculaTarifa) {
    abreCaixa();
    janela.Option6->setEnabled(true);
    amb.db().executa("INSERT INTO mensalistas (codigo, nome) VALUES (9, 'Ana')");
    amb.db().executa("INSERT INTO mensalidades (codigo, pago) VALUES (9, 0)");
    estaciona(amb, "MEN-0001", {}, {}, 9);
    amb.db().executa("UPDATE veiculos_patio SET mensalista_pago = -2");
    janela.Option1->setChecked(true);
    QTest::keyClicks(janela.pla, "MEN0001");
    janela.pla_LostFocus();
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
    EXPECT_TRUE(janela.Option6->isChecked());
    EXPECT_TRUE(janela.tot->text().isEmpty());
    EXPECT_EQ(janela.hor_ent->text(), "08:30:00");
}

// The column widths the login sets stay as they are when the list is filled.
TEST_F(JanelaPrincipalTest, ListaMantemAsLargurasDasColunas) {
    for (int i = 0; i < 4; ++i) janela.grid1->setColumnWidth(i, 40 + i);
    estaciona(amb, "ABC-1234", 1234567890, 999);
    janela.atualiza_lista_patio();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(janela.grid1->columnWidth(i), 40 + i);
}

TEST_F(JanelaPrincipalTest, EnterMoveOFocoEAcionaOBotao) {
    abreCaixa();
    int entradas = 0;
    janela.registraEntrada = [&](const CamposEntrada&, bool imprime) {
        ResultadoPista r;
        r.registrado = !imprime && ++entradas;
        return r;
    };
    janela.pri->setVisible(false);
    janela.vei->setVisible(false);
    janela.Option1->setChecked(true);
    QTest::keyClick(janela.pla, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), janela.Command5);
    QTest::keyClick(janela.Command5, Qt::Key_Return);
    EXPECT_EQ(entradas, 1);
    EXPECT_EQ(QApplication::focusWidget(), janela.pla);   // ready for the next vehicle

    janela.Option2->setChecked(true);
    janela.Option3->setEnabled(false);
    janela.Option4->setEnabled(true);
    QTest::keyClick(janela.pla, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), janela.Option4);

    // The vehicle field shown but disabled at the exit: Enter in the plate goes on to the
    // payment kind, and the plate lookup runs on the way.
    estaciona(amb, "ABC-1234", 17);
    janela.vei->setVisible(true);
    QTest::keyClick(janela.pla, Qt::Key_F4);
    EXPECT_FALSE(janela.vei->isEnabled());
    janela.pla->setFocus();
    QApplication::processEvents();   // the field selects its text when it gets the focus
    QTest::keyClicks(janela.pla, "ABC1234");
    EXPECT_EQ(janela.pla->displayText(), "ABC-1234");
    QTest::keyClick(janela.pla, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), janela.Option4);
    EXPECT_EQ(janela.tic->displayText(), "17        ");
}

TEST_F(JanelaPrincipalTest, FocoLevadoPorOutraJanelaNaoBusca) {
    abreCaixa();
    estaciona(amb, "ABC-1234", 17);
    janela.Option2->setChecked(true);
    janela.tic->setText("17");
    QFocusEvent saidaPorJanela(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(janela.tic, &saidaPorJanela);
    EXPECT_EQ(janela.pla->displayText(), kPlacaVazia);
    QFocusEvent saidaPorTab(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(janela.tic, &saidaPorTab);
    EXPECT_EQ(janela.pla->displayText(), "ABC-1234");
}

TEST_F(JanelaPrincipalTest, FalhaDoRelogioAvisadaUmaVez) {
    amb.db().executa("DROP TABLE data_hora");
    for (int i = 0; i < 3; ++i) janela.passoDoRelogio();
    ASSERT_EQ(amb.plataforma.avisos.size(), 1u);   // a notice: the lane keeps the keyboard
    EXPECT_EQ(amb.plataforma.avisos[0].icone, Icone::Critico);
    amb.plataforma.fechaAvisos();
    amb.db().executa("CREATE TABLE data_hora (data TEXT, hora TEXT)");
    janela.passoDoRelogio();   // a step that works arms the notice again
    amb.db().executa("DROP TABLE data_hora");
    janela.passoDoRelogio();
    EXPECT_EQ(amb.plataforma.textosAvisos().size(), 1);
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
}

TEST_F(JanelaPrincipalTest, MensalistaClicadoNaListaEmModoEntrada) {
    abreCaixa();
    janela.Option6->setEnabled(true);
    estaciona(amb, "MEN-0001", {}, {}, 9);
    janela.atualiza_lista_patio();
    janela.Option1->setChecked(true);
    janela.grid1_Click(0);
    janela.Option6->setFocus();   // the focus leaves `tic` on its way to the payment kind
    EXPECT_TRUE(janela.Option2->isChecked() && janela.Option6->isChecked());
    EXPECT_EQ(janela.tic->displayText(), kTicketMensalista);
    EXPECT_EQ(janela.hor_ent->text(), "08:30:00");
    // F2 pressed on the check box is not the window's.
    QTest::keyClick(janela.Check1, Qt::Key_F2);
    EXPECT_TRUE(janela.Option2->isChecked());
}

// A handler that meets a failing database runs under the hourglass and tells, in Portuguese,
// what could not be done and that nothing was written.
TEST_F(JanelaPrincipalTest, AmpulhetaEMensagemDoQueNaoFoiFeito) {
    abreCaixa();
    amb.db().executa("DROP TABLE gera_ticket");
    int cursor = -1;
    amb.plataforma.aoMostrar = [&] {
        if (const QCursor* c = QGuiApplication::overrideCursor()) cursor = c->shape();
    };
    QTest::keyClick(janela.pla, Qt::Key_F2);
    ASSERT_EQ(amb.plataforma.mensagens.size(), 1u);
    EXPECT_TRUE(amb.plataforma.mensagens[0].texto.startsWith(
        "Não foi possível passar para a entrada de veículos. Nada foi gravado.\n"));
    EXPECT_EQ(amb.plataforma.mensagens[0].icone, Icone::Critico);
    EXPECT_EQ(cursor, Qt::WaitCursor);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// A click into the empty field that a mode has just given the focus: what is typed next is
// taken from the start of the field, not lost past the blanks of its mask.
TEST_F(JanelaPrincipalTest, CliqueNoCampoVazioComFocoNaoPerdeODigitado) {
    janela.show();
    QApplication::setActiveWindow(&janela);
    abreCaixa();
    const struct {
        QRadioButton* modo;
        QLineEdit* campo;
        const char* digitado;
        const char* esperado;
    } casos[] = {
        {janela.Option2, janela.tic, "123", "123       "},
        {janela.Option1, janela.pla, "ABC1234", "ABC-1234"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.digitado);
        QTest::mouseClick(c.modo, Qt::LeftButton);
        QApplication::processEvents();   // the operator clicks the field a moment later
        ASSERT_EQ(QApplication::focusWidget(), c.campo);
        QTest::mouseClick(c.campo, Qt::LeftButton, {}, c.campo->rect().center());
        QApplication::processEvents();
        QTest::keyClicks(c.campo, c.digitado);
        EXPECT_EQ(c.campo->displayText(), c.esperado);
    }
}
