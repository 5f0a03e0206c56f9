#include "app/falha_solta.h"

#include "data/banco.h"

#include <exception>

namespace {

void avisa(Plataforma& plataforma, const QString& texto) {
    try {
        plataforma.mensagem(texto, Icone::Critico);
    } catch (...) {
        // Nothing more can be told: the program goes on.
    }
}

}  // namespace

bool entregaSemEncerrar(Plataforma& plataforma, const std::function<bool()>& entrega) {
    try {
        return entrega();
    } catch (const ErroBanco& e) {
        avisa(plataforma, QStringLiteral("Não foi possível concluir a operação.\n%1").arg(e.mensagem()));
    } catch (const std::exception& e) {
        avisa(plataforma, QStringLiteral("Não foi possível concluir a operação: erro interno (%1).")
                              .arg(QString::fromLocal8Bit(e.what())));
    }
    return false;
}
