#pragma once
// The end of the ticket numbers: a stay's ticket is stored in a 32-bit field, so the counter
// gives numbers up to 2147483647 and no further. The lanes warn while numbers remain, never show
// a number that cannot be given, and at the end say how the numbering starts again.

#include "app/plataforma.h"

#include <QString>

#include <memory>
#include <optional>

// The highest ticket a stay can hold.
inline constexpr qint64 kMaiorTicket = 2147483647;
// With this many numbers left, or fewer, the operator is warned: weeks of entries at a busy lane.
inline constexpr qint64 kAvisoFimTickets = 100000;

// The numbering stands near its end (or at it) when the counter's last ticket is `ultimo`.
inline bool numeracao_no_fim(qint64 ultimo) { return kMaiorTicket - ultimo <= kAvisoFimTickets; }

// The next ticket after `ultimo`, the counter's last (`ultimo_ticket`), with what to tell.
struct ProximoTicket {
    std::optional<qint64> numero;   // none once every number was given
    QString aviso;                  // few numbers left, or none; empty while plenty remain
};
ProximoTicket proximo_ticket(qint64 ultimo);

// The refusal of a casual vehicle's entry once the numbers are exhausted.
QString msgTicketsEsgotados();

// The notice of the numbers' end, given each time the lane shows the next ticket. Once closed it
// does not come back at every car: only when the numbers left fall to a lower power of ten, and
// when they run out. While it is shown its count follows every entry.
class AvisoFimTickets {
public:
    void atualiza(Plataforma& plataforma, qint64 ultimo, const ProximoTicket& proximo);

private:
    std::shared_ptr<bool> aberto_ = std::make_shared<bool>(false);
    int nivel_ = -1;   // digits of the numbers left when it was last given; -1: never given
};
