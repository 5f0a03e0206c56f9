#pragma once
// What a kill at this moment would leave on the disk, kept aside while the operation goes on to
// its end and then put back, as the next start finds it. The files are copied; the start removes
// only the very files the program made, so each copy stands for the file it was taken from: the
// notes taken with them name it by its identity where they named that file.

#include "data/identidade_arquivo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>

// The notes `notas` with every note of `original` (by its name alone in the program's folder, or
// its whole path) and of its identity naming the file `copia` instead.
inline QByteArray notasDaCopia(const QByteArray& notas, const QString& original, const QString& copia) {
    const auto de = identidadeEm(original), para = identidadeEm(copia);
    if (!de || !para) return notas;
    QList<QByteArray> linhas = notas.split('\n');
    for (QByteArray& linha : linhas) {
        const qsizetype espaco = linha.indexOf(' ');
        const auto anotada = IdentidadeArquivo::deTexto(linha.mid(espaco + 1));
        if (espaco < 1 || !anotada || !anotada->mesmoQue(*de)) continue;
        const QString nome = QFile::decodeName(QByteArray::fromPercentEncoding(linha.mid(1, espaco - 1)));
        if (nome == QFileInfo(original).fileName() || nome == QDir::cleanPath(QFileInfo(original).absoluteFilePath()))
            linha = linha.left(espaco + 1) + (anotada->tamanho < 0 ? para->semConteudo() : *para).texto();
    }
    return linhas.join('\n');
}

class RetratoMorte {
public:
    // `arquivos`: the program's temporary files now; `anotacoes`: its notes. Both copied into a
    // folder of its own, the notes there naming the copies.
    RetratoMorte(const QStringList& arquivos, const QString& anotacoes) : arquivos_(arquivos), anotacoes_(anotacoes) {
        QFile f(anotacoes_);
        if (f.open(QIODevice::ReadOnly)) notas_ = f.readAll();
        for (const QString& a : arquivos_)
            if (QFile::copy(a, aqui(a))) notas_ = notasDaCopia(notas_, a, aqui(a));
        escreveNotas(aqui(anotacoes_));
    }
    QString pasta() const { return pasta_.path(); }
    void volta() const {
        for (const QString& a : arquivos_) {
            QFile::remove(a);
            QFile::rename(aqui(a), a);   // the copy itself, as the notes name it
        }
        escreveNotas(anotacoes_);
    }

private:
    QString aqui(const QString& arquivo) const { return pasta_.filePath(QFileInfo(arquivo).fileName()); }
    void escreveNotas(const QString& para) const {
        QFile f(para);
        if (!notas_.isEmpty() && f.open(QIODevice::WriteOnly)) f.write(notas_);
    }

    QTemporaryDir pasta_;
    QStringList arquivos_;
    QString anotacoes_;
    QByteArray notas_;
};
