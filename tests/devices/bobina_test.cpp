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
