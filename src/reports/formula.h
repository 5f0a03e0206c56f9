#pragma once
// The record selection formulas that the reports window sends, turned into SQL conditions with
// bound values. The grammar is small and closed:
//
//     formula     := empty | condicao { "and" condicao }
//     condicao    := "(" formula ")" | campo operador valor
//     campo       := "{" tabela "." campo "}"     a field of the database layout
//     operador    := "=" | "<>" | "<" | "<=" | ">" | ">="
//     valor       := "#" yyyy/mm/dd "#" | TRUE | FALSE | whole number
//
// Anything else ("or", text between quotes, functions, a field the layout does not have) is
// refused with a message for the operator; nothing of the formula is ever pasted into SQL but
// the names of fields the layout knows.

#include <QString>
#include <QStringList>
#include <QVariantList>

#include <stdexcept>

class ErroFormula : public std::runtime_error {
public:
    explicit ErroFormula(const QString& mensagem)
        : std::runtime_error(mensagem.toStdString()), mensagem_(mensagem) {}
    const QString& mensagem() const { return mensagem_; }

private:
    QString mensagem_;
};

struct CondicaoSql {
    QString sql;            // "1=1" for an empty formula
    QVariantList valores;   // in the order of the "?" in `sql`
    QStringList tabelas;    // the tables the formula names
};

// Throws ErroFormula.
CondicaoSql traduzFormula(const QString& formula);

// A field in braces as the sort fields and formulas name it: "{tabela.campo}" gives
// "tabela.campo" when the layout has that field; throws ErroFormula otherwise.
QString campoDaFormula(const QString& entreChaves);
