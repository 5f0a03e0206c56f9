#pragma once
// A report produced from its template and a request: the rows of each section already formatted,
// ready to be laid out on pages.

#include "data/banco.h"
#include "reports/modelo.h"
#include "reports/pedido.h"

#include <QStringList>
#include <QVector>

struct LinhaRelatorio {
    enum class Tipo { Detalhe, Grupo, Subtotal, Resumo, Vazio };
    Tipo tipo;
    QStringList celulas;   // Detalhe, Subtotal: one per column; Grupo, Vazio: the text;
                           // Resumo: the label and the value
};

struct SecaoRelatorio {
    QString titulo;
    QVector<ColunaModelo> colunas;
    QVector<LinhaRelatorio> linhas;
};

struct Relatorio {
    QString titulo;
    QString cabecalho;   // the template's header line, formulas filled in
    QString rodape;      // the template's footer, formulas filled in
    QVector<SecaoRelatorio> secoes;
};

// Reads the template named by the request (and its subreports, beside it), runs each section's
// query with the selection formula and sort fields, and formats the rows. Throws ErroRelatorio
// with a message for the operator when a template cannot be read, a formula is refused or a
// query fails.
Relatorio montaRelatorio(Banco& db, const PedidoRelatorio& pedido);
