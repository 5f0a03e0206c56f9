#include "config/tipos_mensalistas_editor.h"

#include "data/dinheiro.h"

#include <QSqlQuery>

namespace {

// The checks shared by insert and change; the refusal, if any.
std::optional<ResultadoEditor> recusaCampos(const QString& tip, const QString& valor,
                                            const QString& dia) {
    if (tip.trimmed().isEmpty())
        return ResultadoEditor::recusa(QStringLiteral("Preencha o campo Tipo Mensalista."),
                                       QStringLiteral("tip"));
    if (auto m = recusaValorDigitado(valor))
        return ResultadoEditor::recusa(*m, QStringLiteral("valor"));
    if (!Dinheiro::ler(valor))
        return ResultadoEditor::recusa(QStringLiteral("Valor deve ser número."),
                                       QStringLiteral("valor"));
    if (dia.trimmed().isEmpty())
        return ResultadoEditor::recusa(QStringLiteral("Preencha o dia de vencimento."),
                                       QStringLiteral("dia"));
    if (dia.trimmed().toInt() > 31)
        return ResultadoEditor::recusa(QStringLiteral("Dia deve ser no máximo igual a 31."),
                                       QStringLiteral("dia"));
    return std::nullopt;
}

const ResultadoEditor kJaExiste =
    ResultadoEditor::recusa(QStringLiteral("Tipo Mensalista já existente."), QStringLiteral("tip"));

QVariantList valores(const QString& tip, const QString& valor, const QString& dia) {
    return {tip.trimmed(), Dinheiro::ler(valor)->paraBanco(), dia.trimmed().toInt()};
}

}  // namespace

std::optional<TipoMensalista> buscaTipoMensalista(Banco& db, qint64 codigo) {
    QSqlQuery q = db.executa(QStringLiteral("SELECT codigo, tipo, valor, dia_vencto "
                                            "FROM tipos_mensalistas WHERE codigo = ?"),
                             {codigo});
    if (!q.next()) return std::nullopt;
    TipoMensalista t;
    t.cod = q.value(0).toString();
    t.tip = q.value(1).toString();
    t.valor = Dinheiro::doBanco(q.value(2)).value_or(Dinheiro{}).formata();
    if (!q.value(3).isNull())
        t.dia = QStringLiteral("%1").arg(q.value(3).toInt(), 2, 10, QLatin1Char('0'));
    return t;
}

ResultadoEditor insereTipoMensalista(Banco& db, const QString& tip, const QString& valor,
                                     const QString& dia, const Pergunta& pergunta) {
    if (auto r = recusaCampos(tip, valor, dia)) return *r;
    if (db.existe(QStringLiteral("SELECT codigo FROM tipos_mensalistas WHERE tipo = ?"),
                  {tip.trimmed()}))
        return kJaExiste;
    if (*Dinheiro::ler(valor) == Dinheiro{} &&
        !pergunta(QStringLiteral("Confirma valor da mensalidade igual a ZERO?")))
        return {};
    const qint64 codigo =
        db.valor(QStringLiteral("SELECT max(codigo) FROM tipos_mensalistas")).toLongLong() + 1;
    db.executa(QStringLiteral("INSERT INTO tipos_mensalistas (codigo, tipo, valor, dia_vencto) "
                              "VALUES (?, ?, ?, ?)"),
               QVariantList{codigo} + valores(tip, valor, dia));
    return ResultadoEditor::sucesso(QStringLiteral("Tipo Mensalista inserido com sucesso."),
                                    QStringLiteral("tip"));
}

ResultadoEditor alteraTipoMensalista(Banco& db, const QString& cod, const QString& tip,
                                     const QString& valor, const QString& dia) {
    if (cod.isEmpty())
        return ResultadoEditor::recusa(
            QStringLiteral("Escolha o tipo de mensalista a alterar na lista."));
    if (auto r = recusaCampos(tip, valor, dia)) return *r;
    // Two types whose names differ only in letter case could not be told apart in a list.
    if (db.existe(QStringLiteral("SELECT codigo FROM tipos_mensalistas WHERE tipo = ? AND codigo <> ?"),
                  {tip.trimmed(), cod.toLongLong()}))
        return kJaExiste;
    db.executa(QStringLiteral("UPDATE tipos_mensalistas SET tipo = ?, valor = ?, dia_vencto = ? "
                              "WHERE codigo = ?"),
               valores(tip, valor, dia) + QVariantList{cod.toLongLong()});
    return ResultadoEditor::sucesso(QStringLiteral("Alteração realizada com sucesso."));
}

ResultadoEditor excluiTipoMensalista(Banco& db, const QString& cod) {
    if (cod.isEmpty())
        return ResultadoEditor::recusa(
            QStringLiteral("Escolha na lista o tipo de mensalista a excluir."));
    // Subscribers marked as deleted keep their type too.
    if (db.existe(QStringLiteral("SELECT tipo FROM mensalistas WHERE tipo = ?"), {cod.toLongLong()}))
        return ResultadoEditor::recusa(
            QStringLiteral("Há mensalistas deste tipo. Este tipo não pode ser excluído."));
    db.executa(QStringLiteral("DELETE FROM tipos_mensalistas WHERE codigo = ?"), {cod.toLongLong()});
    return ResultadoEditor::sucesso(QStringLiteral("Tipo de mensalista excluído com sucesso."));
}
