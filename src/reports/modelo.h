#pragma once
// A report template: a plain text file, one per report, kept beside the program. The format is
// described in reports/LEIAME.txt; in short, lines "chave: valor", "#" starts a comment, a line
// that begins with blanks continues the one before:
//
//     cabecalho: {titulo}                      line under the report's title on every page
//     rodape: {rodape}                         footer of every page (the page number is added)
//     secao: Título                            starts a section (the first may have no title)
//     tabelas: registro_saida                  tables the query reads (sort fields of others are ignored)
//     consulta: SELECT ... WHERE {selecao}     the query; {selecao} receives the selection formula
//     ordem: dia, forma                        order after the requested sort fields
//     grupo: dia | Dia {dia:data} | Total do dia
//     coluna: forma | Forma de Pagamento | 40 | texto [| soma]
//     resumo: Total Geral | valor + total_mensalidades
//     vazio: Nenhum registro.
//     subrelatorio: rel_fat_mensalidades       another template printed at this point

#include <QString>
#include <QStringList>
#include <QVector>

#include <stdexcept>

class ErroRelatorio : public std::runtime_error {
public:
    explicit ErroRelatorio(const QString& mensagem)
        : std::runtime_error(mensagem.toStdString()), mensagem_(mensagem) {}
    const QString& mensagem() const { return mensagem_; }

private:
    QString mensagem_;
};

enum class Formato { Texto, Inteiro, Moeda, Data, Hora, SimNao, Mes };

struct ColunaModelo {
    QString campo;
    QString cabecalho;
    int largura = 10;   // percent of the page width
    Formato formato = Formato::Texto;
    bool soma = false;
};

struct ResumoModelo {
    QString rotulo;
    QStringList termos;   // column sums of the section or formula fields, added together
};

struct SecaoModelo {
    QString titulo;
    QStringList tabelas;
    QString consulta;
    QStringList ordem;
    QString grupo;            // result field whose change starts a group; empty: no groups
    QString rotuloGrupo;      // text with {campo} and {campo:formato}
    QString rotuloSubtotal;   // empty: no subtotal line
    QVector<ColunaModelo> colunas;
    QVector<ResumoModelo> resumos;
    QString vazio;
    QString subrelatorio;     // set on a section that only places a subreport
};

struct Modelo {
    QString cabecalho = QStringLiteral("{titulo}");
    QString rodape = QStringLiteral("{rodape}");
    QVector<SecaoModelo> secoes;
};

// Reads a template file; throws ErroRelatorio naming the file and the line at fault.
Modelo leModelo(const QString& caminho);
// The same, from text already read; `nome` names it in messages.
Modelo interpretaModelo(const QString& texto, const QString& nome);

Formato formatoDoNome(const QString& nome, bool* ok);
