#pragma once
// What the reports window asks of the report component: the template, the title, the selection
// formulas of the report and its subreports, the three formula fields and the two sort fields.

#include <QMap>
#include <QString>

#include <array>
#include <functional>

class Banco;

// A formula whose value comes from the data (the monthly fees of the period), given as the way
// to read it whole ("total_mensalidades= 12.5"): the report reads it in the one snapshot it reads
// its rows from, so that its totals and its rows agree whatever is written meanwhile.
using FormulaLida = std::function<QString(Banco&)>;

struct PedidoRelatorio {
    QString arquivo;                    // full path of the template
    QString titulo;                     // title of the preview window and of every page
    QString selecao;                    // selection formula of the main report
    QMap<QString, QString> selecaoSub;  // selection formula of each subreport, by name
    std::array<QString, 3> formulas;    // "titulo='...'", "total_mensalidades= 12.5", "rodape='...'"
    std::array<FormulaLida, 3> formulasLidas;   // where set, in place of the formula of its place
    std::array<QString, 2> ordem;       // "+{tabela.campo}" (ascending), "-{...}" or empty
};

// The formulas of a request as texts, those read from the data read on `db`. Throws ErroBanco.
std::array<QString, 3> textosFormulas(const PedidoRelatorio& pedido, Banco& db);
// The formula fields of a request, read on `db`: texts without their quotes, numbers as written.
// Throws ErroFormula (reports/formula.h) for a formula that is not "nome=valor", ErroBanco.
QMap<QString, QString> valoresFormulas(const PedidoRelatorio& pedido, Banco& db);
