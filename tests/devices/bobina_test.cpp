#include "devices/bobina.h"

#include <gtest/gtest.h>

TEST(Bobina, LinhasEmWindows1252ComCrLfEAvanco) {
    Bobina b;
    b.linha(QStringLiteral("SAÍDA ç €"));
    b.linha(QString());
    b.linha(QStringLiteral("日"));
    b.avanco(2);
    b.avanco(0);
    b.avanco(-1);
    EXPECT_EQ(b.bytes(), QByteArray("SA\xCD" "DA \xE7 \x80\r\n\r\n?\r\n\r\r\n\r\r\n"));
}

TEST(Bobina, LarguraPelaConfiguracao) {
    for (auto [bobina, largura] : {std::pair{36, 36}, {40, 40}, {48, 48}, {0, 48}, {37, 48}})
        EXPECT_EQ(Bobina::largura(bobina), largura) << bobina;
}

TEST(Bobina, LinhaLongaPerdeBrancosDepoisQuebraSemCortar) {
    const struct {
        const char* texto;
        int colunas;
        QStringList linhas;
    } casos[] = {
        {"cabe exatamente", 15, {"cabe exatamente"}},
        {"   cabe com brancos   ", 40, {"   cabe com brancos   "}},   // fits: byte for byte
        {"abc   ", 4, {"abc "}},                                       // only the blanks needed
        {"   abcdef", 7, {" abcdef"}},
        {"  abc def  ", 7, {"abc def"}},
        {"Valor(Rotativo,Turno,Diarista): 12.345,67", 40, {"Valor(Rotativo,Turno,Diarista):", "12.345,67"}},
        {"um dois tres quatro", 8, {"um dois", "tres", "quatro"}},
        {"ABCDEFGHIJ", 4, {"ABCD", "EFGH", "IJ"}},                     // no blank: at the edge
        {"ab    cd", 3, {"ab", "cd"}},
        {"sem limite nenhum", 0, {"sem limite nenhum"}},
    };
    for (const auto& c : casos)
        EXPECT_EQ(Bobina::ajusta(QString::fromLatin1(c.texto), c.colunas), c.linhas) << c.texto;
}

TEST(Bobina, ParPerdeOsBrancosDoMeioDepoisDescePraLinhaPropria) {
    const struct {
        int colunas;
        const char *primeiro, *segundo, *sozinho;
        QByteArray bytes;
    } casos[] = {
        {47, "Data Entrada: 06/12/2026", "  Hora Entrada:14:35:00", "", "Data Entrada: 06/12/2026  Hora Entrada:14:35:00\r\n"},
        {46, "Data Entrada: 06/12/2026", "  Hora Entrada:14:35:00", "", "Data Entrada: 06/12/2026 Hora Entrada:14:35:00\r\n"},
        {45, "Data Entrada: 06/12/2026", "  Hora Entrada:14:35:00", "Hora Entrada: 14:35:00",
         "Data Entrada: 06/12/2026\r\nHora Entrada: 14:35:00\r\n"},
        {40, "Data Entrada: 06/12/2026", "  Hora Entrada:14:35:00", "",
         "Data Entrada: 06/12/2026\r\nHora Entrada:14:35:00\r\n"},
        // The blanks that fill a field count with those before the second label.
        {40, "Tel.Res. : 3333-4444  ", " Tel.Cel.: 9999-8888", "", "Tel.Res. : 3333-4444 Tel.Cel.: 9999-8888\r\n"},
        {36, "Tel.Res. : 3333-4444  ", " Tel.Cel.: 99999-8888", "", "Tel.Res. : 3333-4444\r\nTel.Cel.: 99999-8888\r\n"},
        {36, "Qtde Veic.(Rot,Turno,Diarista): ", " 1234", "", "Qtde Veic.(Rot,Turno,Diarista): 1234\r\n"},
        {0, "a  ", "  b", "", "a    b\r\n"},
    };
    for (const auto& c : casos) {
        Bobina b(c.colunas);
        b.par(QString::fromLatin1(c.primeiro), QString::fromLatin1(c.segundo), QString::fromLatin1(c.sozinho));
        EXPECT_EQ(b.bytes(), c.bytes) << c.colunas << " " << c.primeiro;
    }
}
