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
        // The entry and exit pairs pass the 40-column roll: their times go below, as on 36.
        {"40 mesmo dia", 40, 0, avulso(),
         {"          COMPROVANTE DE SAIDA", "Ticket: 123               Placa:ABC-1234",
          "Data Entrada: 06/12/2026", "Hora Entrada: 14:35:00", "Data Saida  : 06/12/2026",
          "Hora Saida  : 16:02:10", "Permanencia : 01:27:10    Valor :5,00"}},
        {"40 mensalista pernoite", 40, 1, pernoite(mensalista()),
         {"          COMPROVANTE DE SAIDA", "Ticket: 0000000000        Placa:ABC-1234",
          "Data Entrada: 05/12/2026", "Hora Entrada: 14:35:00", "Data Saida  : 06/12/2026",
          "Hora Saida  : 16:02:10", "Permanencia : Pernoite    Valor :5,00"}},
        {"40 valor de milhar: brancos a menos", 40, 0, [] { auto d = avulso(); d.tot = "12.345,67"; return d; }(),
         {"          COMPROVANTE DE SAIDA", "Ticket: 123               Placa:ABC-1234",
          "Data Entrada: 06/12/2026", "Hora Entrada: 14:35:00", "Data Saida  : 06/12/2026",
          "Hora Saida  : 16:02:10", "Permanencia : 01:27:10  Valor :12.345,67"}},
        {"40 valor que nao cabe ao lado", 40, 0, [] { auto d = avulso(); d.tot = "1.234.567,89"; return d; }(),
         {"          COMPROVANTE DE SAIDA", "Ticket: 123               Placa:ABC-1234",
          "Data Entrada: 06/12/2026", "Hora Entrada: 14:35:00", "Data Saida  : 06/12/2026",
          "Hora Saida  : 16:02:10", "Permanencia : 01:27:10", "Valor   : 1.234.567,89"}},
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
    for (int bobina : {36, 40, 48})
        EXPECT_EQ(linha_autenticacao(avulso(true, true), bobina),
                  QByteArray("06/12/2026 16:02:10 ABC-1234 5,00\r\n")) << bobina;
    // A fee that would pass the 36-column edge goes on the next line, whole.
    DadosComprovante d = avulso();
    d.tot = QStringLiteral("1.234,56");
    EXPECT_EQ(linha_autenticacao(d, 36), QByteArray("06/12/2026 16:02:10 ABC-1234\r\n1.234,56\r\n"));
    EXPECT_EQ(linha_autenticacao(d, 40), QByteArray("06/12/2026 16:02:10 ABC-1234 1.234,56\r\n"));
}

