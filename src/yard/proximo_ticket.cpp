#include "yard/proximo_ticket.h"

namespace {

const QString kComoRecomecar =
    QStringLiteral("em \"Configurações\", aba \"Geral\", digite o próximo ticket em \"Próx. tic.\" e "
                   "clique em \"Alterar\".");

}  // namespace

QString msgTicketsEsgotados() {
    return QStringLiteral("Os números de ticket acabaram: o último que pode ser emitido, %1, já foi "
                          "usado, e nenhum avulso entra até que a numeração recomece. Para "
                          "recomeçá-la, %2")
        .arg(kMaiorTicket)
        .arg(kComoRecomecar);
}

ProximoTicket proximo_ticket(qint64 ultimo) {
    ProximoTicket p;
    const qint64 restam = kMaiorTicket - ultimo;
    if (restam <= 0) {
        p.aviso = msgTicketsEsgotados();
        return p;
    }
    p.numero = ultimo + 1;
    if (numeracao_no_fim(ultimo))
        p.aviso = (restam == 1 ? QStringLiteral("Resta 1 número de ticket")
                               : QStringLiteral("Restam %1 números de ticket").arg(restam)) +
                  QStringLiteral(": o último que pode ser emitido é o %1. Recomece a numeração antes "
                                 "que acabem: %2")
                      .arg(kMaiorTicket)
                      .arg(kComoRecomecar);
    return p;
}

void AvisoFimTickets::atualiza(Plataforma& plataforma, qint64 ultimo, const ProximoTicket& proximo) {
    if (proximo.aviso.isEmpty()) return;
    const qint64 restam = qMax<qint64>(0, kMaiorTicket - ultimo);
    const int nivel = restam == 0 ? 0 : int(QString::number(restam).size());
    if (!*aberto_ && nivel_ >= 0 && nivel >= nivel_) return;
    nivel_ = nivel;
    *aberto_ = true;
    plataforma.avisa(QStringLiteral("numeração de tickets"), proximo.aviso, Icone::Exclamacao,
                     [aberto = std::weak_ptr<bool>(aberto_)] {
                         if (const auto a = aberto.lock()) *a = false;
                     });
}
