#pragma once
// What a tab of the configuration window gets back from one of its buttons: done, with the
// message to show, or refused, with the message, its icon and the control that takes the focus.

#include "app/plataforma.h"

#include <QString>

struct ResultadoAba {
    bool feito = false;
    // Shown in a message box when not empty: the refusal, or the success message. Empty when the
    // operator answered No to a question (nothing written, nothing shown).
    QString mensagem;
    Icone icone = Icone::Informacao;
    // objectName of the control that takes the focus after a refusal; empty leaves it where it is.
    QString foco;

    static ResultadoAba recusa(const QString& mensagem, Icone icone = Icone::Informacao,
                               const QString& foco = {}) {
        ResultadoAba r;
        r.mensagem = mensagem;
        r.icone = icone;
        r.foco = foco;
        return r;
    }
    static ResultadoAba sucesso(const QString& mensagem) {
        ResultadoAba r;
        r.feito = true;
        r.mensagem = mensagem;
        return r;
    }
};

inline const QString kMsgGravados = QStringLiteral("Dados gravados com sucesso.");
