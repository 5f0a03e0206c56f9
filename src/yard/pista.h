#pragma once
// The lanes: an entry or an exit that the main window's panel asks for is registered, its ticket
// or receipt printed when asked, and its gate worked, raised at once or queued for a raise by
// hand and lowered by its timer. The assembly builds one beside the main window and connects the
// window's "Registrar" buttons and "Ativar Cancela" lists to it.

#include "app/contexto.h"
#include "yard/cancelas.h"
#include "yard/entrada.h"
#include "yard/saida.h"

#include <QObject>

class QTimer;

class Pista : public QObject {
public:
    // The gates' lowering timers, "timer_cancela_entrada" and "timer_cancela_saida", live under
    // `dono`, the window the lanes serve.
    Pista(Contexto& ctx, QObject* dono);

    ResultadoPista entrada(const CamposEntrada& campos, bool imprime);
    // "Registrar e Imprimir" after a fiscal coupon leaves the panel as it is.
    ResultadoPista saida(const CamposSaida& campos, bool imprime);

    ControleCancelas& cancelas() { return cancelas_; }

private:
    QTimer* timerBaixa(const char* nome, Lado lado);

    Contexto& ctx_;
    ControleCancelas cancelas_;
};
