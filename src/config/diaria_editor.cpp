#include "config/diaria_editor.h"

#include "data/dinheiro.h"

ResultadoEditor gravaDiaria(Banco& db, const QString& tempo, const QString& valor) {
    const QString campoTempo = QStringLiteral("tem_dia");
    const QString horas = tempo.trimmed();
    if (horas.isEmpty())
        return ResultadoEditor::recusa(QStringLiteral("Preencha o tempo da diária (em horas)."),
                                       campoTempo);
    if (auto m = recusaValorDigitado(valor))
        return ResultadoEditor::recusa(*m, QStringLiteral("val_dia"));
    const auto preco = Dinheiro::ler(valor);
    if (!preco)
        return ResultadoEditor::recusa(QStringLiteral("Valor da diária inválido."),
                                       QStringLiteral("val_dia"));
    // The fee divides the stay by these hours: a day rate of 0 hours cannot be charged.
    if (horas.toInt() < 1)
        return ResultadoEditor::recusa(
            QStringLiteral("O tempo da diária deve ser de no mínimo 1 hora."), campoTempo);

    const QVariant linha = db.valor(QStringLiteral("SELECT min(rowid) FROM diaria"));
    if (linha.isNull())
        db.executa(QStringLiteral("INSERT INTO diaria (tempo, valor) VALUES (?, ?)"),
                   {horas.toInt(), preco->paraBanco()});
    else
        db.executa(QStringLiteral("UPDATE diaria SET tempo = ?, valor = ? WHERE rowid = ?"),
                   {horas.toInt(), preco->paraBanco(), linha});
    return ResultadoEditor::sucesso(QStringLiteral("Dados gravados com sucesso."));
}
