#include "reports/relatorio.h"

#include "data/datas.h"
#include "data/dinheiro.h"
#include "reports/formula.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QSqlRecord>

#include <functional>

namespace {

QString formata(const QVariant& v, Formato f) {
    if (v.isNull() && f != Formato::SimNao) return {};
    switch (f) {
    case Formato::Texto: return v.toString();
    case Formato::Inteiro: return QString::number(v.toLongLong());
    case Formato::Moeda: return Dinheiro::bruto(v.toLongLong()).formata();
    case Formato::Data: return dataBr(dataDoBanco(v));
    case Formato::Hora: return horaHm(horaDoBanco(v));
    case Formato::SimNao: return v.toInt() != 0 ? QStringLiteral("Sim") : QStringLiteral("Não");
    }
    return v.toString();
}

// `texto` with each match of `marca` replaced by what `troca` gives for it.
QString substitui(const QString& texto, const QRegularExpression& marca,
                  const std::function<QString(const QRegularExpressionMatch&)>& troca) {
    QString r;
    qsizetype de = 0;
    for (auto it = marca.globalMatch(texto); it.hasNext();) {
        const auto m = it.next();
        r += texto.mid(de, m.capturedStart() - de);
        r += troca(m);
        de = m.capturedEnd();
    }
    return r + texto.mid(de);
}

// "{campo}" and "{campo:formato}" in a label, from the current row.
QString preencheRotulo(const QString& rotulo, const QSqlRecord& reg) {
    static const QRegularExpression marca(QStringLiteral("\\{([a-z_0-9]+)(?::([a-z]+))?\\}"));
    return substitui(rotulo, marca, [&reg](const QRegularExpressionMatch& m) {
        bool ok = true;
        const Formato f = m.captured(2).isEmpty() ? Formato::Texto : formatoDoNome(m.captured(2), &ok);
        return reg.indexOf(m.captured(1)) >= 0 && ok ? formata(reg.value(m.captured(1)), f) : m.captured(0);
    });
}

// "{nome}" of the formula fields in the header and footer.
QString preencheFormulas(QString texto, const QMap<QString, QString>& formulas) {
    static const QRegularExpression marca(QStringLiteral("\\{([a-z_]+)\\}"));
    return substitui(texto, marca, [&formulas](const QRegularExpressionMatch& m) {
        if (m.captured(1) == QLatin1String("pagina") || m.captured(1) == QLatin1String("paginas"))
            return m.captured(0);   // filled when the pages are laid out
        return formulas.value(m.captured(1));
    });
}

// A plain number as the formulas carry it (" 1234.5") as money.
Dinheiro dinheiroDaFormula(const QString& texto) {
    const QString t = texto.trimmed();
    if (t.isEmpty()) return {};
    const bool negativo = t.startsWith(QLatin1Char('-'));
    const QString abs = negativo ? t.mid(1) : t;
    const QString inteiro = abs.section(QLatin1Char('.'), 0, 0);
    const QString fracao = (abs.section(QLatin1Char('.'), 1, 1) + QStringLiteral("0000")).left(4);
    const Dinheiro d = Dinheiro::bruto(inteiro.toLongLong() * Dinheiro::kEscala + fracao.toLongLong());
    return negativo ? -d : d;
}

class Montagem {
public:
    Montagem(Banco& db, const PedidoRelatorio& p) : db_(db), pedido_(p) {
        try {
            formulas_ = valoresFormulas(p);
        } catch (const ErroFormula& e) {
            throw ErroRelatorio(e.mensagem());
        }
    }

    Relatorio monta() {
        Relatorio r;
        const Modelo m = leModelo(pedido_.arquivo);
        r.titulo = pedido_.titulo;
        r.cabecalho = preencheFormulas(m.cabecalho, formulas_);
        r.rodape = preencheFormulas(m.rodape, formulas_);
        acrescenta(r, m, pedido_.selecao, 0);
        return r;
    }

private:
    void acrescenta(Relatorio& r, const Modelo& m, const QString& selecao, int nivel) {
        for (const SecaoModelo& s : m.secoes) {
            if (!s.subrelatorio.isEmpty()) {
                if (nivel > 0) throw ErroRelatorio(QStringLiteral("Um sub-relatório não pode ter sub-relatórios."));
                const QString caminho = QFileInfo(pedido_.arquivo).dir().filePath(s.subrelatorio + QStringLiteral(".rpt"));
                acrescenta(r, leModelo(caminho), pedido_.selecaoSub.value(s.subrelatorio), nivel + 1);
            } else {
                r.secoes.push_back(secao(s, selecao));
            }
        }
    }

    QString clausulaOrdem(const SecaoModelo& s) const {
        QStringList termos;
        for (const QString& o : pedido_.ordem) {
            const QString t = o.trimmed();
            if (t.isEmpty()) continue;
            if (!t.startsWith(QLatin1Char('+')) && !t.startsWith(QLatin1Char('-')))
                throw ErroRelatorio(QStringLiteral("Campo de ordenação não aceito: %1").arg(o));
            QString campo;
            try {
                campo = campoDaFormula(t.mid(1));
            } catch (const ErroFormula& e) {
                throw ErroRelatorio(e.mensagem());
            }
            // A sort field left from another report, of a table this one does not read, is left out.
            if (!s.tabelas.contains(campo.section(QLatin1Char('.'), 0, 0))) continue;
            termos << campo + (t.startsWith(QLatin1Char('-')) ? QStringLiteral(" DESC") : QString());
        }
        termos << s.ordem;
        return termos.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + termos.join(QStringLiteral(", "));
    }

