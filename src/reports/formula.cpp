#include "reports/formula.h"

#include "data/esquema.h"

#include <QDate>
#include <QRegularExpression>

namespace {

QString recusa(const QString& formula, const QString& motivo) {
    return QStringLiteral("Fórmula de seleção não aceita (%1):\n%2").arg(motivo, formula);
}

class Leitor {
public:
    explicit Leitor(const QString& f) : f_(f) {}

    CondicaoSql le() {
        pulaBrancos();
        if (fim()) return {QStringLiteral("1=1"), {}, {}};
        QString sql = expressao();
        pulaBrancos();
        if (!fim()) throw ErroFormula(recusa(f_, QStringLiteral("texto inesperado na posição %1").arg(i_ + 1)));
        return {sql, valores_, tabelas_};
    }

private:
    bool fim() const { return i_ >= f_.size(); }
    void pulaBrancos() {
        while (!fim() && f_[i_].isSpace()) ++i_;
    }
    QString erro(const QString& motivo) const { return recusa(f_, motivo); }

    QString expressao() {
        QStringList partes{condicao()};
        for (;;) {
            pulaBrancos();
            if (f_.mid(i_, 3).compare(QLatin1String("and"), Qt::CaseInsensitive) == 0 &&
                (i_ + 3 >= f_.size() || f_[i_ + 3].isSpace() || f_[i_ + 3] == QLatin1Char('(') ||
                 f_[i_ + 3] == QLatin1Char('{'))) {
                i_ += 3;
                partes << condicao();
            } else {
                break;
            }
        }
        return partes.size() == 1 ? partes[0] : partes.join(QStringLiteral(" AND "));
    }

    QString condicao() {
        pulaBrancos();
        if (fim()) throw ErroFormula(erro(QStringLiteral("a fórmula termina antes de uma condição")));
        if (f_[i_] == QLatin1Char('(')) {
            ++i_;
            const QString dentro = expressao();
            pulaBrancos();
            if (fim() || f_[i_] != QLatin1Char(')'))
                throw ErroFormula(erro(QStringLiteral("parêntese sem fechamento")));
            ++i_;
            return QLatin1Char('(') + dentro + QLatin1Char(')');
        }
        const QString campo = campoAqui();
        const QString op = operador();
        valor();
        return campo + QLatin1Char(' ') + op + QStringLiteral(" ?");
    }

    QString campoAqui() {
        if (f_[i_] != QLatin1Char('{'))
            throw ErroFormula(erro(QStringLiteral("esperado um campo entre chaves na posição %1").arg(i_ + 1)));
        const qsizetype fecha = f_.indexOf(QLatin1Char('}'), i_);
        if (fecha < 0) throw ErroFormula(erro(QStringLiteral("chave sem fechamento")));
        const QString nome = campoDaFormula(f_.mid(i_, fecha - i_ + 1));
        tabelas_ << nome.section(QLatin1Char('.'), 0, 0);
        i_ = fecha + 1;
        return nome;
    }

    QString operador() {
        pulaBrancos();
        for (const char* op : {"<>", "<=", ">=", "=", "<", ">"}) {
            const QLatin1String o(op);
            if (f_.mid(i_, o.size()) == o) {
                i_ += o.size();
                return o;
            }
        }
        throw ErroFormula(erro(QStringLiteral("esperada uma comparação na posição %1").arg(i_ + 1)));
    }

    void valor() {
        pulaBrancos();
        if (fim()) throw ErroFormula(erro(QStringLiteral("comparação sem valor")));
        static const QRegularExpression data(QStringLiteral("\\G#(\\d{4})/(\\d{1,2})/(\\d{1,2})#"));
        static const QRegularExpression numero(QStringLiteral("\\G-?\\d{1,9}(?![\\w.])"));
        static const QRegularExpression logico(QStringLiteral("\\G(TRUE|FALSE)(?!\\w)"),
                                               QRegularExpression::CaseInsensitiveOption);
        if (auto m = data.match(f_, i_); m.hasMatch()) {
            const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
            if (!d.isValid()) throw ErroFormula(erro(QStringLiteral("data inválida %1").arg(m.captured(0))));
            valores_ << d.toString(QStringLiteral("yyyy-MM-dd"));
            i_ = m.capturedEnd();
        } else if (auto m = logico.match(f_, i_); m.hasMatch()) {
            valores_ << (m.captured(1).compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 ? 1 : 0);
            i_ = m.capturedEnd();
        } else if (auto m = numero.match(f_, i_); m.hasMatch()) {
            valores_ << m.captured(0).toLongLong();
            i_ = m.capturedEnd();
        } else {
            throw ErroFormula(erro(QStringLiteral("valor não aceito na posição %1").arg(i_ + 1)));
        }
    }

    const QString f_;
    qsizetype i_ = 0;
    QVariantList valores_;
    QStringList tabelas_;
};

}  // namespace

QString campoDaFormula(const QString& entreChaves) {
    static const QRegularExpression forma(QStringLiteral("^\\{([a-z_]+)\\.([a-z_0-9]+)\\}$"));
    const auto m = forma.match(entreChaves.trimmed());
    const QString motivo = QStringLiteral("campo desconhecido %1").arg(entreChaves);
    if (!m.hasMatch()) throw ErroFormula(recusa(entreChaves, motivo));
    try {
        campoEsquema(m.captured(1), m.captured(2));
    } catch (const std::out_of_range&) {
        throw ErroFormula(recusa(entreChaves, motivo));
    }
    return m.captured(1) + QLatin1Char('.') + m.captured(2);
}

CondicaoSql traduzFormula(const QString& formula) { return Leitor(formula).le(); }
