#include "yard/cancelas.h"

#include <deque>

bool cancelaConfigurada(const QString& porta) { return !porta.trimmed().isEmpty(); }

quint16 enderecoCancela(const QString& porta) {
    return porta == QLatin1String("LPT1") ? quint16(0x378) : quint16(0x278);
}

quint8 valorCancela(Lado lado) { return lado == Lado::Entrada ? 1 : 2; }

qint32 msDeSegundos(qint32 segundos) { return segundos > 0 ? segundos * 1000 : 0; }

namespace {

QString nomeCancela(Lado lado) {
    return lado == Lado::Entrada ? QStringLiteral("entrada") : QStringLiteral("saída");
}

}  // namespace

// Whether each gate's failure has been told: a gate whose device is missing is told once, not
// at every pulse, and again only after a pulse of it has gone out whole. A pulse fails while the
// cashier may be typing the next car (the gate's delay, its lowering): it is told in a notice
// that never takes the keyboard.
struct ControleCancelas::Avisos {
    explicit Avisos(Plataforma& p) : plataforma(p) {}
    void falhou(Lado lado, const QString& texto) {
        bool& avisado = avisados[lado == Lado::Entrada ? 0 : 1];
        if (avisado) return;
        avisado = true;
        plataforma.avisa(QStringLiteral("cancela de ") + nomeCancela(lado), texto, Icone::Exclamacao, {});
    }
    void funcionou(Lado lado) { avisados[lado == Lado::Entrada ? 0 : 1] = false; }

    Plataforma& plataforma;
    bool avisados[2] = {false, false};
};

// The pulses waiting for one port address, sent one after the other. Waits in flight hold the
// queue alive, so a pulse already begun always ends with its 0, whoever owned the queue.
struct ControleCancelas::Fila : std::enable_shared_from_this<Fila> {
    struct Pulso {
        Lado lado;
        quint8 valor;
        QString falha;                       // told to the operator when the port refuses
        std::shared_ptr<Avisos> avisos;
        std::function<void(bool)> depois;
    };

    Fila(Plataforma& p, quint16 e) : plataforma(p), endereco(e) {}

    void pede(Pulso pulso) {
        pendentes.push_back(std::move(pulso));
        proximo();
    }

    void proximo() {
        while (!ocupada && !pendentes.empty()) {
            Pulso pulso = std::move(pendentes.front());
            pendentes.pop_front();
            if (!plataforma.porta().escreve(endereco, pulso.valor)) {
                pulso.avisos->falhou(pulso.lado, pulso.falha);
                if (pulso.depois) pulso.depois(false);
                continue;
            }
            ocupada = true;
            plataforma.aguarda(kDuracaoPulsoMs, [self = shared_from_this(),
                                                 pulso = std::move(pulso)]() mutable {
                if (self->plataforma.porta().escreve(self->endereco, 0))
                    pulso.avisos->funcionou(pulso.lado);
                else
                    pulso.avisos->falhou(pulso.lado, pulso.falha);
                self->ocupada = false;
                // The gate went up with the first write, whatever became of the second.
                if (pulso.depois) pulso.depois(true);
                self->proximo();
            });
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
      avisos_(std::make_shared<Avisos>(ctx.plataforma)) {}

ControleCancelas::~ControleCancelas() = default;

QString ControleCancelas::porta(Lado lado) const {
    return lado == Lado::Entrada ? ctx_.estado.cancela_entrada : ctx_.estado.cancela_saida;
}

QTimer* ControleCancelas::timer(Lado lado) const {
    return lado == Lado::Entrada ? timerEntrada_.data() : timerSaida_.data();
}

void ControleCancelas::pulso_cancela(Lado lado, std::function<void(bool)> depois) {
    const QString p = porta(lado);
    const quint16 endereco = enderecoCancela(p);
    std::shared_ptr<Fila>& fila = filas_[endereco];
    if (!fila) fila = std::make_shared<Fila>(ctx_.plataforma, endereco);
    fila->pede({lado, valorCancela(lado),
                QStringLiteral("Não foi possível acionar a cancela de %1: a porta %2 não "
                               "respondeu. Verifique a ligação da cancela.")
                    .arg(nomeCancela(lado), p.trimmed()),
                avisos_, std::move(depois)});
}

void ControleCancelas::levanta(Lado lado) {
    if (!cancelaConfigurada(porta(lado))) return;
    const qint32 ms = msDeSegundos(ctx_.estado.tempo_baixa_cancelas);
    QPointer<QTimer> t = timer(lado);
    pulso_cancela(lado, [t, ms](bool levantou) {
        // A gate that could not be raised is not lowered later: the lowering pulse would raise it.
        if (levantou && ms > 0 && t) t->start(ms);
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