// Every value at its widest: the longest header, tag, vehicle, plate, ticket and fee the
// fields take. No line passes the roll, and every value is printed whole.
TEST(Comprovantes, NenhumaLinhaPassaDaBobina) {
    ConfigBobina c = config(36, 1);
    c.linha1 = QStringLiteral("ESTACIONAMENTO CENTRAL DA PRACA DA MATRIZ");   // 40, the field's most
    c.linha2 = QString(40, u'X');
    c.penult_linha = QStringLiteral("   Obrigado pela preferencia, volte sempre");
    DadosComprovante d = avulso(true, true);
    d.tic = QStringLiteral("9999999999");
    d.pri = QStringLiteral("999");
    d.vei = QStringLiteral("Caminhonete prata 4x4");
    d.tot = QStringLiteral("12.345,67");
    for (int bobina : {36, 40, 48}) {
        c.bobina = bobina;
        for (bool pernoite : {false, true}) {
            d.dat_ent = pernoite ? QStringLiteral("05/12/2026") : QStringLiteral("06/12/2026");
            const QStringList cabecalho{c.linha1, c.linha2, c.penult_linha};
            const std::pair<QByteArray, QStringList> impressos[] = {
                {comprovante_entrada(c, d), cabecalho + QStringList{d.tic, d.pri, d.vei}},
                {comprovante_saida(c, d), cabecalho + QStringList{d.tic, d.pri, d.vei, d.tot}},
                {linha_autenticacao(d, bobina), {d.tot, d.pla}}};
            for (const auto& [impresso, valores] : impressos) {
                const QString texto = QString::fromLatin1(impresso);
                for (const QString& l : texto.split("\r\n"))
                    EXPECT_LE(l.size(), bobina) << bobina << ": " << l.toStdString();
                // Whole, though maybe over two lines.
                const QString junto = QString(texto).remove("\r\n").remove(u' ');
                for (const QString& valor : valores)
                    EXPECT_TRUE(junto.contains(QString(valor).remove(u' ')))
                        << bobina << ": " << valor.toStdString();
            }
        }
    }
    // The header line longer than the 36-column roll breaks at a blank; one without blanks
    // goes on at the edge; the footer loses its padding blanks first.
    c.bobina = 36;
    const QString entrada = QString::fromLatin1(comprovante_entrada(c, d));
    EXPECT_TRUE(entrada.startsWith("ESTACIONAMENTO CENTRAL DA PRACA DA\r\nMATRIZ\r\n" + QString(36, u'X') +
                                   "\r\nXXXX\r\n"));
    EXPECT_TRUE(entrada.contains("\r\nObrigado pela preferencia, volte\r\nsempre\r\n"));
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

// A coupon holds the item of one stay: a coupon whose close was refused is closed on its own
// before the next item, and while it cannot be, no item is sold into it.
TEST(CupomFiscalSaida, ItemEFechamentoNaOrdem) {
    const QString desc = "ABC-1234  E: 06/12/26 14:35\r\n          S: 06/12/26 16:02";
    const QString item = "VendeItem|123|" + desc + "|FF|I|1|2|5,00|%|0000";
    const QString fecha = "FechaCupomResumido|DINHEIRO|Volte sempre";
    DadosComprovante milhar = avulso();
    milhar.tot = QStringLiteral("1.234,50");
    const struct {
        const char* nome;
        DadosComprovante dados;
        QString abertoAntes;
        QList<int> retornos;
        QStringList chamadas;
        qint16 retorno;
        QString texto;
        bool falhou;
        QString abertoDepois;
    } casos[] = {
        {"avulso", avulso(), "", {}, {item, fecha}, 1, "", false, ""},
        {"mensalista", mensalista(), "", {},
         {"VendeItem|0000000000|" + desc + "|FF|I|1|2|5,00|%|0000", fecha}, 1, "", false, ""},
        {"mil reais inteiros", milhar, "", {},
         {"VendeItem|123|" + desc + "|FF|I|1|2|1.234,50|%|0000", fecha}, 1, "", false, ""},
        {"item recusado", avulso(), "", {0}, {item}, 0,
         "A impressora fiscal recusou o item do cupom (retorno 0): o cupom fiscal não foi emitido.", true, ""},
        {"fechamento recusado", avulso(), "", {1, -27}, {item, fecha}, -27,
         "A impressora fiscal não fechou o cupom (retorno -27). Ele será fechado antes do próximo cupom.",
         true, "123"},
        {"cupom anterior fechado antes do item", avulso(), "77", {}, {fecha, item, fecha}, 1,
         "O cupom fiscal da saída anterior (ticket 77), que tinha ficado aberto, foi fechado agora.",
         false, ""},
        {"cupom anterior ainda aberto", avulso(), "77", {0}, {fecha}, 0,
         "O cupom fiscal da saída anterior (ticket 77) continua aberto: a impressora fiscal não o fechou "
         "(retorno 0).\nO cupom desta saída não foi emitido, para que um cupom não junte duas saídas.",
         true, "77"},
        {"anterior fechado e este recusado", avulso(), "77", {1, 1, 0}, {fecha, item, fecha}, 0,
         "O cupom fiscal da saída anterior (ticket 77), que tinha ficado aberto, foi fechado agora.\n"
         "A impressora fiscal não fechou o cupom (retorno 0). Ele será fechado antes do próximo cupom.",
         true, "123"},
    };
    for (const auto& c : casos) {
        FiscalGravado fiscal;
        fiscal.retornos = c.retornos;
        qint16 retorno = 99;
        QString aberto = c.abertoAntes;
        const ResultadoCupom r = cupom_fiscal_saida(fiscal, "FF", "Volte sempre", c.dados, retorno, aberto);
        EXPECT_EQ(r.texto, c.texto) << c.nome;
        EXPECT_EQ(r.falhou, c.falhou) << c.nome;
        EXPECT_EQ(fiscal.chamadas, c.chamadas) << c.nome;
        EXPECT_EQ(retorno, c.retorno) << c.nome;
        EXPECT_EQ(aberto, c.abertoDepois) << c.nome;
    }
}
