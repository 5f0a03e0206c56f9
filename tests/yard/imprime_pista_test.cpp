#include "programa/liga_pista.h"

#include "devices/diario_fiscal.h"
#include "support/bytes_bobina.h"
#include "support/pista_janela.h"
#include "yard/comprovantes.h"

#include <QFile>

namespace {

// The lanes with a 40-column ticket printer on LPT1, tag and vehicle fields hidden.
class ImprimePistaTest : public PistaTest {
protected:
    ImprimePistaTest() {
        Estado& e = amb.ctx.estado;
        e.impressora = QStringLiteral("LPT1");
        e.bobina = 40;
        e.avanco_bobina = 2;
        e.linha1 = QStringLiteral("ESTACIONAMENTO CENTRAL");
        e.linha2 = QStringLiteral("Rua Direita, 10");
        e.penult_linha = QStringLiteral("Obrigado");
        e.ult_linha = QStringLiteral("Volte sempre");
        e.codigo_aliquota = QStringLiteral("FF");
        e.data_atual = QDate(2026, 12, 6);
        e.hora_atual = QTime(14, 35, 0);
        for (QWidget* w : std::initializer_list<QWidget*>{janela.pri, janela.Label12, janela.vei,
                                                          janela.LabelVeiculo})
            w->hide();
        ligaPista(amb.ctx, janela);
        abreCaixa(3);
    }
    std::vector<SaidaImpressoraFalsa::Impressao>& impressoes() {
        return amb.plataforma.impressoraFalsa.impressoes;
    }
    void entra(const char* placa) {
        janela.Option1->setChecked(true);
        janela.pla->setText(placa);
        janela.Command6->click();
    }
    // A vehicle parked on 06/12/2026 at 14:35:00, in the exit panel at 16:02:10 with its fee
    // computed by the panel: a day rate of 5,00.
    void preparaSaida() {
        estaciona(amb, "ABC-1234", 123, {}, {}, "2026-12-06", "14:35:00");
        amb.db().executa("INSERT INTO diaria (tempo, valor) VALUES (24, 50000)");
        janela.Option2->setChecked(true);
        const std::pair<QLineEdit*, const char*> campos[] = {
            {janela.tic, "123"}, {janela.pla, "ABC1234"}, {janela.dat_ent, "06/12/2026"},
            {janela.hor_ent, "14:35:00"}, {janela.dat_sai, "06/12/2026"}, {janela.hor_sai, "16:02:10"}};
        for (const auto& [campo, texto] : campos) campo->setText(texto);
        janela.calcula_total();
        janela.val_pag->setText("5,00");
    }
    const QStringList cabecalho{"ESTACIONAMENTO CENTRAL", "Rua Direita, 10", "", ""};
    const QStringList rodape{"Obrigado", "Volte sempre"};
};

}  // namespace

TEST_F(ImprimePistaTest, EntradaImprimeOComprovanteEPreparaAProxima) {
    entra("ABC1234");
    EXPECT_EQ(amb.conta("veiculos_patio"), 1);
    ASSERT_EQ(impressoes().size(), 1u);
    EXPECT_EQ(impressoes()[0].porta, "LPT1");
    EXPECT_EQ(impressoes()[0].bytes,
              bytes(cabecalho +
                        QStringList{"    COMPROVANTE DE ENTRADA (AVULSO)",
                                    "Ticket: 1           Data Ent.:06/12/2026",
                                    "Placa : ABC-1234    Hora Ent.:14:35:00"} +
                        rodape,
                    2));
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
    EXPECT_EQ(janela.pla->displayText(), kPlacaVazia);
    EXPECT_EQ(janela.tic->displayText(), "2         ");
    EXPECT_EQ(QApplication::focusWidget(), janela.pla);
}

TEST_F(ImprimePistaTest, EntradaSoComFiscalOuComPortaQueFalha) {
    // Only a fiscal printer: "Registrar e Imprimir" registers the entry and prints nothing.
    amb.ctx.estado.impressora = QStringLiteral(" ");
    amb.ctx.estado.impressora_fiscal = kModeloFiscal;
    janela.modoEntrada();
    EXPECT_TRUE(janela.Command6->isEnabled());
    entra("FIS1234");
    EXPECT_EQ(amb.conta("veiculos_patio"), 1);
    EXPECT_TRUE(impressoes().empty());
    EXPECT_EQ(janela.tic->displayText(), "2         ");

    // A port that fails: the vehicle stays parked, one message names the port.
    amb.ctx.estado.impressora = QStringLiteral("LPT2");
    amb.ctx.estado.impressora_fiscal = QStringLiteral(" ");
    janela.modoEntrada();
    amb.plataforma.impressoraFalsa.falha = QStringLiteral("Impressora desligada.");
    entra("XYZ9876");
    EXPECT_EQ(amb.conta("veiculos_patio"), 2);
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
    ASSERT_EQ(amb.plataforma.textosAvisos().size(), 1);
    EXPECT_TRUE(amb.plataforma.textosAvisos()[0].startsWith(
        "Não saíram na impressora da porta LPT2: 1 comprovante de entrada.\n\nImpressora desligada."));
    EXPECT_TRUE(amb.plataforma.fiscalFalsa.chamadas.isEmpty());
    EXPECT_EQ(janela.tic->displayText(), "3         ");

    // A refused entry prints nothing.
    amb.plataforma.impressoraFalsa.falha.clear();
    entra("XYZ9876");
    EXPECT_TRUE(impressoes().empty());
}

