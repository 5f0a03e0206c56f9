#include "devices/diario_fiscal.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(DiarioFiscal, UmaLinhaPorChamadaComDataEHora) {
    QTemporaryDir pasta;
    QDateTime agora(QDate(2026, 12, 6), QTime(16, 2, 10));
    DiarioFiscal fiscal([&] { return pasta.path(); }, [&] { return agora; });
    EXPECT_EQ(fiscal.vendeItem("123", "ABC-1234  E: 06/12/26 14:35\r\n          S: 06/12/26 16:02", "FF", "I",
                               "1", 2, "1.234,50", "%", "0000"),
              1);
    EXPECT_EQ(fiscal.fechaCupomResumido("DINHEIRO", "Volte \"sempre\""), 1);
    agora = agora.addSecs(3600);
    EXPECT_EQ(fiscal.leituraX(), 1);
    EXPECT_EQ(fiscal.reducaoZ("06/12/2026", "17:02:10"), 1);

    QFile f(QDir(pasta.path()).filePath("impressora_fiscal.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(f.readAll()).split('\n'),
              (QStringList{
                  R"(2026-12-06 16:02:10 VendeItem("123", "ABC-1234  E: 06/12/26 14:35\n          S: 06/12/26 16:02", "FF", "I", "1", "2", "1.234,50", "%", "0000"))",
                  R"(2026-12-06 16:02:10 FechaCupomResumido("DINHEIRO", "Volte \"sempre\""))",
                  "2026-12-06 17:02:10 LeituraX()",
                  R"(2026-12-06 17:02:10 ReducaoZ("06/12/2026", "17:02:10"))", ""}));
}

TEST(DiarioFiscal, DiarioQueNaoSeGravaDevolveZero) {
    QTemporaryDir pasta;
    const QString semPasta = QDir(pasta.path()).filePath("nao/existe");
    DiarioFiscal fiscal([&] { return semPasta; }, [] { return QDateTime(QDate(2026, 12, 6), QTime(9, 0)); });
    EXPECT_EQ(fiscal.vendeItem("1", "x", "FF", "I", "1", 2, "5,00", "%", "0000"), 0);
    EXPECT_EQ(fiscal.fechaCupomResumido("DINHEIRO", ""), 0);
    EXPECT_EQ(fiscal.leituraX(), 0);
}
