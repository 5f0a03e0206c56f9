#include "reports/construcao.h"

#include <QElapsedTimer>

namespace {

constexpr int kMsPorTurno = 40;
constexpr int kLinhasPorLote = 256;

}  // namespace

ConstrucaoRelatorio::ConstrucaoRelatorio(std::unique_ptr<MontagemRelatorio> montagem)
    : montagem_(std::move(montagem)), documento_(montagem_->documento()) {
    relogio_.setInterval(0);
    connect(&relogio_, &QTimer::timeout, this, &ConstrucaoRelatorio::turno);
}

ConstrucaoRelatorio::~ConstrucaoRelatorio() { cancela(); }

void ConstrucaoRelatorio::inicia() {
    if (montagem_) relogio_.start();
}

void ConstrucaoRelatorio::cancela() {
    if (!montagem_) return;
    documento_->interrompe();
    encerra();
}

void ConstrucaoRelatorio::encerra() {
    relogio_.stop();
    montagem_.reset();   // ends the queries' reads
    emit terminou();
}

void ConstrucaoRelatorio::turno() {
    if (!montagem_) return;
    QElapsedTimer t;
    t.start();
    bool pronto = false;
    try {
        do {
            pronto = montagem_->avanca(kLinhasPorLote);
        } while (!pronto && t.elapsed() < kMsPorTurno);
    } catch (const ErroRelatorio& e) {
        erro_ = e.mensagem();
        documento_->interrompe();
        encerra();
        return;
    }
    lidas_ = montagem_->linhasLidas();
    documento_->avisaCrescimento();
    emit progrediu();
    if (pronto) encerra();
}
