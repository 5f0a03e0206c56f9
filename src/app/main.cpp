#include "app/contexto.h"
#include "access/plataforma_qt.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    PlataformaQt plataforma;
    Contexto contexto(plataforma);
    return app.exec();
}
