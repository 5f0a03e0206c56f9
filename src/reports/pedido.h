#pragma once
// What the reports window asks of the report component: the template, the title, the selection
// formulas of the report and its subreports, the three formula fields and the two sort fields.

#include <QMap>
#include <QString>

#include <array>

struct PedidoRelatorio {
    QString arquivo;                    // full path of the template
    QString titulo;                     // title of the preview window and of every page
    QString selecao;                    // selection formula of the main report
    QMap<QString, QString> selecaoSub;  // selection formula of each subreport, by name
    std::array<QString, 3> formulas;    // "titulo='...'", "total_mensalidades= 12.5", "rodape='...'"
    std::array<QString, 2> ordem;       // "+{tabela.campo}" (ascending), "-{...}" or empty
};

// The formula fields of a request, read: texts without their quotes, numbers as written.
// Throws ErroFormula (reports/formula.h) for a formula that is not "nome=valor".
QMap<QString, QString> valoresFormulas(const PedidoRelatorio& pedido);
