#include "yard/cancelas.h"

#include "app/aviso_falhas.h"

#include <deque>

bool cancelaConfigurada(const QString& porta) { return !porta.trimmed().isEmpty(); }

quint16 enderecoCancela(const QString& porta) {
    return porta == QLatin1String("LPT1") ? quint16(0x378) : quint16(0x278);
}

quint8 valorCancela(Lado lado) { return lado == Lado::Entrada ? 1 : 2; }

qint32 msDeSegundos(qint32 segundos) { return segundos > 0 ? segundos * 1000 : 0; }

// What failed of one gate since its notice opened: how many pulses, and the port they went to.
struct ControleCancelas::Falhas {
    int vezes = 0;
    QString porta;
};

namespace {

QString nomeCancela(Lado lado) {
    return lado == Lado::Entrada ? QStringLiteral("entrada") : QStringLiteral("saída");
}

}  // namespace

// The pulses waiting for one port address, sent one after the other. Waits in flight hold the
// queue alive, so a pulse already begun always ends with its 0, whoever owned the queue.
struct ControleCancelas::Fila : std::enable_shared_from_this<Fila> {
    struct Pulso {
        Lado lado;
        QString porta;
        std::shared_ptr<QMap<QString, Falhas>> falhas;
        std::function<void(bool)> subiu;
        std::function<void()> depois;
    };

    Fila(Plataforma& p, quint16 e) : plataforma(p), endereco(e) {}

    void pede(Pulso pulso) {
        pendentes.push_back(std::move(pulso));
        proximo();
    }

    // A pulse the port refused, at its start or at its end: each one is told. A pulse fails
    // while the cashier may be typing the next car (the gate's delay, its lowering), so the
    // notice never takes the keyboard.
    void falhou(const Pulso& pulso) {
        avisaFalha(
            plataforma, pulso.falhas, QStringLiteral("cancela de ") + nomeCancela(pulso.lado),
            [&](Falhas& f) {
                ++f.vezes;
                f.porta = pulso.porta.trimmed();
                return QStringLiteral("Não foi possível acionar a cancela de %1%2: a porta %3 não "
                                      "respondeu. Verifique a ligação da cancela.")
                    .arg(nomeCancela(pulso.lado),
                         f.vezes > 1 ? QStringLiteral(" %1 vezes").arg(f.vezes) : QString(), f.porta);
            });
    }

    void proximo() {
        while (!ocupada && !pendentes.empty()) {
            Pulso pulso = std::move(pendentes.front());
            pendentes.pop_front();
            const auto subiu = std::move(pulso.subiu);
            if (!plataforma.porta().escreve(endereco, valorCancela(pulso.lado))) {
                falhou(pulso);
                if (subiu) subiu(false);
                continue;
            }
            // Busy before the caller learns it went up: a pulse asked for meanwhile waits.
            ocupada = true;
            plataforma.aguarda(kDuracaoPulsoMs, [self = shared_from_this(),
                                                 pulso = std::move(pulso)]() mutable {
                if (!self->plataforma.porta().escreve(self->endereco, 0)) self->falhou(pulso);
                self->ocupada = false;
                // The gate went up with the first write, whatever became of the second.
                if (pulso.depois) pulso.depois();
                self->proximo();
            });
            if (subiu) subiu(true);
        }
    }

    Plataforma& plataforma;
    const quint16 endereco;
    bool ocupada = false;
    std::deque<Pulso> pendentes;
};

ControleCancelas::ControleCancelas(Contexto& ctx, QTimer* timerEntrada, QTimer* timerSaida)
    : ctx_(ctx),
      timerEntrada_(timerEntrada),
      timerSaida_(timerSaida),
      falhas_(std::make_shared<QMap<QString, Falhas>>()) {}

ControleCancelas::~ControleCancelas() = default;

QString ControleCancelas::porta(Lado lado) const {
    return lado == Lado::Entrada ? ctx_.estado.cancela_entrada : ctx_.estado.cancela_saida;
}

QTimer* ControleCancelas::timer(Lado lado) const {
    return lado == Lado::Entrada ? timerEntrada_.data() : timerSaida_.data();
}

void ControleCancelas::pulso_cancela(Lado lado, std::function<void(bool)> subiu,
                                     std::function<void()> depois) {
    const QString p = porta(lado);
    const quint16 endereco = enderecoCancela(p);
    std::shared_ptr<Fila>& fila = filas_[endereco];
    if (!fila) fila = std::make_shared<Fila>(ctx_.plataforma, endereco);
    fila->pede({lado, p, falhas_, std::move(subiu), std::move(depois)});
}

void ControleCancelas::levanta(Lado lado, std::function<void(bool)> passa) {
    if (!cancelaConfigurada(porta(lado))) {
        // No gate to raise: nothing holds the car.
        if (passa) passa(true);
        return;
    }
    const qint32 ms = msDeSegundos(ctx_.estado.tempo_baixa_cancelas);
    QPointer<QTimer> t = timer(lado);
    // A gate that could not be raised is not lowered later: the lowering pulse would raise it.
    pulso_cancela(lado, std::move(passa), [t, ms] {
        if (ms > 0 && t) t->start(ms);
    });
}

void ControleCancelas::passoAutomatico(Lado lado) {
    const Estado& e = ctx_.estado;
    const bool automatica = lado == Lado::Entrada ? e.ativar_cancela_ent : e.ativar_cancela_sai;
    if (!cancelaConfigurada(porta(lado)) || !automatica) return;
    const qint32 espera =
        msDeSegundos(lado == Lado::Entrada ? e.tempo_cancela_ent : e.tempo_cancela_sai);
    if (espera == 0) {
        levanta(lado);
        return;
    }
    // The window thread stays free while the delay runs; the raise then follows in order. A
    // controller gone meanwhile (the window closed) raises nothing.
    std::weak_ptr<const bool> vivo = vivo_;
    ctx_.plataforma.aguarda(espera, [this, vivo, lado] {
        if (!vivo.expired()) levanta(lado);
    });
}

void ControleCancelas::baixa(Lado lado) {
    if (QTimer* t = timer(lado)) t->stop();
    if (cancelaConfigurada(porta(lado))) pulso_cancela(lado);
}
