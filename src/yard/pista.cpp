#include "yard/pista.h"

#include "yard/imprime_pista.h"

#include <QTimer>

Pista::Pista(Contexto& ctx, QObject* dono)
    : QObject(dono),
      ctx_(ctx),
      cancelas_(ctx, timerBaixa("timer_cancela_entrada", Lado::Entrada),
                timerBaixa("timer_cancela_saida", Lado::Saida)) {}

QTimer* Pista::timerBaixa(const char* nome, Lado lado) {
    auto* t = new QTimer(this);
    t->setObjectName(QLatin1String(nome));
    t->setSingleShot(true);
    connect(t, &QTimer::timeout, this, [this, lado] { cancelas_.baixa(lado); });
    return t;
}

ResultadoPista Pista::entrada(const CamposEntrada& campos, bool imprime) {
    const ResultadoPista r = registra_entrada(ctx_, cancelas_, campos);
    if (r.registrado && imprime) imprime_entrada(ctx_, campos, r);
    return r;
}

ResultadoPista Pista::saida(const CamposSaida& campos, bool imprime) {
    ResultadoPista r = registra_saida(ctx_, cancelas_, campos);
    if (r.registrado && imprime) imprime_saida(ctx_, campos, r);
    return r;
}
