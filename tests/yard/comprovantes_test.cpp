#include "yard/comprovantes.h"

#include "support/bytes_bobina.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

ConfigBobina config(int bobina, int avanco = 0) {
    ConfigBobina c;
    c.bobina = bobina;
    c.avanco = avanco;
    c.linha1 = QStringLiteral("ESTACIONAMENTO CENTRAL");
    c.linha2 = QString();   // an empty header line is still a line
    c.linha3 = QStringLiteral("Rua Direita, 10");
    c.linha4 = QStringLiteral("CNPJ 12.345.678/0001-90");
    c.penult_linha = QStringLiteral("Obrigado pela preferencia");
    c.ult_linha = QStringLiteral("Volte sempre");
    return c;
}

const QStringList kCabecalho{"ESTACIONAMENTO CENTRAL", "", "Rua Direita, 10", "CNPJ 12.345.678/0001-90"};
const QStringList kRodape{"Obrigado pela preferencia", "Volte sempre"};

DadosComprovante avulso(bool priVisivel = false, bool veiVisivel = false) {
    DadosComprovante d;
    d.tic = QStringLiteral("123       ");
    d.pla = QStringLiteral("ABC-1234");
    d.pri = QStringLiteral(" 7 ");
    d.vei = QStringLiteral("Fusca azul");
    d.dat_ent = d.dat_sai = QStringLiteral("06/12/2026");
    d.hor_ent = QStringLiteral("14:35:00");
    d.hor_sai = QStringLiteral("16:02:10");
    d.tot = QStringLiteral("5,00");
    d.priVisivel = priVisivel;
    d.veiVisivel = veiVisivel;
    return d;
}

DadosComprovante mensalista() {
    DadosComprovante d = avulso();
    d.tic = QStringLiteral("0000000000");
    return d;
}

struct Caso {
    const char* nome;
    int bobina;
    int avanco;
    DadosComprovante dados;
    QStringList linhas;   // between the header and the footer
};

}  // namespace

