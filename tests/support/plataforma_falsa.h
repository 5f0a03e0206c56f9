#pragma once
// A scripted stand-in for the outside world: answers questions from a queue, keeps a settable
// clock, records every message and end-of-program request, and holds timed work until the test
// lets time pass.

#include "app/plataforma.h"

#include <QMap>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

struct EscritaPorta {
    quint16 endereco;
    quint8 valor;
    qint64 instanteMs;  // the fake clock's milliseconds when written
};

// Records every write; can be told to refuse, as a missing device would.
class SaidaPortaFalsa : public SaidaPorta {
public:
    explicit SaidaPortaFalsa(const qint64& relogioMs) : relogioMs_(relogioMs) {}
    bool escreve(quint16 endereco, quint8 valor) override {
        if (recusa || (recusaZero && valor == 0)) return false;
        escritas.push_back({endereco, valor, relogioMs_});
        return true;
    }
    bool testa(const QString& nome) override {
        testadas << nome;
        return !ausentes.contains(nome);
    }
    std::vector<EscritaPorta> escritas;
    bool recusa = false;
    bool recusaZero = false;   // only the writes that end a pulse fail
    QStringList testadas;   // every port probed, in order ("LPT1:")
    QStringList ausentes;   // ports whose probe fails

private:
    const qint64& relogioMs_;
};

// Records every printout, port by port; can be told that no device is there or that it fails,
// and can hold the printouts back, as a printer that takes its bytes slowly, until released.
class SaidaImpressoraFalsa : public SaidaImpressora {
public:
    struct Impressao {
        QString porta;
        QByteArray bytes;
    };
    bool presente(const QString&) const override { return presenca; }
    void envia(const QString& porta, const QByteArray& bytes, Feito feito) override {
        if (segura) {
            retidas.push_back({{porta, bytes}, std::move(feito)});
            return;
        }
        termina({porta, bytes}, feito, falha);
    }
    // The first `quantas` held printouts end, in the order handed: printed, or failed with
    // `falhaRetidas`.
    void libera(const QString& falhaRetidas = {}, std::size_t quantas = SIZE_MAX) {
        std::vector<std::pair<Impressao, Feito>> fila;
        while (!retidas.empty() && fila.size() < quantas) {
            fila.push_back(std::move(retidas.front()));
            retidas.erase(retidas.begin());
        }
        for (auto& [impressao, feito] : fila) termina(impressao, feito, falhaRetidas);
    }
    std::vector<Impressao> impressoes;   // the printouts the printer took
    bool presenca = true;
    QString falha;  // when set, every printout fails with this text
    bool segura = false;   // when set, printouts wait in `retidas` until `libera`
    std::vector<std::pair<Impressao, Feito>> retidas;

private:
    void termina(const Impressao& i, const Feito& feito, const QString& motivo) {
        if (motivo.isEmpty()) impressoes.push_back(i);
        if (feito) feito(motivo);
    }
};

// Records the fiscal printer's calls as text, one line each, and answers `retorno`.
class ImpressoraFiscalFalsa : public ImpressoraFiscal {
public:
    int vendeItem(const QString& codigo, const QString& descricao, const QString& aliquota,
                  const QString& tipoQuantidade, const QString& quantidade, int casasDecimais,
                  const QString& valor, const QString& tipoDesconto, const QString& desconto) override {
        chamadas << QStringList{QStringLiteral("VendeItem"), codigo, descricao, aliquota, tipoQuantidade,
                                quantidade, QString::number(casasDecimais), valor, tipoDesconto, desconto}
                        .join(QLatin1Char('|'));
        return retorno;
    }
    int fechaCupomResumido(const QString& formaPagamento, const QString& mensagem) override {
        chamadas << QStringLiteral("FechaCupomResumido|%1|%2").arg(formaPagamento, mensagem);
        return retorno;
    }
    int leituraX() override {
        chamadas << QStringLiteral("LeituraX");
        return retorno;
    }
    int reducaoZ(const QString& data, const QString& hora) override {
        chamadas << QStringLiteral("ReducaoZ|%1|%2").arg(data, hora);
        return retorno;
    }
    QStringList chamadas;
    int retorno = 1;
};

