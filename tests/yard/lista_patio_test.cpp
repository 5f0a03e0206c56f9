#include "yard/janela_lista_patio.h"
#include "programa/liga_pista.h"
#include "yard/lista_patio.h"

#include "support/bytes_bobina.h"
#include "support/pista_janela.h"

#include <QPointer>

namespace {

// Three vehicles, one without a tag; by tag then plate: the tagless one first.
void tresVeiculos(Ambiente& a) {
    estaciona(a, "XYZ-9876", 2, 12, {}, "2026-12-06", "09:05:00");
    estaciona(a, "ABC-1234", 1, {}, {}, "2026-12-07", "08:30:00");
    estaciona(a, "MNO-5555", {}, 7, 40, "2026-12-07", "14:35:12");
}

}  // namespace

TEST(ListaPatio, ImpressaoNosTresLeiautes) {
    Ambiente amb;
    tresVeiculos(amb);
    const QString r36(36, '-'), r40(40, '-'), r48(48, '-');
    const struct {
        int bobina, avanco;
        QStringList linhas;
    } casos[] = {
        {36, 0,
         {"          LISTA DE PATIO", "Pr.  Placa     Data Ent. Hora Ent.", r36,
          "     ABC-1234  07/12/26  08:30:00", "7    MNO-5555  07/12/26  14:35:12",
          "12   XYZ-9876  06/12/26  09:05:00", r36, "Total: 3 Veiculos"}},
        {40, 3,
         {"         LISTA DE PATIO", "Prisma  Placa     Data Ent.    Hora Ent.", r40,
          "        ABC-1234  07/12/2026   08:30:00", "7       MNO-5555  07/12/2026   14:35:12",
          "12      XYZ-9876  06/12/2026   09:05:00", r40, "Total: 3 Veiculos"}},
        // 48 columns and any other width: by plate alone.
        {0, 1,
         {"                LISTA DE PATIO", "Prisma   Placa      Data Entrada    Hora Entrada", r48,
          "         ABC-1234   07/12/2026      08:30:00", "7        MNO-5555   07/12/2026      14:35:12",
          "12       XYZ-9876   06/12/2026      09:05:00", r48, "Total: 3 Veiculos"}},
    };
    for (const auto& c : casos) {
        const auto veiculos = veiculos_no_patio(amb.db(), lista_por_placa(c.bobina));
        EXPECT_EQ(impressao_lista_patio(c.bobina, c.avanco, veiculos), bytes(c.linhas, c.avanco)) << c.bobina;
    }
    // Headings and vehicle lines as long as the layouts make them.
    EXPECT_EQ(QString("Prisma  Placa     Data Ent.    Hora Ent.").size(), 40);
    EXPECT_EQ(QString("     ABC-1234  07/12/26  08:30:00").size(), 33);
    EXPECT_EQ(QString("         ABC-1234   07/12/2026      08:30:00").size(), 44);
    // Tag then plate puts "12" after "7" as numbers, not as text.
    estaciona(amb, "AAA-0001", 3, 100, {}, "2026-12-07", "15:00:00");
    EXPECT_EQ(veiculos_no_patio(amb.db(), false).last().prisma, "100");
}

TEST(ListaPatio, UmVeiculoENenhum) {
    Ambiente amb;
    EXPECT_TRUE(impressao_lista_patio(36, 0, {}).endsWith(QByteArray(36, '-') + "\r\nTotal: 0 Veiculos\r\n"));
    estaciona(amb, "ABC-1234", 1);
    EXPECT_TRUE(impressao_lista_patio(36, 0, veiculos_no_patio(amb.db(), false)).endsWith("\r\nTotal: 1 Veiculo\r\n"));
    const std::pair<int, const char*> totais[] = {{0, "Nenhum Veículo"}, {1, "1 Veículo"}, {5, "5 Veículos"}};
    for (const auto& [n, texto] : totais) EXPECT_EQ(texto_total_patio(n), texto);
}

