#include "branches/preenche_filiais.h"

#include "branches/filiais.h"
#include "widgets/trabalho_banco.h"

#include <QComboBox>

void preenche_filiais(Plataforma& plataforma, Banco& db, QComboBox* nomes, QComboBox* codigos,
                      const QString& codigoVazio) {
    nomes->addItem(QStringLiteral(" "));
    codigos->addItem(codigoVazio);
    leDoBanco(plataforma, QStringLiteral("a lista de filiais"), [&] {
        for (const FilialListada& f : lista_filiais(db)) {
            nomes->addItem(f.nome);
            codigos->addItem(QString::number(f.codigo));
        }
    });
}
