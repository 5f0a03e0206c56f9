#include "subscribers/comprovante_mensalidade.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

Comprovante exemplo() {
    Comprovante c;
    c.linha1 = "ESTACIONAMENTO BOM";
    c.linha2 = "Rua A, 1";
    c.linha3 = "Recife";
    c.linha4 = "Fone 3333";
    c.cnpj = "12.345.678/0001-90";
    c.nome = "Ana d'Ávila";
    c.tel_res = "3333-4444";
    c.tel_cel = "9999-8888";
    c.data = QDate(2008, 3, 16);
    c.hora = QTime(9, 5, 7);
    c.mes = QDate(2008, 3, 1);
    c.valorPago = Dinheiro::reais(51, 61);
    c.des = c.adi = "0,00";
    return c;
}

// One copy as text lines, feed lines as "\r".
QStringList copia(const QByteArray& bytes) {
    QStringList linhas = QString::fromLatin1(bytes).split("\r\n");
    linhas.removeLast();
    EXPECT_EQ(linhas.size() % 2, 0);
    const QStringList primeira = linhas.mid(0, linhas.size() / 2);
    EXPECT_EQ(primeira, linhas.mid(linhas.size() / 2)) << "the two copies differ";
    return primeira;
}

TEST(Comprovante, LarguraQuarenta) {
    EXPECT_EQ(copia(comprovante_pgto_mensalidade(exemplo(), 40, 2)),
              (QStringList{"ESTACIONAMENTO BOM", "CNPJ: 12.345.678/0001-90", "Rua A, 1", "Recife",
                           "Fone 3333", "  COMPROVANTE DE PGTO. DE MENSALIDADE",
                           QString::fromUtf8("Cliente  : Ana d'Ávila"),
                           // Both lines lose padding blanks to fit the 40 columns.
                           "Tel.Res. : 3333-4444 Tel.Cel.: 9999-8888",
                           "Data     : 16/03/2008 Hora    : 09:05:07", "Mes      : 03/2008",
                           // A first month's share: the amount paid, under its month.
                           "Valor    : 51,61", "\r", "\r"}));
}

// The 36-column roll takes the 40-column layout, fitted: no line passes its edge, no value cut.
TEST(Comprovante, LarguraTrintaESeisComOsValoresMaisLongos) {
    Comprovante c = exemplo();
    c.linha1 = "ESTACIONAMENTO BOM JESUS DOS NAVEGANTES";
    c.nome = "Maria Aparecida dos Santos Oliveira Cavalcanti";
    c.tel_res = "(081)3333-4444";
    c.tel_cel = "(081)99999-8888";
    c.valorPago = Dinheiro::reais(12000);
    c.des = "345,67";
    const QStringList linhas = copia(comprovante_pgto_mensalidade(c, 36, 0));
    EXPECT_EQ(linhas, (QStringList{"ESTACIONAMENTO BOM JESUS DOS", "NAVEGANTES", "CNPJ: 12.345.678/0001-90",
                                   "Rua A, 1", "Recife", "Fone 3333",
                                   " COMPROVANTE DE PGTO. DE MENSALIDADE",
                                   "Cliente  : Maria Aparecida dos", "Santos Oliveira Cavalcanti",
                                   "Tel.Res. : (081)3333-44", "Tel.Cel.: (081)99999-8888",
                                   "Data     : 16/03/2008", "Hora    : 09:05:07",
                                   // Too long beside its month: the amount is on the lines below.
                                   "Mes      : 03/2008", "Valor    : 12.345,67", "Desconto : 345,67",
                                   "Total    : 12.000,00"}));
    // A first month's share, with no discount: the amount paid stands beside its month.
    c.valorPago = Dinheiro::reais(36, 67);
    c.des = "0,00";
    EXPECT_EQ(copia(comprovante_pgto_mensalidade(c, 36, 0)).mid(13),
              (QStringList{"Mes      : 03/2008   Valor   : 36,67", "Valor    : 36,67"}));
    for (int bobina : {36, 40, 48})
        for (const QString& l : QString::fromLatin1(comprovante_pgto_mensalidade(c, bobina, 1)).split("\r\n"))
            EXPECT_LE(l.size(), bobina) << l.toStdString();
}

