// The program clock: Timer1 advances it a second per tick; Timer2 re-synchronises it with the
// computer clock every 30 seconds and records clock and date changes made while a cash
// register is open.

#include "data/datas.h"
#include "widgets/cursor_ocupado.h"
#include "yard/acerto_relogio.h"
#include "yard/janela_principal.h"

#include <QLabel>
#include <QTimer>

void JanelaPrincipal::Timer1_Timer() {
    // The clock wraps at midnight and the date turns with it: what the lanes stamp is always one
    // moment, never the new day's time on the old day's date.
    Estado& e = ctx_.estado;
    const QTime antes = e.hora_atual;
    e.hora_atual = e.hora_atual.addSecs(1);
    if (e.hora_atual < antes) {
        e.data_atual = e.data_atual.addDays(1);
        paineis[1]->setText(QStringLiteral("Data: ") + dataBr(e.data_atual));
    }
    paineis[2]->setText(QStringLiteral("Hora: ") + horaHms(e.hora_atual));
}

void JanelaPrincipal::passoDoRelogio() {
    // A database that keeps failing is told once, not in a new message every 30 seconds piling
    // up over the lanes, and in a notice that never takes the keys typed for a car; the next
    // step that succeeds arms it again.
    CursorOcupado ampulheta;
    try {
        Timer2_Timer();
        erroRelogioAvisado_ = false;
    } catch (const ErroBanco& e) {
        if (erroRelogioAvisado_) return;
        erroRelogioAvisado_ = true;
        ctx_.plataforma.avisa(
            QStringLiteral("relógio"),
            e.mensagemPara(QStringLiteral("registrar a data e a hora do relógio do programa")),
            Icone::Critico, {});
    }
}

void JanelaPrincipal::Timer2_Timer() {
    Estado& e = ctx_.estado;
    const QDateTime agora = ctx_.plataforma.agora();
    const AcertoRelogio a = acerta_relogio(e.data_atual, e.hora_atual, agora);

    if (e.numero_caixa > 0 && a.saltoHorario)
        e.db.executa(QStringLiteral(
                         "INSERT INTO mudanca_horario (hora, caixa, hora_apos) VALUES (?, ?, ?)"),
                     {horaParaBanco(e.hora_atual), e.numero_caixa, horaParaBanco(agora.time())});
    if (e.numero_caixa > 0 && a.mudancaData)
        e.db.executa(QStringLiteral(
                         "INSERT INTO mudanca_data (data, caixa, data_apos) VALUES (?, ?, ?)"),
                     {dataParaBanco(e.data_atual), e.numero_caixa, dataParaBanco(a.data)});
    Timer1->setInterval(Timer1->interval() + a.ajusteTick);
    e.hora_atual = a.hora;
    e.data_atual = a.data;
    paineis[1]->setText(QStringLiteral("Data: ") + dataBr(e.data_atual));
    e.db.executa(QStringLiteral("UPDATE data_hora SET data = ?, hora = ?"),
                 {dataParaBanco(e.data_atual), horaParaBanco(e.hora_atual)});
}
