#include "yard/busca_patio.h"

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

}  // namespace

std::optional<RegistroPatio> busca_no_patio(Banco& db, const char* campo, const QVariant& valor) {
    const std::optional<QVariantList> linha = db.primeiraLinha(consulta(campo), {valor});
    if (!linha) return std::nullopt;
    RegistroPatio r;
    for (qsizetype i = 0; i < qsizetype(r.valores.size()); ++i) r.valores[size_t(i)] = linha->at(i);
    return r;
}