TEST_F(PistaTest, ListaDePatioPelaBarraListaEImprime) {
    ligaPista(amb.ctx, janela);
    tresVeiculos(amb);
    amb.ctx.estado.impressora = QStringLiteral("LPT1");
    amb.ctx.estado.bobina = 36;
    janela.botoes[3]->setEnabled(true);
    janela.botoes[3]->trigger();
    auto* lis = janela.findChild<JanelaListaPatio*>("lis");
    ASSERT_TRUE(lis && lis->isVisible());
    EXPECT_EQ(lis->windowTitle(), "Lista de Pátio");
    ASSERT_EQ(lis->grid1->rowCount(), 3);
    EXPECT_EQ(lis->grid1->item(0, 0)->text(), "");
    EXPECT_EQ(lis->grid1->item(2, 1)->text(), "XYZ-9876");
    EXPECT_EQ(lis->grid1->item(2, 2)->text(), "06/12/2026");
    EXPECT_EQ(lis->grid1->item(1, 3)->text(), "14:35:12");
    EXPECT_EQ(lis->total->text(), "3 Veículos");

    // A vehicle that leaves meanwhile is not printed, and the total counts what is printed.
    amb.db().executa("DELETE FROM veiculos_patio WHERE placa = 'XYZ-9876'");
    lis->Command1->click();
    auto& impressoes = amb.plataforma.impressoraFalsa.impressoes;
    ASSERT_EQ(impressoes.size(), 1u);
    EXPECT_TRUE(impressoes[0].bytes.endsWith("07/12/26  14:35:12\r\n" + QByteArray(36, '-') +
                                             "\r\nTotal: 2 Veiculos\r\n"));
    EXPECT_EQ(lis->grid1->rowCount(), 3);   // the window keeps what it loaded

    // Pressed again while open: the same window, not loaded again.
    janela.botoes[3]->trigger();
    EXPECT_EQ(janela.findChild<JanelaListaPatio*>("lis"), lis);
    EXPECT_EQ(lis->grid1->rowCount(), 3);

    // No ticket printer: "Imprimir" does nothing at all.
    amb.ctx.estado.impressora = QStringLiteral(" ");
    lis->Command1->click();
    EXPECT_EQ(impressoes.size(), 1u);
    EXPECT_TRUE(amb.plataforma.mensagens.empty());

    // "Fechar" destroys it; the next opening lists the yard afresh.
    QPointer<JanelaListaPatio> fechada = lis;
    lis->Command2->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(fechada.isNull());
    janela.botoes[3]->trigger();
    lis = janela.findChild<JanelaListaPatio*>("lis");
    ASSERT_TRUE(lis);
    EXPECT_EQ(lis->grid1->rowCount(), 2);
    lis->close();
}

TEST_F(PistaTest, ListaDePatioVaziaNaoImprime) {
    amb.ctx.estado.impressora = QStringLiteral("LPT1");
    JanelaListaPatio lis(amb.ctx);
    EXPECT_EQ(lis.total->text(), "Nenhum Veículo");
    EXPECT_EQ(lis.grid1->rowCount(), 0);
    EXPECT_FALSE(lis.Command1->isEnabled());
}

TEST_F(PistaTest, ListaDePatioPeloTeclado) {
    tresVeiculos(amb);
    amb.ctx.estado.impressora = QStringLiteral("LPT1");
    auto* lis = new JanelaListaPatio(amb.ctx, &janela);
    lis->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<JanelaListaPatio> aberta = lis;
    lis->show();
    QApplication::setActiveWindow(lis);
    lis->grid1->setFocus();
    // Tab leaves the list for "Imprimir", then "Fechar"; Enter on "Imprimir" prints.
    QTest::keyClick(lis->grid1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), lis->Command1);
    QTest::keyClick(lis->Command1, Qt::Key_Return);
    EXPECT_EQ(amb.plataforma.impressoraFalsa.impressoes.size(), 1u);
    QTest::keyClick(lis->Command1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), lis->Command2);
    // Esc closes it, from the list as from a button.
    lis->grid1->setFocus();
    QTest::keyClick(lis->grid1, Qt::Key_Escape);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(aberta.isNull());

    // Enter on "Fechar" closes it too.
    lis = new JanelaListaPatio(amb.ctx, &janela);
    lis->setAttribute(Qt::WA_DeleteOnClose);
    aberta = lis;
    lis->show();
    QApplication::setActiveWindow(lis);
    lis->Command2->setFocus();
    QTest::keyClick(lis->Command2, Qt::Key_Enter);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(aberta.isNull());
}
