#include "data/datas.h"

#include <gtest/gtest.h>

// The shortcut for the usual forms stores exactly what the general parser stores.
TEST(DatasCampos, FormasUsuaisIguaisAoLeitorGeral) {
    for (const char* texto : {"07/12/2026", " 07/12/2026 ", "31/02/2026", "29/02/2024",
                              "29/02/2023", "00/01/2026", "7/12/2026", "07/13/2026", "",
                              "ab/cd/efgh", "07-12-2026", "01/01/0999"}) {
        const QString t = QString::fromUtf8(texto);
        EXPECT_EQ(dataBrParaBanco(t),
                  dataParaBanco(QDate::fromString(t.trimmed(), QStringLiteral("dd/MM/yyyy"))))
            << texto;
    }
    for (const char* texto : {"08:00:00", " 10:00:00 ", "23:59:59", "24:00:00", "8:00:00",
                              "08:00", "08:60:00", "", "99:99:99", "08:00:0"}) {
        const QString t = QString::fromUtf8(texto);
        QTime h = QTime::fromString(t.trimmed(), QStringLiteral("HH:mm:ss"));
        if (!h.isValid()) h = QTime::fromString(t.trimmed(), QStringLiteral("HH:mm"));
        EXPECT_EQ(horaTextoParaBanco(t), horaParaBanco(h)) << texto;
    }
    EXPECT_EQ(dataBrParaBanco("07/12/2026").toString(), "2026-12-07");
}

// Stored and shown forms written and read without the general formatter give what it gives.
TEST(DatasCampos, GravadasEMostradasIguaisAoFormatadorGeral) {
    for (const char* texto : {"2026-12-07", "2024-02-29", "2023-02-29", "0999-01-01", "2026-13-01",
                              "2026-12-07 10:00", "2026-1-07", "", "abcd-ef-gh"}) {
        const QString t = QString::fromUtf8(texto);
        const QDate geral = QDate::fromString(t.left(10), QStringLiteral("yyyy-MM-dd"));
        EXPECT_EQ(dataDoBanco(t), geral) << texto;
        EXPECT_EQ(dataBr(geral), geral.toString(QStringLiteral("dd/MM/yyyy"))) << texto;
        EXPECT_EQ(dataBrDoBanco(t), geral.toString(QStringLiteral("dd/MM/yyyy"))) << texto;
        EXPECT_EQ(dataParaBanco(geral).toString(),
                  geral.isValid() ? geral.toString(QStringLiteral("yyyy-MM-dd")) : QString())
            << texto;
    }
    EXPECT_TRUE(dataParaBanco(QDate()).isNull() && horaParaBanco(QTime()).isNull());
    for (const char* texto : {"08:00:00", "23:59:59", "24:00:00", "8:00:00", "08:00", "", "0a:00:00",
                              "08:00:00.5"}) {
        const QString t = QString::fromUtf8(texto);
        const QTime geral = QTime::fromString(t, QStringLiteral("HH:mm:ss"));
        EXPECT_EQ(horaDoBanco(t), geral) << texto;
        EXPECT_EQ(horaHms(geral), geral.toString(QStringLiteral("HH:mm:ss"))) << texto;
        EXPECT_EQ(horaHmsDoBanco(t), geral.toString(QStringLiteral("HH:mm:ss"))) << texto;
        EXPECT_EQ(horaHm(geral), geral.toString(QStringLiteral("HH:mm"))) << texto;
    }
}