TEST_F(ImprimePistaTest, ImpressoraLentaNaoPrendeAPista) {
    // The printer holds its bytes back: each entry is stored and the lane is ready for the
    // next car at once; when the port is known to have failed, one message names it.
    amb.plataforma.impressoraFalsa.segura = true;
    entra("ABC1234");
    EXPECT_EQ(QApplication::focusWidget(), janela.pla);
    EXPECT_EQ(janela.tic->displayText(), "2         ");
    entra("XYZ9876");
    EXPECT_EQ(amb.conta("veiculos_patio"), 2);
    EXPECT_EQ(janela.tic->displayText(), "3         ");
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
    EXPECT_EQ(amb.plataforma.impressoraFalsa.retidas.size(), 2u);

    amb.plataforma.impressoraFalsa.libera(QStringLiteral("A impressora parou de receber os dados."));
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
    ASSERT_EQ(amb.plataforma.textosAvisos().size(), 1);
    EXPECT_TRUE(amb.plataforma.textosAvisos()[0].startsWith(
        "Não saíram na impressora da porta LPT1: 2 comprovantes de entrada."));
    EXPECT_EQ(amb.conta("veiculos_patio"), 2);
}

TEST_F(ImprimePistaTest, SaidaImprimeOComprovanteEPreparaAProxima) {
    preparaSaida();
    janela.Command7->click();
    EXPECT_EQ(amb.conta("veiculos_patio"), 0);
    EXPECT_EQ(amb.conta("registro_saida"), 1);
    ASSERT_EQ(impressoes().size(), 1u);
    EXPECT_EQ(impressoes()[0].bytes,
              bytes(cabecalho +
                        QStringList{"          COMPROVANTE DE SAIDA",
                                    "Ticket: 123               Placa:ABC-1234",
                                    "Data Entrada: 06/12/2026", "Hora Entrada: 14:35:00",
                                    "Data Saida  : 06/12/2026", "Hora Saida  : 16:02:10",
                                    "Permanencia : 01:27:10    Valor :5,00"} +
                        rodape,
                    2));
    EXPECT_EQ(janela.tic->displayText(), kTicketVazio);
    EXPECT_TRUE(janela.tot->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), janela.tic);
}

TEST_F(ImprimePistaTest, SaidaSoComAutenticacao) {
    preparaSaida();
    janela.Check1->setChecked(true);
    janela.Command7->click();
    ASSERT_EQ(impressoes().size(), 1u);
    EXPECT_EQ(impressoes()[0].bytes, QByteArray("06/12/2026 16:02:10 ABC-1234 5,00\r\n"));
    EXPECT_FALSE(janela.Check1->isChecked());
    EXPECT_EQ(janela.tic->displayText(), kTicketVazio);
}

TEST_F(ImprimePistaTest, SaidaComImpressoraFiscalEmiteOCupomENaoImprimeNaBobina) {
    amb.ctx.estado.duas_impressoras = true;
    amb.ctx.estado.impressora_fiscal = kModeloFiscal;
    preparaSaida();
    janela.Check1->setChecked(true);
    janela.Command7->click();
    EXPECT_EQ(amb.conta("registro_saida"), 1);
    EXPECT_TRUE(impressoes().empty());
    EXPECT_EQ(amb.plataforma.fiscalFalsa.chamadas,
              (QStringList{"VendeItem|123|ABC-1234  E: 06/12/26 14:35\r\n          S: 06/12/26 16:02|FF|I|1|2|5,00|%|0000",
                           "FechaCupomResumido|DINHEIRO|Volte sempre"}));
    EXPECT_EQ(amb.ctx.estado.retorno_daruma, 1);
    // The panel keeps the vehicle just registered.
    EXPECT_EQ(janela.tic->displayText(), "123       ");
    EXPECT_TRUE(janela.Check1->isChecked());
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
}

TEST_F(ImprimePistaTest, CupomRecusadoAvisaEASaidaFicaGravada) {
    amb.ctx.estado.impressora = QStringLiteral(" ");
    amb.ctx.estado.impressora_fiscal = kModeloFiscal;
    amb.plataforma.fiscalFalsa.retorno = 0;
    preparaSaida();
    janela.Command7->click();
    EXPECT_EQ(amb.conta("registro_saida"), 1);
    EXPECT_EQ(amb.plataforma.fiscalFalsa.chamadas.size(), 1);
    EXPECT_EQ(amb.plataforma.textosMensagens(),
              QStringList{"A impressora fiscal recusou o item do cupom (retorno 0): o cupom fiscal não "
                          "foi emitido.\n\nA saída do veículo está registrada."});
}

