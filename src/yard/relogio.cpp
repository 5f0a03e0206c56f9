// The program clock: Timer1 advances it a second per tick; Timer2 re-synchronises it with the
// computer clock every 30 seconds and records clock and date changes made while a cash
// register is open.

#include "data/datas.h"
#include "yard/janela_principal.h"

#include <QLabel>
#include <QTimer>

namespace {

// Signed distance from the program clock to the computer's time of day, taking the shorter
// way round midnight, so that the clock passing 24:00 is not taken for a jump.
int distanciaMs(const QTime& de, const QTime& ate) {
    constexpr int dia = 24 * 3600 * 1000;
    int d = de.msecsTo(ate);
    if (d > dia / 2) d -= dia;
    if (d <= -dia / 2) d += dia;
    return d;
}

}  // namespace

void JanelaPrincipal::Timer1_Timer() {
    // The clock wraps at midnight: every value it stamps stays a valid time of day.
    ctx_.estado.hora_atual = ctx_.estado.hora_atual.addSecs(1);
    paineis[2]->setText(QStringLiteral("Hora: ") + horaHms(ctx_.estado.hora_atual));
}

void JanelaPrincipal::passoDoRelogio() {
    // A database that keeps failing is told once, not in a new message box every 30 seconds
    // piling up over the lanes; the next step that succeeds arms the message again.
    try {
        Timer2_Timer();
        erroRelogioAvisado_ = false;
    } catch (const ErroBanco& e) {
        if (erroRelogioAvisado_) return;
        erroRelogioAvisado_ = true;
        ctx_.plataforma.mensagem(e.mensagem(), Icone::Critico);
    }
}

void JanelaPrincipal::Timer2_Timer() {
    Estado& e = ctx_.estado;
    const QDateTime agora = ctx_.plataforma.agora();
    const QTime agoraHora = agora.time();
    const QDate hoje = agora.date();
    const int diferenca = distanciaMs(e.hora_atual, agoraHora);

    if (e.numero_caixa > 0 && (diferenca < -30000 || diferenca > 30000))
        e.db.executa(QStringLiteral(
                         "INSERT INTO mudanca_horario (hora, caixa, hora_apos) VALUES (?, ?, ?)"),
                     {horaParaBanco(e.hora_atual), e.numero_caixa, horaParaBanco(agoraHora)});

    if (diferenca > 1000) {
        e.hora_atual = agoraHora;
        Timer1->setInterval(Timer1->interval() - 1);  // the program clock ran slow
    } else if (diferenca < -1000) {
        e.hora_atual = agoraHora;
        Timer1->setInterval(Timer1->interval() + 1);  // it ran fast
    }

    // The natural change of date at midnight is seen within the first two minutes and is
    // not a change made by hand.
    if (e.data_atual != hoje && e.hora_atual > QTime(0, 2, 0) && e.numero_caixa > 0)
        e.db.executa(QStringLiteral(
                         "INSERT INTO mudanca_data (data, caixa, data_apos) VALUES (?, ?, ?)"),
                     {dataParaBanco(e.data_atual), e.numero_caixa, dataParaBanco(hoje)});
    e.data_atual = hoje;
    paineis[1]->setText(QStringLiteral("Data: ") + dataBr(e.data_atual));
    e.db.executa(QStringLiteral("UPDATE data_hora SET data = ?, hora = ?"),
                 {dataParaBanco(e.data_atual), horaParaBanco(e.hora_atual)});
}
