#include "branches/andamento.h"

#include <sqlite3.h>

#include <algorithm>

namespace {

constexpr int kIntervaloAviso = 100;       // milliseconds between two calls to the window
constexpr int kInstrucoesEntreOlhadas = 20000;

int olhada(void* dado) { return static_cast<Andamento*>(dado)->continua() ? 0 : 1; }

}  // namespace

Andamento::Andamento(Aviso aviso) : aviso_(std::move(aviso)) {}

void Andamento::defineTotal(qint64 total) {
    total_ = std::max<qint64>(total, 1);
    feitos_ = 0;
}

void Andamento::avanca(qint64 feitos) { feitos_ = std::min(total_, feitos_ + feitos); }

bool Andamento::continua() {
    if (cancelado_) return false;
    if (!aviso_) return true;
    if (desdeAviso_.isValid() && desdeAviso_.elapsed() < kIntervaloAviso) return true;
    desdeAviso_.start();
    const int milesimos = total_ > 0 ? int(feitos_ * 1000 / total_) : 0;
    cancelado_ = !aviso_(milesimos);
    return !cancelado_;
}

Andamento::Vigia::Vigia(Andamento* andamento, sqlite3* conexao)
    : conexao_(andamento ? conexao : nullptr) {
    if (conexao_) sqlite3_progress_handler(conexao_, kInstrucoesEntreOlhadas, olhada, andamento);
}

Andamento::Vigia::~Vigia() {
    if (conexao_) sqlite3_progress_handler(conexao_, 0, nullptr, nullptr);
}