TEST(Comprovante, LarguraLargaComDesconto) {
    for (int bobina : {48, 0}) {
        Comprovante c = exemplo();
        c.cnpj.clear();
        c.tel_res = "(081)3333-4444";
        c.valorPago = Dinheiro::reais(70);
        c.des = "30,00";
        EXPECT_EQ(copia(comprovante_pgto_mensalidade(c, bobina, 0)),
                  (QStringList{"ESTACIONAMENTO BOM", "Rua A, 1", "Recife", "Fone 3333",
                               "      COMPROVANTE DE PGTO. DE MENSALIDADE",
                               QString::fromUtf8("Cliente  : Ana d'Ávila"),
                               "Tel.Res. : (081)3333-44 Tel.Cel.: 9999-8888",
                               "Data     : 16/03/2008   Hora    : 09:05:07",
                               "Mes      : 03/2008      Valor   : 70,00", "Valor    : 100,00",
                               "Desconto : 30,00", "Total    : 70,00"}))
            << bobina;
    }
}

TEST(Comprovante, AdicionalSemDesconto) {
    Comprovante c = exemplo();
    c.tel_res.clear();
    c.valorPago = Dinheiro::reais(107);
    c.adi = "7,00";
    const QStringList linhas = copia(comprovante_pgto_mensalidade(c, 40, 3));
    EXPECT_EQ(linhas.mid(7, 1), QStringList{"Tel.Res. :           Tel.Cel.: 9999-8888"});
    EXPECT_EQ(linhas.mid(10), (QStringList{"Valor    : 100,00", "Adicional: 7,00",
                                           "Total    : 107,00", "\r", "\r", "\r"}));
}

// At the widest amounts, on every roll, the receipt adds up and the amount paid reads with its
// month: right beside it where the line fits, else on the lines right below, where the month's
// amount less the discount, or plus the additional, is the total paid.
TEST(Comprovante, ValoresMaisLargosSomamELeemSeComOMes) {
    const Dinheiro maior = Dinheiro::maiorDigitado();
    const struct {
        const char* nome;
        Dinheiro pago;
        const char *des, *adi;
    } casos[] = {
        {"mês inteiro", maior, "0,00", "0,00"},
        {"com desconto", maior - Dinheiro::reais(12345678, 90), "12.345.678,90", "0,00"},
        {"com adicional", maior, "0,00", "12.345.678,90"},
    };
    const auto valorDe = [](const QString& linha) {
        return Dinheiro::ler(linha.mid(linha.lastIndexOf(u' ') + 1)).value_or(Dinheiro::reais(-1));
    };
    for (int bobina : {36, 40, 48})
        for (const auto& c : casos) {
            SCOPED_TRACE(std::to_string(bobina) + " " + c.nome);
            Comprovante x = exemplo();
            x.nome = "Maria Aparecida dos Santos Oliveira Cavalcanti";
            x.tel_res = "(081)3333-4444";
            x.tel_cel = "(081)99999-8888";
            x.valorPago = c.pago;
            x.des = c.des;
            x.adi = c.adi;
            const QStringList linhas = copia(comprovante_pgto_mensalidade(x, bobina, 0));
            for (const QString& l : linhas) {
                EXPECT_LE(l.size(), bobina) << l.toStdString();
            }
            const qsizetype mes = linhas.indexOf(QRegularExpression("Mes      : 03/2008.*"));
            ASSERT_GE(mes, 0);
            if (linhas[mes].contains("Valor")) {
                EXPECT_EQ(valorDe(linhas[mes]), c.pago);
            }
            ASSERT_TRUE(linhas.value(mes + 1).startsWith("Valor    : "));
            const Dinheiro valorMes = valorDe(linhas[mes + 1]);
            if (QString(c.des) == "0,00" && QString(c.adi) == "0,00") {
                EXPECT_EQ(valorMes, c.pago);
                EXPECT_EQ(linhas.size(), mes + 2);
                continue;
            }
            ASSERT_EQ(linhas.size(), mes + 4);
            EXPECT_TRUE(linhas[mes + 2].startsWith(QString(c.des) != "0,00" ? "Desconto : " : "Adicional: "));
            EXPECT_TRUE(linhas[mes + 3].startsWith("Total    : "));
            EXPECT_EQ(valorDe(linhas[mes + 3]), c.pago);
            const Dinheiro ajuste = *Dinheiro::ler(QString(c.des) != "0,00" ? c.des : c.adi);
            EXPECT_EQ(QString(c.des) != "0,00" ? valorMes - ajuste : valorMes + ajuste, c.pago);
        }
}

}  // namespace
