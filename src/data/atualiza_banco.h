#pragma once

#include "data/banco.h"

// An upgrade step that failed; the file was left exactly as it was before the upgrade.
class ErroAtualizacao : public ErroBanco {
public:
    ErroAtualizacao(int passo, const QString& causa);
    int passo() const { return passo_; }

private:
    int passo_;
};

// Brings a database of an older `versao` to the current layout, keeping every row, and writes
// the current version into `geral`. The whole upgrade is one transaction: a step that fails
// rolls everything back (version included) and throws ErroAtualizacao naming the step.
void atualiza_banco(Banco& db, int versao);