    SecaoRelatorio secao(const SecaoModelo& s, const QString& selecao) {
        SecaoRelatorio sr{s.titulo, s.colunas, {}};
        if (s.consulta.isEmpty()) {
            for (const ResumoModelo& res : s.resumos) sr.linhas.push_back(resumo(res, {}, {}));
            return sr;
        }
        QString sql = s.consulta;
        QVariantList valores;
        if (sql.contains(QLatin1String("{selecao}"))) {
            CondicaoSql c;
            try {
                c = traduzFormula(selecao);
            } catch (const ErroFormula& e) {
                throw ErroRelatorio(e.mensagem());
            }
            for (const QString& t : c.tabelas)
                if (!s.tabelas.contains(t))
                    throw ErroRelatorio(QStringLiteral("A fórmula de seleção usa a tabela %1, que o modelo %2 não lê.")
                                            .arg(t, QFileInfo(pedido_.arquivo).fileName()));
            sql.replace(QLatin1String("{selecao}"), QLatin1Char('(') + c.sql + QLatin1Char(')'));
            valores = c.valores;
        }
        sql += clausulaOrdem(s);

        QSqlQuery q;
        try {
            q = db_.executa(sql, valores);
        } catch (const ErroBanco& e) {
            throw ErroRelatorio(QStringLiteral("Não foi possível gerar o relatório \"%1\".\n%2")
                                    .arg(pedido_.titulo, e.mensagem()));
        }

        const int n = int(s.colunas.size());
        std::vector<qint64> totais(n, 0), subtotais(n, 0);
        QVariant grupoAtual;
        bool haGrupo = false, primeira = true;
        const auto fechaGrupo = [&] {
            if (haGrupo && !s.rotuloSubtotal.isEmpty()) sr.linhas.push_back(somas(s, subtotais, s.rotuloSubtotal));
            std::fill(subtotais.begin(), subtotais.end(), 0);
        };
        while (q.next()) {
            const QSqlRecord reg = q.record();
            if (primeira) {
                confereCampos(s, reg);
                primeira = false;
            }
            if (!s.grupo.isEmpty()) {
                const QVariant g = reg.value(s.grupo);
                if (!haGrupo || g != grupoAtual) {
                    fechaGrupo();
                    sr.linhas.push_back({LinhaRelatorio::Tipo::Grupo, {preencheRotulo(s.rotuloGrupo, reg)}});
                    grupoAtual = g;
                    haGrupo = true;
                }
            }
            QStringList celulas;
            bool algum = false;
            for (int i = 0; i < n; ++i) {
                const QVariant v = reg.value(s.colunas[i].campo);
                algum = algum || !v.isNull();
                celulas << formata(v, s.colunas[i].formato);
                if (s.colunas[i].soma) {
                    totais[i] += v.toLongLong();
                    subtotais[i] += v.toLongLong();
                }
            }
            // A group without details (an outer join that found nothing) prints its label only.
            if (algum) sr.linhas.push_back({LinhaRelatorio::Tipo::Detalhe, celulas});
        }
        fechaGrupo();
        if (sr.linhas.isEmpty() && !s.vazio.isEmpty())
            sr.linhas.push_back({LinhaRelatorio::Tipo::Vazio, {s.vazio}});
        for (const ResumoModelo& res : s.resumos) sr.linhas.push_back(resumo(res, s, totais));
        return sr;
    }

    // Every column and the group field must come from the query.
    void confereCampos(const SecaoModelo& s, const QSqlRecord& reg) const {
        QStringList faltando;
        for (const ColunaModelo& c : s.colunas)
            if (reg.indexOf(c.campo) < 0) faltando << c.campo;
        if (!s.grupo.isEmpty() && reg.indexOf(s.grupo) < 0) faltando << s.grupo;
        if (!faltando.isEmpty())
            throw ErroRelatorio(QStringLiteral("Modelo de relatório %1: a consulta não traz %2.")
                                    .arg(QFileInfo(pedido_.arquivo).fileName(), faltando.join(QStringLiteral(", "))));
    }

    static LinhaRelatorio somas(const SecaoModelo& s, const std::vector<qint64>& v, const QString& rotulo) {
        QStringList celulas;
        for (int i = 0; i < s.colunas.size(); ++i)
            celulas << (s.colunas[i].soma ? formata(v[i], s.colunas[i].formato) : QString());
        if (!celulas.isEmpty()) celulas[0] = rotulo;
        return {LinhaRelatorio::Tipo::Subtotal, celulas};
    }

    LinhaRelatorio resumo(const ResumoModelo& res, const SecaoModelo& s, const std::vector<qint64>& totais) const {
        qint64 soma = 0;
        bool moeda = false;
        for (const QString& t : res.termos) {
            if (t == QLatin1String("total_mensalidades")) {
                soma += dinheiroDaFormula(formulas_.value(t)).valorBruto();
                moeda = true;
                continue;
            }
            for (int i = 0; i < s.colunas.size(); ++i)
                if (s.colunas[i].campo == t) {
                    soma += totais[size_t(i)];
                    moeda = moeda || s.colunas[i].formato == Formato::Moeda;
                }
        }
        return {LinhaRelatorio::Tipo::Resumo,
                {res.rotulo, moeda ? Dinheiro::bruto(soma).formata() : QString::number(soma)}};
    }

    Banco& db_;
    const PedidoRelatorio& pedido_;
    QMap<QString, QString> formulas_;
};

}  // namespace

Relatorio montaRelatorio(Banco& db, const PedidoRelatorio& pedido) {
    return Montagem(db, pedido).monta();
}