TEST(ComprovanteEntrada, LeiautesByteAByte) {
    const Caso casos[] = {
        {"36 avulso", 36, 0, avulso(),
         {"  COMPROVANTE DE ENTRADA (AVULSO)", "Ticket: 123       Data Ent.:06/12/26",
          "Placa : ABC-1234  Hora Ent.:14:35:00"}},
        {"36 mensalista sem numero", 36, 0, mensalista(),
         {" COMPROVANTE DE ENTRADA(MENSALISTA)", "Ticket:           Data Ent.:06/12/26",
          "Placa : ABC-1234  Hora Ent.:14:35:00"}},
        {"40 avulso, prisma e veiculo", 40, 3, avulso(true, true),
         {"    COMPROVANTE DE ENTRADA (AVULSO)", "Prisma: 7", "Ticket: 123         Data Ent.:06/12/2026",
          "Placa : ABC-1234    Hora Ent.:14:35:00", "Veiculo: Fusca azul"}},
        {"40 mensalista", 40, 0, mensalista(),
         {"  COMPROVANTE DE ENTRADA (MENSALISTA)", "Ticket: 0000000000  Data Ent.:06/12/2026",
          "Placa : ABC-1234    Hora Ent.:14:35:00"}},
        {"48 avulso", 48, 1, avulso(false, true),
         {"        COMPROVANTE DE ENTRADA (AVULSO)", "Ticket: 123           Data Entrada:06/12/2026",
          "Placa : ABC-1234      Hora Entrada:14:35:00", "Veiculo: Fusca azul"}},
        {"0 e 48 colunas, mensalista", 0, 0, mensalista(),
         {"      COMPROVANTE DE ENTRADA (MENSALISTA)", "Ticket: 0000000000    Data Entrada:06/12/2026",
          "Placa : ABC-1234      Hora Entrada:14:35:00"}},
        {"37 e 48 colunas, prisma vazio", 37, 0,
         [] { auto d = avulso(true); d.pri = "   "; return d; }(),
         {"        COMPROVANTE DE ENTRADA (AVULSO)", "Prisma: ", "Ticket: 123           Data Entrada:06/12/2026",
          "Placa : ABC-1234      Hora Entrada:14:35:00"}},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(comprovante_entrada(config(c.bobina, c.avanco), c.dados),
                  bytes(kCabecalho + c.linhas + kRodape, c.avanco))
            << c.nome;
    // The ticket and plate lines fill the 36-column roll exactly, the ticket line the 40-column.
    EXPECT_EQ(QString("Ticket: 123       Data Ent.:06/12/26").size(), 36);
    EXPECT_EQ(QString("Ticket: 123         Data Ent.:06/12/2026").size(), 40);
}

TEST(ComprovanteSaida, LeiautesByteAByte) {
    auto pernoite = [](DadosComprovante d) {
        d.dat_ent = QStringLiteral("05/12/2026");
        return d;
    };
    const Caso casos[] = {
        {"36 mesmo dia", 36, 0, avulso(),
         {"        COMPROVANTE DE SAIDA", "Ticket: 123         Placa:ABC-1234", "Data Entrada: 06/12/26",
          "Hora Entrada: 14:35:00", "Data Saida  : 06/12/26", "Hora Saida  : 16:02:10",
          "Permanencia : 01:27:10", "Valor   : 5,00"}},
        {"36 pernoite, prisma e veiculo", 36, 3, pernoite(avulso(true, true)),
         {"        COMPROVANTE DE SAIDA", "Prisma: 7", "Ticket: 123         Placa:ABC-1234",
          "Veiculo: Fusca azul", "Data Entrada: 05/12/26", "Hora Entrada: 14:35:00",
          "Data Saida  : 06/12/26", "Hora Saida  : 16:02:10", "Permanencia : Pernoite", "Valor   : 5,00"}},
        {"40 mesmo dia", 40, 0, avulso(),
         {"          COMPROVANTE DE SAIDA", "Ticket: 123               Placa:ABC-1234",
          "Data Entrada: 06/12/2026  Hora Entrada:14:35:00", "Data Saida  : 06/12/2026  Hora Saida  :16:02:10",
          "Permanencia : 01:27:10    Valor :5,00"}},
        {"40 mensalista pernoite", 40, 1, pernoite(mensalista()),
         {"          COMPROVANTE DE SAIDA", "Ticket: 0000000000        Placa:ABC-1234",
          "Data Entrada: 05/12/2026  Hora Entrada:14:35:00", "Data Saida  : 06/12/2026  Hora Saida  :16:02:10",
          "Permanencia : Pernoite    Valor :5,00"}},
        {"48 prisma e veiculo", 48, 0, avulso(true, true),
         {"             COMPROVANTE DE SAIDA", "Prisma: 7", "Ticket: 123               Placa:ABC-1234",
          "Veiculo: Fusca azul", "Data Entrada: 06/12/2026  Hora Entrada:14:35:00",
          "Data Saida  : 06/12/2026  Hora Saida  :16:02:10", "Permanencia : 01:27:10    Valor :5,00"}},
        {"99 e 48 colunas", 99, 0, pernoite(avulso()),
         {"             COMPROVANTE DE SAIDA", "Ticket: 123               Placa:ABC-1234",
          "Data Entrada: 05/12/2026  Hora Entrada:14:35:00", "Data Saida  : 06/12/2026  Hora Saida  :16:02:10",
          "Permanencia : Pernoite    Valor :5,00"}},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(comprovante_saida(config(c.bobina, c.avanco), c.dados),
                  bytes(kCabecalho + c.linhas + kRodape, c.avanco))
            << c.nome;
}

TEST(ComprovanteSaida, AutenticacaoEUmaLinhaSo) {
    EXPECT_EQ(linha_autenticacao(avulso(true, true)), QByteArray("06/12/2026 16:02:10 ABC-1234 5,00\r\n"));
}

TEST(ComprovanteEntrada, AcentosDoCabecalhoEmWindows1252) {
    ConfigBobina c = config(40);
    c.linha1 = QStringLiteral("ESTACIONAMENTO SÃO JOSÉ");
    EXPECT_TRUE(comprovante_entrada(c, avulso()).startsWith("ESTACIONAMENTO S\xC3O JOS\xC9\r\n\r\n"));
}

namespace {

class FiscalGravado : public ImpressoraFiscal {
public:
    int vendeItem(const QString& codigo, const QString& descricao, const QString& aliquota,
                  const QString& tipoQuantidade, const QString& quantidade, int casasDecimais,
                  const QString& valor, const QString& tipoDesconto, const QString& desconto) override {
        chamadas << QStringList{"VendeItem", codigo, descricao, aliquota, tipoQuantidade, quantidade,
                                QString::number(casasDecimais), valor, tipoDesconto, desconto}
                        .join('|');
        return retornos.isEmpty() ? 1 : retornos.takeFirst();
    }
    int fechaCupomResumido(const QString& forma, const QString& mensagem) override {
        chamadas << "FechaCupomResumido|" + forma + "|" + mensagem;
        return retornos.isEmpty() ? 1 : retornos.takeFirst();
    }
    int leituraX() override { return 1; }
    int reducaoZ(const QString&, const QString&) override { return 1; }
    QStringList chamadas;
    QList<int> retornos;
};

}  // namespace

TEST(CupomFiscalSaida, ItemEFechamentoNaOrdem) {
    const QString desc = "ABC-1234  E: 06/12/26 14:35\r\n          S: 06/12/26 16:02";
    DadosComprovante milhar = avulso();
    milhar.tot = QStringLiteral("1.234,50");
    const struct {
        const char* nome;
        DadosComprovante dados;
        QList<int> retornos;
        QStringList chamadas;
        qint16 retorno;
        QString falha;
    } casos[] = {
        {"avulso", avulso(), {},
         {"VendeItem|123|" + desc + "|FF|I|1|2|5,00|%|0000", "FechaCupomResumido|DINHEIRO|Volte sempre"}, 1, ""},
        {"mensalista", mensalista(), {},
         {"VendeItem|0000000000|" + desc + "|FF|I|1|2|5,00|%|0000", "FechaCupomResumido|DINHEIRO|Volte sempre"},
         1, ""},
        {"mil reais inteiros", milhar, {},
         {"VendeItem|123|" + desc + "|FF|I|1|2|1.234,50|%|0000", "FechaCupomResumido|DINHEIRO|Volte sempre"},
         1, ""},
        {"item recusado", avulso(), {0},
         {"VendeItem|123|" + desc + "|FF|I|1|2|5,00|%|0000"}, 0,
         "A impressora fiscal recusou o item do cupom (retorno 0): o cupom fiscal não foi emitido."},
        {"fechamento recusado", avulso(), {1, -27},
         {"VendeItem|123|" + desc + "|FF|I|1|2|5,00|%|0000", "FechaCupomResumido|DINHEIRO|Volte sempre"},
         -27, "A impressora fiscal não fechou o cupom (retorno -27)."},
    };
    for (const auto& c : casos) {
        FiscalGravado fiscal;
        fiscal.retornos = c.retornos;
        qint16 retorno = 99;
        EXPECT_EQ(cupom_fiscal_saida(fiscal, "FF", "Volte sempre", c.dados, retorno), c.falha) << c.nome;
        EXPECT_EQ(fiscal.chamadas, c.chamadas) << c.nome;
        EXPECT_EQ(retorno, c.retorno) << c.nome;
    }
}
