#pragma once
// What an editor of the configuration window reports back to the window: the message to show
// (with the information icon; none after a No to a question), where the focus goes, and
// whether anything was stored.

#include <QString>

#include <functional>

struct ResultadoEditor {
    bool gravado = false;
    QString mensagem;   // empty: nothing to show
    QString foco;       // objectName of the field that gets the focus; empty leaves it

    static ResultadoEditor recusa(const QString& mensagem, const QString& foco = QString()) {
        return {false, mensagem, foco};
    }
    static ResultadoEditor sucesso(const QString& mensagem, const QString& foco = QString()) {
        return {true, mensagem, foco};
    }
};

// Asks the operator a Yes/No question; true for Yes.
using Pergunta = std::function<bool(const QString&)>;
