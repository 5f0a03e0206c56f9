#include "data/dinheiro.h"

#include <ostream>

namespace {

enum class Leitura { valor, naoNumero, grande };

// Reads a typed amount into ten-thousandths; `grande` is a well-written amount with more whole
// digits than the money type holds.
Leitura interpreta(const QString& entrada, qint64& bruto) {
    QString texto = entrada.trimmed();
    bool negativo = false;
    if (texto.startsWith(u'-')) {
        negativo = true;
        texto = texto.mid(1);
    }
    const qsizetype virgula = texto.indexOf(u',');
    if (virgula != texto.lastIndexOf(u',')) return Leitura::naoNumero;
    QString inteira = virgula < 0 ? texto : texto.left(virgula);
    const QString fracao = virgula < 0 ? QString() : texto.mid(virgula + 1);

    // Money has cents and no finer part: "12,345" is no amount, never 12,35.
    if (fracao.size() > 2) return Leitura::naoNumero;
    // Points may only group thousands in the whole part, which never starts with a zero ("0.001"
    // is no way of writing one real).
    if (inteira.contains(u'.')) {
        const QStringList grupos = inteira.split(u'.');
        if (grupos.first().isEmpty() || grupos.first().size() > 3 || grupos.first().startsWith(u'0'))
            return Leitura::naoNumero;
        for (qsizetype i = 1; i < grupos.size(); ++i)
            if (grupos[i].size() != 3) return Leitura::naoNumero;
        inteira = grupos.join(QString());
    }
    if (inteira.isEmpty() && fracao.isEmpty()) return Leitura::naoNumero;
    for (QChar c : inteira + fracao)
        if (c < u'0' || c > u'9') return Leitura::naoNumero;
    if (inteira.size() > 14) return Leitura::grande;

    qint64 valor = inteira.isEmpty() ? 0 : inteira.toLongLong() * Dinheiro::kEscala;
    valor += fracao.leftJustified(4, u'0').toLongLong();
    bruto = negativo ? -valor : valor;
    return Leitura::valor;
}

}  // namespace

std::optional<Dinheiro> Dinheiro::ler(const QString& entrada) {
    qint64 bruto = 0;
    if (interpreta(entrada, bruto) != Leitura::valor) return std::nullopt;
    return Dinheiro(bruto);
}

QString Dinheiro::formata() const {
    const bool negativo = valor_ < 0;
    const quint64 absoluto = negativo ? quint64(-(valor_ + 1)) + 1 : quint64(valor_);
    const quint64 centavos = (absoluto + 50) / 100;
    QString inteira = QString::number(centavos / 100);
    for (qsizetype i = inteira.size() - 3; i > 0; i -= 3) inteira.insert(i, u'.');
    const QString texto = inteira + u',' + QStringLiteral("%1").arg(centavos % 100, 2, 10, QChar(u'0'));
    return (negativo && centavos != 0) ? u'-' + texto : texto;
}

std::optional<QString> recusaValorDigitado(const QString& texto) {
    qint64 bruto = 0;
    if (interpreta(texto, bruto) == Leitura::grande) return msgAcimaDoDigitavel();
    const auto valor = Dinheiro::ler(texto);
    if (!valor) return std::nullopt;
    if (*valor < Dinheiro{}) return QStringLiteral("O valor não pode ser negativo.");
    if (Dinheiro::acimaDoDigitavel(*valor)) return msgAcimaDoDigitavel();
    return std::nullopt;
}

std::optional<Dinheiro> Dinheiro::doBanco(const QVariant& v) {
    if (v.isNull() || !v.isValid()) return std::nullopt;
    return Dinheiro(v.toLongLong());
}

void PrintTo(const Dinheiro& d, std::ostream* os) { *os << d.formata().toStdString(); }
