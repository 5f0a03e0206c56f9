#pragma once
// The two barrier gates. Each gate is worked by a one-second pulse on one data line of a
// parallel port; the same pulse raises it and, later, lowers it. Pulses never block the window:
// the second they last is a wait of the platform, and pulses to one port address are queued so
// that they never overlap (two gates on the same port would otherwise cut each other short).

#include "app/contexto.h"

#include <QMap>
#include <QPointer>
#include <QString>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

enum class Lado { Entrada, Saida };

// A gate is configured when its port text is not blank (" " means no gate).
bool cancelaConfigurada(const QString& porta);
// "LPT1" is 0x378; any other port text is 0x278.
quint16 enderecoCancela(const QString& porta);
// Data value while the pulse lasts: 1 (D0) for the entry gate, 2 (D1) for the exit gate.
quint8 valorCancela(Lado lado);
// Seconds to milliseconds, wide enough for the 99 s the settings accept.
qint32 msDeSegundos(qint32 segundos);

inline constexpr int kDuracaoPulsoMs = 1000;

class ControleCancelas {
public:
    // The lowering timers belong to the main window; they may be absent in tests of the lanes.
    ControleCancelas(Contexto& ctx, QTimer* timerEntrada, QTimer* timerSaida);
    ~ControleCancelas();
    ControleCancelas(const ControleCancelas&) = delete;
    ControleCancelas& operator=(const ControleCancelas&) = delete;

    // `pulso_cancela`: data value, one second, then 0, to the gate's port. `subiu` learns at
    // the first write whether the gate moved (false when the port refused it); `depois` runs once
    // a pulse that moved the gate has ended. Every failure is told: one notice per gate counts
    // them until the operator closes it.
    void pulso_cancela(Lado lado, std::function<void(bool subiu)> subiu = {},
                       std::function<void()> depois = {});

    // Raises a configured gate now and, once the pulse has ended, arms its lowering timer for
    // `tempo_baixa_cancelas` seconds (when above 0). Used by the manual gate lists: `passa`
    // learns whether the car may go, true once the gate went up (at once for a gate with no
    // port), false when the port refused and the gate stayed down.
    void levanta(Lado lado, std::function<void(bool passa)> passa = {});

    // The automatic raise after an entry or an exit: when the gate is configured and set to rise
    // by itself, waits its delay and then raises it as `levanta` does.
    void passoAutomatico(Lado lado);

    // The lowering timer's event: one lowering pulse for a configured gate, and the timer
    // disarmed in every case.
    void baixa(Lado lado);

    QTimer* timer(Lado lado) const;

private:
    struct Fila;
    struct Falhas;
    QString porta(Lado lado) const;

    Contexto& ctx_;
    QPointer<QTimer> timerEntrada_;
    QPointer<QTimer> timerSaida_;
    std::map<quint16, std::shared_ptr<Fila>> filas_;
    std::shared_ptr<QMap<QString, Falhas>> falhas_;   // by the notice of each gate
    std::shared_ptr<const bool> vivo_ = std::make_shared<const bool>(true);
};
