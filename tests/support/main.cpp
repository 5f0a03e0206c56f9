#include "widgets/guia_teclado.h"
#include "widgets/ordem_teclado.h"
#include "widgets/regras_campos.h"

#include <QApplication>
#include <QLocale>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    instalaRegrasDosCampos(app);
    instalaGuiaDoTeclado(app);
    instalaOrdemDoTeclado(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
