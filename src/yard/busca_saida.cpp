#include "yard/busca_saida.h"

#include "data/datas.h"
#include "yard/resultado_pista.h"

#include <sqlite3.h>

#include <algorithm>
#include <charconv>

namespace {

QString textoDaColuna(sqlite3_stmt* st, int coluna) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_column_text(st, coluna));
    return p ? QString::fromUtf8(p, sqlite3_column_bytes(st, coluna)) : QString();
}

// Binds `texto` as UTF-8. A plate is ASCII: it is copied as it is, with no buffer of its own
// to allocate and free at every lookup; anything else is encoded.
void ligaTexto(sqlite3_stmt* st, int i, const QString& texto) {
    char ascii[32];
    if (texto.size() <= qsizetype(sizeof ascii) &&
        std::all_of(texto.cbegin(), texto.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
        for (qsizetype k = 0; k < texto.size(); ++k) ascii[k] = char(texto[k].unicode());
        sqlite3_bind_text(st, i, ascii, int(texto.size()), SQLITE_TRANSIENT);
        return;
    }
    const QByteArray utf8 = texto.toUtf8();
    sqlite3_bind_text(st, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// The ticket left-aligned in 10 characters, as the lane's ticket field holds it.
QString ticketNoCampo(qint64 ticket) {
    char b[24];
    const int n = int(std::to_chars(b, b + sizeof b, ticket).ptr - b);
    const int tamanho = std::max(n, 10);
    std::fill(b + n, b + tamanho, ' ');
    return QString::fromLatin1(b, tamanho);
}

}  // namespace

std::optional<VeiculoEncontrado> busca_saida(Banco& db, CampoBusca campo, const QString& texto,
                                             const QDate& data_atual, const QTime& hora_atual) {
    const QString limpo = texto.trimmed();
    qint64 numero = 0;
    bool ehNumero = true;
    switch (campo) {
    case CampoBusca::Ticket:
        numero = limpo.toLongLong(&ehNumero);
        break;
    case CampoBusca::Prisma:
        numero = limpo.toInt(&ehNumero);
        break;
    case CampoBusca::Placa:
        if (placaEmBranco(texto)) return std::nullopt;
        break;
    }
    if (limpo.isEmpty() || !ehNumero) return std::nullopt;

    // One statement kept for each field: the exit looks up at every vehicle, and reads the row's
    // columns straight from it.
    static const char* const consultas[] = {
        "SELECT ticket, placa, data_entrada, hora_entrada, veiculo FROM veiculos_patio "
        "WHERE ticket = ? ORDER BY rowid LIMIT 1",
        "SELECT ticket, placa, data_entrada, hora_entrada, veiculo FROM veiculos_patio "
        "WHERE placa = ? ORDER BY rowid LIMIT 1",
        "SELECT ticket, placa, data_entrada, hora_entrada, veiculo FROM veiculos_patio "
        "WHERE prisma = ? ORDER BY rowid LIMIT 1",
    };
    sqlite3_stmt* st = db.preparado(consultas[int(campo)]);
    if (campo == CampoBusca::Placa) {
        ligaTexto(st, 1, texto);
    } else {
        sqlite3_bind_int64(st, 1, numero);
    }
    const int r = sqlite3_step(st);
    if (r != SQLITE_ROW) {
        sqlite3_reset(st);
        if (r != SQLITE_DONE) db.falhaNativa();
        return std::nullopt;
    }
    VeiculoEncontrado v;
    v.mensalista = sqlite3_column_type(st, 0) == SQLITE_NULL;
    v.tic = v.mensalista ? QStringLiteral("0000000000")
                         : ticketNoCampo(sqlite3_column_int64(st, 0));
    v.pla = textoDaColuna(st, 1);
    v.dat_ent = dataBrDoBanco(textoDaColuna(st, 2));
    v.hor_ent = horaHmsDoBanco(textoDaColuna(st, 3));
    v.vei = textoDaColuna(st, 4);
    sqlite3_reset(st);
    v.dat_sai = dataBr(data_atual);
    v.hor_sai = horaHms(hora_atual);
    return v;
}
