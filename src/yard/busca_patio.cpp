#include "yard/busca_patio.h"

#include <sqlite3.h>

#include <cstring>

const std::array<const char*, 8> RegistroPatio::kCampos{
    "mensalista", "placa", "data_entrada", "hora_entrada", "ticket", "mensalista_pago", "prisma",
    "veiculo"};

QVariant RegistroPatio::value(QStringView campo) const {
    for (size_t i = 0; i < kCampos.size(); ++i)
        if (campo == QLatin1String(kCampos[i])) return valores[i];
    return {};
}

namespace {

const char* consulta(const char* campo) {
    static const char* const porCampo[][2] = {
        {"ticket", "SELECT mensalista, placa, data_entrada, hora_entrada, ticket, mensalista_pago, "
                   "prisma, veiculo FROM veiculos_patio WHERE ticket = ? LIMIT 1"},
        {"placa", "SELECT mensalista, placa, data_entrada, hora_entrada, ticket, mensalista_pago, "
                  "prisma, veiculo FROM veiculos_patio WHERE placa = ? LIMIT 1"},
        {"prisma", "SELECT mensalista, placa, data_entrada, hora_entrada, ticket, mensalista_pago, "
                   "prisma, veiculo FROM veiculos_patio WHERE prisma = ? LIMIT 1"},
    };
    for (const auto& c : porCampo)
        if (std::strcmp(c[0], campo) == 0) return c[1];
    throw ErroBanco(QStringLiteral("Campo de busca desconhecido: %1").arg(QLatin1String(campo)));
}

void liga(sqlite3_stmt* st, const QVariant& v) {
    if (v.isNull()) {
        sqlite3_bind_null(st, 1);
    } else if (v.typeId() == QMetaType::QString) {
        // In the file's own encoding, so the sort order compares it as it is.
        const QByteArray t = static_cast<const QString*>(v.constData())->toUtf8();
        sqlite3_bind_text(st, 1, t.constData(), int(t.size()), SQLITE_TRANSIENT);
    } else {
        sqlite3_bind_int64(st, 1, v.toLongLong());
    }
}

QVariant valorDaColuna(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_NULL: return {};
    case SQLITE_INTEGER: return QVariant(qlonglong(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT: return QVariant(sqlite3_column_double(st, i));
    default:
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                 sqlite3_column_bytes(st, i));
    }
}

}  // namespace

std::optional<RegistroPatio> busca_no_patio(Banco& db, const char* campo, const QVariant& valor) {
    sqlite3_stmt* st = db.preparado(consulta(campo));
    liga(st, valor);
    std::optional<RegistroPatio> r;
    const int passo = sqlite3_step(st);
    if (passo == SQLITE_ROW) {
        r.emplace();
        for (int i = 0; i < int(r->valores.size()); ++i) r->valores[size_t(i)] = valorDaColuna(st, i);
    }
    sqlite3_reset(st);
    if (passo != SQLITE_ROW && passo != SQLITE_DONE) db.falhaNativa();
    return r;
}
