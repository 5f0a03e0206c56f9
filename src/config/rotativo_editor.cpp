#include "config/rotativo_editor.h"

#include "config/tempo_digitado.h"
#include "data/datas.h"
#include "data/dinheiro.h"

namespace {

const QString kPreencha = QStringLiteral("Preencha o tempo corretamente.");
const QString kMinutos = QStringLiteral("O valor máximo para os minutos é 59.");
const QString kHoras = QStringLiteral("O valor máximo para as horas é 23.");

// A half-typed time (a blank left in a place) is not filled in correctly either.
bool malPreenchido(const QString& tempo) {
    return tempo.trimmed().size() < 5 || !tempoCompleto(tempo);
}

// Minutes, then hours: a time of day, so at most 23:59.
std::optional<ResultadoEditor> recusaForaDoDia(const QString& tempo, const QString& campo) {
    if (minutosDoTexto(tempo) > 59) return ResultadoEditor::recusa(kMinutos, campo);
    if (horasDoTexto(tempo) > 23) return ResultadoEditor::recusa(kHoras, campo);
    return std::nullopt;
}

}  // namespace

std::optional<ResultadoEditor> validaPassoRotativo(const QString& tempo, const QString& valor) {
    const QString campo = QStringLiteral("tem_rot");
    if (malPreenchido(tempo)) return ResultadoEditor::recusa(kPreencha, campo);
    if (tempo == QLatin1String("00:00"))
        return ResultadoEditor::recusa(QStringLiteral("O tempo não pode ser 00:00"), campo);
    if (auto r = recusaForaDoDia(tempo, campo)) return r;
    if (auto m = recusaValorDigitado(valor))
        return ResultadoEditor::recusa(*m, QStringLiteral("val_rot"));
    if (!Dinheiro::ler(valor))
        return ResultadoEditor::recusa(QStringLiteral("Valor inválido."), QStringLiteral("val_rot"));
    return std::nullopt;
}

int adiciona_linha_rotativo(GradeRotativo& grade, const QString& tempo, const QString& valor) {
    if (grade.isEmpty()) grade.append(PassoRotativo{});
    int alvo;   // index into the grade
    if (grade.size() == 1 && grade[0].tempo.isEmpty()) {
        alvo = 0;
    } else if (!grade.last().tempo.isEmpty()) {
        grade.append(PassoRotativo{});
        alvo = int(grade.size()) - 1;
    } else {
        int i = int(grade.size()) - 1;
        while (grade[i].tempo.isEmpty() && i > 0) --i;
        alvo = grade[i].tempo.isEmpty() ? 0 : i + 1;
    }
    grade[alvo] = {tempo, valor};
    return alvo + 1;
}

ResultadoEditor insereRotativo(GradeRotativo& grade, const QString& tempo, const QString& valor) {
    if (auto r = validaPassoRotativo(tempo, valor)) return *r;
    adiciona_linha_rotativo(grade, tempo, valor);
    return ResultadoEditor::sucesso(
        QStringLiteral("Tempo/Valor inserido com sucesso. Após feitas todas inserções clique em "
                       "Gravar."),
        QStringLiteral("tem_rot"));
}

ResultadoEditor removeRotativo(GradeRotativo& grade, int& atual) {
    if (atual < 1 || atual > grade.size())
        return ResultadoEditor::recusa(QStringLiteral("Selecione o tempo a remover da lista."));
    if (grade[atual - 1].tempo.isEmpty())
        return ResultadoEditor::recusa(QStringLiteral("Linha em branco. Não pode ser removida."));
    if (grade.size() == 1) {
        grade[0] = {};
    } else {
        for (int i = atual; i < grade.size(); ++i) grade[i - 1] = grade[i];
        atual = int(grade.size());
        grade.last() = {};
    }
    return ResultadoEditor::sucesso(QStringLiteral(
        "Tempo/Valor excluído com sucesso. Após feitas todas exclusões clique em Gravar."));
}

ResultadoEditor gravaRotativo(Banco& db, const GradeRotativo& grade, const QString& apo_cob,
                              const QString& apo_cad, bool estacionamento24h) {
    if (grade.isEmpty() || grade[0].tempo.isEmpty())
        return ResultadoEditor::recusa(
            QStringLiteral("A tabela de tempo/valor deve ser preenchida."), QStringLiteral("tem_rot"));
    if (auto m = recusaValorDigitado(apo_cob))
        return ResultadoEditor::recusa(*m, QStringLiteral("apo_cob"));
    const auto cobrar = Dinheiro::ler(apo_cob);
    if (!cobrar)
        return ResultadoEditor::recusa(QStringLiteral("Valor a cobrar inválido."),
                                       QStringLiteral("apo_cob"));
    const QString campo = QStringLiteral("apo_cad");
    if (malPreenchido(apo_cad)) return ResultadoEditor::recusa(kPreencha, campo);
    if (apo_cad == QLatin1String("00:00") && !estacionamento24h)
        return ResultadoEditor::recusa(
            QStringLiteral("O tempo pode ser 00:00 somente se o estacionamento funcionar 24h (ver "
                           "aba Geral)"),
            campo);
    if (auto r = recusaForaDoDia(apo_cad, campo)) return *r;

    Transacao t(db);
    db.executa(QStringLiteral("DELETE FROM rotativo_variavel"));
    for (int i = 0; i < grade.size() && !grade[i].tempo.isEmpty(); ++i)
        db.executa(QStringLiteral("INSERT INTO rotativo_variavel (tempo, valor, ordem) VALUES (?, ?, ?)"),
                   {horaParaBanco(tempoDoTexto(grade[i].tempo)),
                    Dinheiro::ler(grade[i].valor).value_or(Dinheiro{}).paraBanco(), i + 1});
    const QVariant linha = db.valor(QStringLiteral("SELECT min(rowid) FROM rotativo"));
    const QVariantList valores{cobrar->paraBanco(), horaParaBanco(tempoDoTexto(apo_cad))};
    if (linha.isNull())
        db.executa(QStringLiteral("INSERT INTO rotativo (apos_cobrar, apos_a_cada) VALUES (?, ?)"),
                   valores);
    else
        db.executa(QStringLiteral("UPDATE rotativo SET apos_cobrar = ?, apos_a_cada = ? WHERE rowid = ?"),
                   valores + QVariantList{linha});
    t.confirma();
    return ResultadoEditor::sucesso(QStringLiteral("Dados gravados com sucesso."));
}