// Drives that are folders of the test: the first stands for the program's file system. Free
// space is what the test sets, per drive or folder prefix, else `livrePadrao`.
class DiscosFalsos : public Discos {
public:
    QStringList unidades(const QString&) const override { return lista; }
    quint64 espacoLivre(const QString& pasta) const override {
        for (auto it = livre.cbegin(); it != livre.cend(); ++it)
            if (pasta == it.key() || pasta.startsWith(it.key() + QLatin1Char('/'))) return it.value();
        return livrePadrao;
    }
    QStringList lista;
    QMap<QString, quint64> livre;
    quint64 livrePadrao = quint64(1) << 40;
};

struct MensagemVista {
    QString texto;
    Icone icone;
    QString titulo;
};

// A notice as the operator sees it now: its key, its last text, and whether it is still shown.
struct AvisoVisto {
    QString chave;
    QString texto;
    Icone icone;
    bool aberto = true;
    std::function<void()> fechado;
};

class AvisosNaTela;

class PlataformaFalsa : public Plataforma {
    qint64 relogioMs_ = 0;  // declared first: the port fake reads it

public:
    PlataformaFalsa();
    ~PlataformaFalsa() override;

    QString pastaPrograma() const override { return pasta_; }
    QDateTime agora() const override { return agora_; }
    void mensagem(const QString& texto, Icone icone, const QString& titulo) override;
    void avisa(const QString& chave, const QString& texto, Icone icone,
               std::function<void()> fechado) override;
    bool pergunta(const QString& texto, const QString& titulo) override;
    // Records the text as it reads when answered; one that reads empty by then closes answered
    // No, taking no answer.
    bool perguntaAtualizada(std::function<QString()> texto, const QString& titulo) override;
    void encerra() override { ++encerramentos; }
    void aguarda(int ms, std::function<void()> depois) override;
    SaidaPorta& porta() override { return portaFalsa; }
    SaidaImpressora& impressora() override { return impressoraFalsa; }
    ImpressoraFiscal& fiscal() override { return fiscalUsada ? *fiscalUsada : fiscalFalsa; }
    void visualiza(std::shared_ptr<const DocumentoRelatorio> documento, const QString& titulo) override;
    Discos& discos() override { return discosFalsos; }

    void defineAgora(const QDateTime& quando) { agora_ = quando; }
    void definePasta(const QString& pasta) { pasta_ = pasta; }

    // Answers for the next questions, in order; a question with no answer left fails the test.
    void responde(std::initializer_list<bool> respostas);
    // Lets `ms` milliseconds pass: runs, in time order, the waits that fall due.
    void passaTempo(int ms);
    int esperasPendentes() const { return int(esperas_.size()); }
    // Runs while a question is on screen, as the operator takes his time to answer.
    std::function<void()> aoPerguntar;
    // Runs while a message is on screen, before the operator clicks OK.
    std::function<void()> aoMostrar;

    std::vector<MensagemVista> mensagens;
    // Every notice given, one per key while it stays shown; its text is the last one given.
    std::vector<AvisoVisto> avisos;
    // The texts of the notices still shown.
    QStringList textosAvisos() const;
    // The operator closes the notices still shown.
    void fechaAvisos();
    // When set, notices are also shown as the program shows them, windows that never take the
    // keyboard; closing one of them counts as the operator closing it.
    bool avisosNaTela = false;
    QStringList perguntas;
    int encerramentos = 0;
    SaidaPortaFalsa portaFalsa{relogioMs_};
    SaidaImpressoraFalsa impressoraFalsa;
    ImpressoraFiscalFalsa fiscalFalsa;
    DiscosFalsos discosFalsos;
    ImpressoraFiscal* fiscalUsada = nullptr;   // when set, the fiscal printer in place of the fake
    // Every document shown in the print preview, with its title; the preview stays open until
    // the document is whole.
    struct DocumentoVisto {
        QString titulo;
        std::shared_ptr<const DocumentoRelatorio> documento;
    };
    std::vector<DocumentoVisto> visualizados;
    qint64 relogioMs() const { return relogioMs_; }
    QStringList textosMensagens() const;

private:
    struct Espera {
        qint64 quando;
        std::function<void()> depois;
    };
    QTemporaryDir dir_;
    QString pasta_;
    QDateTime agora_;
    std::deque<bool> respostas_;
    bool proximaResposta(const QString& texto);
    std::vector<Espera> esperas_;
    std::unique_ptr<AvisosNaTela> tela_;
};
