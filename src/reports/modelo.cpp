#include "reports/modelo.h"

#include <QFile>
#include <QFileInfo>

namespace {

QStringList partes(const QString& valor) {
    QStringList r = valor.split(QLatin1Char('|'));
    for (QString& p : r) p = p.trimmed();
    return r;
}

QStringList lista(const QString& valor) {
    QStringList r;
    for (const QString& p : valor.split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (!p.trimmed().isEmpty()) r << p.trimmed();
    return r;
}

}  // namespace

Formato formatoDoNome(const QString& nome, bool* ok) {
    *ok = true;
    if (nome == QLatin1String("texto")) return Formato::Texto;
    if (nome == QLatin1String("inteiro")) return Formato::Inteiro;
    if (nome == QLatin1String("moeda")) return Formato::Moeda;
    if (nome == QLatin1String("data")) return Formato::Data;
    if (nome == QLatin1String("hora")) return Formato::Hora;
    if (nome == QLatin1String("simnao")) return Formato::SimNao;
    if (nome == QLatin1String("mes")) return Formato::Mes;
    *ok = false;
    return Formato::Texto;
}

Modelo interpretaModelo(const QString& texto, const QString& nome) {
    // Joins continuation lines first, keeping the number of each entry's first line.
    struct Entrada {
        int linha;
        QString chave, valor;
    };
    QVector<Entrada> entradas;
    const QStringList linhas = texto.split(QLatin1Char('\n'));
    for (int n = 0; n < linhas.size(); ++n) {
        QString l = linhas[n];
        if (l.endsWith(QLatin1Char('\r'))) l.chop(1);
        if (l.trimmed().isEmpty() || l.trimmed().startsWith(QLatin1Char('#'))) continue;
        const auto falha = [&](const QString& motivo) {
            return ErroRelatorio(QStringLiteral("Modelo de relatório %1, linha %2: %3")
                                     .arg(nome).arg(n + 1).arg(motivo));
        };
        if (l[0].isSpace()) {
            if (entradas.isEmpty()) throw falha(QStringLiteral("continuação sem chave"));
            entradas.last().valor += QLatin1Char('\n') + l.trimmed();
            continue;
        }
        const qsizetype dois = l.indexOf(QLatin1Char(':'));
        if (dois <= 0) throw falha(QStringLiteral("esperado \"chave: valor\""));
        entradas.push_back({n + 1, l.left(dois).trimmed(), l.mid(dois + 1).trimmed()});
    }

    Modelo m;
    const auto secao = [&]() -> SecaoModelo& {
        if (m.secoes.isEmpty()) m.secoes.push_back({});
        return m.secoes.last();
    };
    for (const Entrada& e : entradas) {
        const auto falha = [&](const QString& motivo) {
            return ErroRelatorio(QStringLiteral("Modelo de relatório %1, linha %2: %3")
                                     .arg(nome).arg(e.linha).arg(motivo));
        };
        const QString& c = e.chave;
        if (c == QLatin1String("cabecalho")) {
            m.cabecalho = e.valor;
        } else if (c == QLatin1String("rodape")) {
            m.rodape = e.valor;
        } else if (c == QLatin1String("secao")) {
            m.secoes.push_back({});
            m.secoes.last().titulo = e.valor;
        } else if (c == QLatin1String("tabelas")) {
            secao().tabelas = lista(e.valor);
        } else if (c == QLatin1String("consulta")) {
            secao().consulta = e.valor;
        } else if (c == QLatin1String("ordem")) {
            secao().ordem = lista(e.valor);
        } else if (c == QLatin1String("grupo")) {
            const QStringList p = partes(e.valor);
            if (p.size() < 2 || p[0].isEmpty()) throw falha(QStringLiteral("grupo: campo | rótulo [| rótulo do subtotal]"));
            secao().grupo = p[0];
            secao().rotuloGrupo = p[1];
            secao().rotuloSubtotal = p.value(2);
        } else if (c == QLatin1String("coluna")) {
            const QStringList p = partes(e.valor);
            bool ok = p.size() >= 4 && p.size() <= 5 && !p[0].isEmpty();
            ColunaModelo col;
            if (ok) {
                col.campo = p[0];
                col.cabecalho = p[1];
                col.largura = p[2].toInt(&ok);
                ok = ok && col.largura > 0 && col.largura <= 100;
            }
            bool formatoOk = false;
            if (ok) col.formato = formatoDoNome(p[3], &formatoOk);
            if (!ok || !formatoOk || (p.size() == 5 && p[4] != QLatin1String("soma")))
                throw falha(QStringLiteral("coluna: campo | cabeçalho | largura | formato [| soma]"));
            col.soma = p.size() == 5;
            secao().colunas.push_back(col);
        } else if (c == QLatin1String("resumo")) {
            const QStringList p = partes(e.valor);
            if (p.size() != 2 || p[1].isEmpty()) throw falha(QStringLiteral("resumo: rótulo | termo [+ termo]"));
            QStringList termos;
            for (const QString& t : p[1].split(QLatin1Char('+'))) termos << t.trimmed();
            secao().resumos.push_back({p[0], termos});
        } else if (c == QLatin1String("vazio")) {
            secao().vazio = e.valor;
        } else if (c == QLatin1String("subrelatorio")) {
            m.secoes.push_back({});
            m.secoes.last().subrelatorio = e.valor;
        } else {
            throw falha(QStringLiteral("chave desconhecida \"%1\"").arg(c));
        }
    }
    for (const SecaoModelo& s : m.secoes) {
        if (!s.subrelatorio.isEmpty()) continue;
        if (s.consulta.isEmpty() && !s.colunas.isEmpty())
            throw ErroRelatorio(QStringLiteral("Modelo de relatório %1: seção \"%2\" sem consulta.").arg(nome, s.titulo));
        for (const ResumoModelo& r : s.resumos)
            for (const QString& t : r.termos) {
                bool coluna = false;
                for (const ColunaModelo& col : s.colunas) coluna = coluna || (col.soma && col.campo == t);
                if (!coluna && t != QLatin1String("total_mensalidades"))
                    throw ErroRelatorio(QStringLiteral("Modelo de relatório %1: o resumo \"%2\" soma \"%3\", "
                                                       "que não é coluna somada nem fórmula.").arg(nome, r.rotulo, t));
            }
    }
    return m;
}

Modelo leModelo(const QString& caminho) {
    QFile f(caminho);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        throw ErroRelatorio(QStringLiteral("Não foi possível ler o modelo de relatório %1: %2")
                                .arg(caminho, f.errorString()));
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        throw ErroRelatorio(QStringLiteral("Não foi possível ler o modelo de relatório %1: %2")
                                .arg(caminho, f.errorString()));
    return interpretaModelo(QString::fromUtf8(bytes), QFileInfo(caminho).fileName());
}
