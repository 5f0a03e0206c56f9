#include "config/turnos_editor.h"

#include "app/valida_hora.h"
#include "config/tempo_digitado.h"
#include "data/datas.h"
#include "data/dinheiro.h"

namespace {

// A half-typed time ("8 :00") is refused along with the times out of the day.
bool horaValida(const QString& texto) { return valida_hora(texto) && tempoCompleto(texto); }

// A stored shift that has `hora` strictly inside it.
bool emConflito(Banco& db, const QVariant& hora) {
    return db.existe(QStringLiteral("SELECT hora_inicial FROM turnos "
                                    "WHERE hora_inicial < ? AND hora_final > ?"),
                     {hora, hora});
}

}  // namespace

ResultadoEditor insereTurno(Banco& db, const QString& inicio, const QString& fim,
                            const QString& valor, const Pergunta& pergunta) {
    if (!horaValida(inicio))
        return ResultadoEditor::recusa(QStringLiteral("Hora Inicial inválida."),
                                       QStringLiteral("hor_ini_tur"));
    if (!horaValida(fim))
        return ResultadoEditor::recusa(QStringLiteral("Hora Final inválida."),
                                       QStringLiteral("hor_fim_tur"));
    if (auto m = recusaValorDigitado(valor))
        return ResultadoEditor::recusa(*m, QStringLiteral("val_tur"));
    const auto preco = Dinheiro::ler(valor);
    if (!preco)
        return ResultadoEditor::recusa(QStringLiteral("Valor inválido."), QStringLiteral("val_tur"));
    const QVariant s = horaParaBanco(tempoDoTexto(inicio));
    const QVariant e = horaParaBanco(tempoDoTexto(fim));
    if (emConflito(db, s))
        return ResultadoEditor::recusa(
            QStringLiteral("Hora Inicial em conflito com outro turno já cadastrado."),
            QStringLiteral("hor_ini_tur"));
    if (emConflito(db, e))
        return ResultadoEditor::recusa(
            QStringLiteral("Hora Final em conflito com outro turno já cadastrado."),
            QStringLiteral("hor_fim_tur"));
    if (inicio > fim &&
        !pergunta(QStringLiteral("Hora inicial maior que hora final. Deseja cadastrar mesmo assim?")))
        return {};

    db.executa(QStringLiteral("INSERT INTO turnos (hora_inicial, hora_final, valor) VALUES (?, ?, ?)"),
               {s, e, preco->paraBanco()});
    return ResultadoEditor::sucesso(QStringLiteral("Turno adicionado com sucesso."),
                                    QStringLiteral("hor_ini_tur"));
}

ResultadoEditor excluiTurno(Banco& db, int atual, const QString& inicioLinha1,
                            const QString& inicio, const QString& fim) {
    if (atual < 1)
        return ResultadoEditor::recusa(QStringLiteral("Selecione o turno a excluir da lista."));
    if (inicioLinha1.isEmpty())
        return ResultadoEditor::recusa(QStringLiteral("Lista de turnos vazia."));
    const QVariant linha = db.valor(
        QStringLiteral("SELECT rowid FROM turnos WHERE hora_inicial = ? AND hora_final = ? LIMIT 1"),
        {horaParaBanco(tempoDoTexto(inicio)), horaParaBanco(tempoDoTexto(fim))});
    if (linha.isNull()) return ResultadoEditor::recusa(QStringLiteral("Turno não cadastrado."));
    db.executa(QStringLiteral("DELETE FROM turnos WHERE rowid = ?"), {linha});
    return ResultadoEditor::sucesso(QStringLiteral("Turno excluído com sucesso."));
}
