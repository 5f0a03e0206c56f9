#include "subscribers/registro_mensalista.h"

std::optional<ResultadoMensalista> verifica_veiculo(Banco& db,
                                                     const std::optional<ChaveMensalista>& carregado,
                                                     const QString& vei, const QString& ano,
                                                     const QString& pla,
                                                     const QStringList& placasNaLista,
                                                     int anoAtual) {
    using R = ResultadoMensalista;
    using C = CampoMensalista;
    if (vei.trimmed().isEmpty()) return R::recusa(QStringLiteral("Preencha o veículo."), C::vei);
    if (!ano.trimmed().isEmpty()) {
        const int n = ano.trimmed().toInt();
        if (n < 1900 || n > anoAtual + 1)
            return R::recusa(QStringLiteral("Ano do veículo inválido."), C::ano);
    }
    const QString placa = pla.trimmed();
    if (placa == QLatin1String("-"))
        return R::recusa(QStringLiteral("Preencha a placa do veículo."), C::pla);
    if (!placasNaLista.isEmpty() && !placasNaLista.front().isEmpty())
        for (const QString& p : placasNaLista)
            if (p == placa) return R::recusa(QStringLiteral("Este veículo já foi inserido."), C::pla);

    return placaDeOutro(db, carregado, pla);
}

ResultadoExclusaoMensalista exclui_mensalista(
    Banco& db, const ChaveMensalista& m, const std::function<bool(const QString& nome)>& confirma) {
    ResultadoExclusaoMensalista r;
    const CondicaoMensalista seu = doCadastro(m);
    const auto linha = db.primeiraLinha(
        QStringLiteral("SELECT nome FROM mensalistas WHERE %1").arg(seu.sql).toUtf8().constData(),
        seu.valores);
    if (!linha) return r;
    r.encontrado = true;
    if (!confirma(linha->first().toString())) return r;
    r.excluido = true;
    // One transaction, so that the count read after it cannot fail after a stored delete.
    Transacao t(db);
    db.executa(QStringLiteral("UPDATE mensalistas SET excluido = 1 WHERE ") + seu.sql, seu.valores);
    r.restamAtivos =
        db.existe(QStringLiteral("SELECT codigo FROM mensalistas WHERE excluido = 0"));
    t.confirma();
    return r;
}