TEST_F(ImprimePistaTest, SaidaComPortaQueFalhaAvisaUmaVez) {
    amb.plataforma.impressoraFalsa.falha = QStringLiteral("Sem papel.");
    preparaSaida();
    janela.Command7->click();
    EXPECT_EQ(amb.conta("registro_saida"), 1);
    EXPECT_EQ(amb.plataforma.textosAvisos(),
              QStringList{"Não saíram na impressora da porta LPT1: 1 comprovante de saída.\n\nSem papel."
                          "\n\nOs registros estão gravados; só as impressões não saíram."});
    EXPECT_EQ(janela.tic->displayText(), kTicketVazio);
}

TEST_F(ImprimePistaTest, SaidaComImpressoraFiscalEscreveNoDiario) {
    DiarioFiscal diario([this] { return amb.plataforma.pastaPrograma(); },
                        [this] { return amb.plataforma.agora(); });
    amb.plataforma.fiscalUsada = &diario;
    amb.ctx.estado.impressora_fiscal = kModeloFiscal;
    amb.ctx.estado.duas_impressoras = true;
    amb.plataforma.defineAgora(QDateTime(QDate(2026, 12, 6), QTime(16, 2, 11)));
    preparaSaida();
    janela.Command7->click();
    EXPECT_TRUE(impressoes().empty());
    QFile f(diario.caminho());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()),
              "2026-12-06 16:02:11 VendeItem(\"123\", \"ABC-1234  E: 06/12/26 14:35\\n          S: 06/12/26 "
              "16:02\", \"FF\", \"I\", \"1\", \"2\", \"5,00\", \"%\", \"0000\")\n"
              "2026-12-06 16:02:11 FechaCupomResumido(\"DINHEIRO\", \"Volte sempre\")\n");
}

// The cashier types cars as fast as he can while the printer fails: the failure arrives between
// two cars and shows beside the lane without taking the keyboard, every car typed is stored,
// and the notice stays, counting the later failures too.
TEST_F(ImprimePistaTest, TeclasChegamAPistaEnquantoAFalhaChega) {
    amb.plataforma.avisosNaTela = true;
    amb.plataforma.impressoraFalsa.segura = true;
    // Each key goes where the keyboard sends it: to the control with the focus.
    const auto tecla = [](auto k) {
        QWidget* w = QApplication::focusWidget();
        QTest::keyClick(w ? w : QApplication::activeWindow(), k);
    };
    const char* placas[] = {"AAA1111", "BBB2222", "CCC3333", "DDD4444", "EEE5555"};
    for (int i = 0; i < 5; ++i) {
        tecla(Qt::Key_F2);
        for (const char* c = placas[i]; *c; ++c) tecla(*c);
        tecla(Qt::Key_Return);
        tecla(Qt::Key_Return);
        // The first two tickets fail while the third car is being typed.
        if (i == 2) amb.plataforma.impressoraFalsa.libera(QStringLiteral("Desligada."));
    }
    EXPECT_EQ(amb.linha("SELECT group_concat(placa, ' ') FROM veiculos_patio"),
              QStringList{"AAA-1111 BBB-2222 CCC-3333 DDD-4444 EEE-5555"});
    EXPECT_EQ(QApplication::activeWindow(), &janela);
    EXPECT_EQ(QApplication::focusWidget(), janela.pla);

    QList<QWidget*> avisos;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == "aviso" && w->isVisible()) avisos << w;
    ASSERT_EQ(avisos.size(), 1);
    EXPECT_FALSE(avisos[0]->isActiveWindow());
    const auto texto = [&] { return avisos[0]->findChild<QLabel*>("texto")->text(); };
    EXPECT_TRUE(texto().startsWith("Não saíram na impressora da porta LPT1: 3 comprovantes de entrada."));
    amb.plataforma.impressoraFalsa.libera(QStringLiteral("Desligada."));
    EXPECT_TRUE(texto().startsWith("Não saíram na impressora da porta LPT1: 5 comprovantes de entrada."));
    EXPECT_TRUE(amb.plataforma.mensagens.empty());
    // A reason of three lines comes: the notice grows with its text, every line shown whole.
    amb.plataforma.avisa("impressora LPT1", texto() + "\nNão respondeu no tempo de espera.\nVerifique o "
                         "cabo, o papel e se ela está ligada.\nDepois feche este aviso.", Icone::Exclamacao, {});
    auto* rotulo = avisos[0]->findChild<QLabel*>("texto");
    EXPECT_GE(rotulo->height(), rotulo->heightForWidth(rotulo->width()));
}
